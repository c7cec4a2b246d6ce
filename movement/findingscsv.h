#pragma once

#include "cardcheck.h"

#include <QIODevice>
#include <QList>

namespace movement {

// The findings as a CSV file a spreadsheet opens as it stands: UTF-8 with its byte-order mark
// (which is how Excel tells UTF-8 from the ANSI code page, and which keeps every name, also
// those Windows-1252 cannot write), ";" between fields as an Italian spreadsheet expects,
// CR LF after every row, the captions first. A field holding ";", a quote or a line break is
// quoted, its quotes doubled; one a spreadsheet would take for a formula (beginning with "=",
// "+", "-" or "@") gets an apostrophe in front, so that a value typed in the hotel program is
// never run. Throws OperatorError when the device refuses the bytes.
void writeFindingsCsv(const QList<CardFinding> &findings, QIODevice &out);

// The findings as text to paste into a spreadsheet or a mail: tab-separated rows ended by CR LF,
// the captions first; a cell's own tabs and line breaks become spaces, and a cell a spreadsheet
// would take for a formula gets its apostrophe as in the CSV.
QString findingsTabSeparated(const QList<CardFinding> &findings);

} // namespace movement
