#pragma once

#include "movementcontext.h"

#include <QDir>
#include <QString>

#include <array>
#include <optional>

// The tool's settings and state files in the working folder: "NaxSetup.txt" (the three
// settings), "VeluSetup.txt" (the structure list, prepared by hand) and "IPUSU.txt" (the mark
// that ends the start-up phase).
namespace app {

struct Settings
{
    QString PercorsoFile;    // output file path, ending in a four-character extension
    QString ComandoWeb;      // command line that opens the portal's page
    QString CodiceStruttura; // the structure's code at the portal
};

// The defaults that stand in for a missing "NaxSetup.txt".
Settings defaultSettings();

// The settings of "NaxSetup.txt", nullopt when the file does not exist. A file with fewer
// than three lines throws OperatorError; lines after the third are ignored.
std::optional<Settings> readSettingsFile(const QDir &folder);
void writeSettingsFile(const QDir &folder, const Settings &settings);

using movement::StructureList;

// The structure list of "VeluSetup.txt", nullopt when the file does not exist. Throws
// OperatorError, before anything is taken from it, when it lists more than ten structures or
// lacks the code or room-list line of one of them.
std::optional<StructureList> readStructureFile(const QDir &folder);

bool startupMarkExists(const QDir &folder);
void writeStartupMark(const QDir &folder);

} // namespace app
