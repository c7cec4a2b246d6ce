#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// Windows-1252, the code page of Italian Windows, of the hotel program's Jet 3 texts and of the
// tool's own text files, converted the same way on every system: Qt converts named code pages
// only where it is built with ICU, as it is not for Windows. The five bytes the code page
// leaves undefined stand for their C1 control characters, both ways, as Windows converts them.
namespace core {

QString fromWindows1252(QByteArrayView bytes);

// nullopt when a character has no byte in the code page; that character then in *unencodable.
std::optional<QByteArray> toWindows1252(QStringView text, QChar *unencodable = nullptr);

} // namespace core
