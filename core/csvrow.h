#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Rows of the CSV files the tool writes for a spreadsheet (the card check, the register of
// written files): UTF-8 after the byte-order mark (which is how Excel tells UTF-8 from the ANSI
// code page), ";" between fields as an Italian spreadsheet expects, CR LF after every row.
namespace core {

inline constexpr QByteArrayView kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// A cell a spreadsheet would take for a formula (beginning with "=", "+", "-" or "@") gets an
// apostrophe in front, so that a value typed in the hotel program is never run.
QString notFormula(const QString &text);

// One row: a field holding the separator, a quote or a line break is quoted, its quotes doubled.
// Another separator or line end than the tool's own serves a file a spreadsheet saved so.
QByteArray csvRow(const QStringList &texts, QChar separator = u';', QByteArrayView lineEnd = "\r\n");

// The fields of one row as csvRow writes it, its line end already taken off; an apostrophe
// csvRow put before a formula is taken off again. nullopt when a quoted field is not closed, or
// text follows its closing quote.
std::optional<QStringList> csvFields(QStringView row, QChar separator = u';');

} // namespace core
