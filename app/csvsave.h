#pragma once

#include <QIODevice>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

namespace app {

// "Salva" of the tool's lists: asks where to save the CSV file, proposing `proposed`, and saves
// it there with `write`, whole or not at all; a failure is told in the tool's box. Returns the
// path saved to, nullopt when the operator gave up or the save failed.
std::optional<QString> saveCsvAs(QWidget *parent, const QString &title, const QString &proposed,
                                 const std::function<void(QIODevice &)> &write);

} // namespace app
