#pragma once

#include <QDate>
#include <QDir>
#include <QString>

#include <array>
#include <functional>

namespace movement {

constexpr int kMaxStructures = 10;

// The structure list as the program keeps it between readings of "VeluSetup.txt".
struct StructureList
{
    int NumeroStrutture = 0; // how many structures the list names; 0 or less: none to choose
    std::array<QString, kMaxStructures> CodiciStrutture; // their codes at the portal
    std::array<QString, kMaxStructures> CamereStrutture; // their room lists ",101,102,"

    // Takes a list read anew: its structures' entries are replaced, those after them keep
    // what they held, as the program-wide lists do.
    void take(const StructureList &read);

    bool operator==(const StructureList &) const = default;
};

// Everything the generators and counts read besides the four field texts, gathered by the
// main window when a file is created. The generators never look at a widget.
struct MovementContext
{
    QDir folder;                 // working folder: databases, override files, relative output paths
    QString PercorsoFile;        // output path setting, ending in a four-character extension
    QString CodiceStruttura;     // structure code from the settings
    QString selector;            // the structure selector's text: "-" or a structure number
    StructureList structures;    // the list of "VeluSetup.txt"
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
