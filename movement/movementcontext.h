#pragma once

#include <QDate>
#include <QDir>
#include <QString>

#include <array>
#include <functional>

namespace movement {

constexpr int kMaxStructures = 10;

// Everything the generators and counts read besides the four field texts, gathered by the
// main window when a file is created. The generators never look at a widget.
struct MovementContext
{
    QDir folder;                 // working folder: databases, override files, relative output paths
    QString PercorsoFile;        // output path setting, ending in a four-character extension
    QString CodiceStruttura;     // structure code from the settings
    QString selector;            // the structure selector's text: "-" or a structure number
    int NumeroStrutture = 0;     // how many structures "VeluSetup.txt" lists
    std::array<QString, kMaxStructures> CodiciStrutture; // codes of the listed structures
    std::array<QString, kMaxStructures> CamereStrutture; // their room lists ",101,102,"
    QString roomFrom;            // the "Dalla cam." field, read by the counts
    QString roomTo;              // the "Alla cam." field
    QDate today;
    // Told each day of a range before it is written, so that the window can show how far a long
    // run has got; may be empty.
    std::function<void(QDate)> progress;
};

// Copies of the four entry fields, handed to a generator as they stand.
struct GeneratorArgs
{
    QString DallaData;
    QString AllaData;
    QString DallaCamera;
    QString AllaCamera;
};

} // namespace movement
