#pragma once

// A hotel's working folder for the movement tests: the hotel program's six databases written
// as real .mdb files through the project's Jet writer, and the context the window would build.

#include "filebytes.h"
#include "filefigures.h"
#include "jetwriter.h"
#include "movementcontext.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace hotelfixture {

using jetwriter::ColumnType;

// One guest card; a field set to QVariant() is a database Null.
struct Card
{
    QVariant NumeroHotel = 1;
    QVariant NumeroCamera;
    QVariant NumeroProgressivo;
    QVariant NomeCliente = QStringLiteral("ROSSI MARIO");
    QVariant Lingua = QStringLiteral("I");
    QVariant DataArrivo;
    QVariant DataPartenza;
    QVariant DataPartenzaReale = QString();
    QVariant Partito = QStringLiteral("N");
    QVariant CapoFamiglia = QStringLiteral("N");
    QVariant CapoGruppo = QStringLiteral("N");
    QVariant CodiceCapoFamiglia = 0;
    QVariant CodiceCapoGruppo = 0;
    QVariant Sesso = QStringLiteral("M");
    QVariant Nazione = QStringLiteral("I");
    QVariant Stato = QStringLiteral("I");
    QVariant Residenza = QStringLiteral("ROMA");
    QVariant DataNascita = QStringLiteral("19800101");
    QVariant LuogoNascita = QStringLiteral("ROMA RM I");

    QVariantList row() const
    {
        return {NumeroHotel, NumeroCamera, NumeroProgressivo, NomeCliente, Lingua, DataArrivo, DataPartenza,
                DataPartenzaReale, Partito, CapoFamiglia, CapoGruppo, CodiceCapoFamiglia, CodiceCapoGruppo,
                Sesso, Nazione, Stato, Residenza, DataNascita, LuogoNascita};
    }
};

// A guest still present: arrived on `arrival`, leaving on `planned`.
inline Card present(const QString &room, qint64 number, const QString &arrival, const QString &planned)
{
    Card c;
    c.NumeroCamera = room;
    c.NumeroProgressivo = number;
    c.DataArrivo = arrival;
    c.DataPartenza = planned;
    return c;
}

// A guest who has left on `departed`; archived cards are always of this kind.
inline Card departed(const QString &room, qint64 number, const QString &arrival, const QString &departed)
{
    Card c = present(room, number, arrival, departed);
    c.DataPartenzaReale = departed;
    c.Partito = QStringLiteral("S");
    return c;
}

inline jetwriter::Column text(const QString &name, int size)
{
    return {name, ColumnType::Text, size};
}

inline jetwriter::Column number(const QString &name)
{
    return {name, ColumnType::Long, 0};
}

inline jetwriter::Table cardTable(const QList<Card> &cards)
{
    jetwriter::Table table{QStringLiteral("Scheda_Cliente"),
                           {number("NumeroHotel"), text("NumeroCamera", 10), number("NumeroProgressivo"),
                            text("NomeCliente", 50), text("Lingua", 5), text("DataArrivo", 8),
                            text("DataPartenza", 8), text("DataPartenzaReale", 8), text("Partito", 1),
                            text("CapoFamiglia", 1), text("CapoGruppo", 1), number("CodiceCapoFamiglia"),
                            number("CodiceCapoGruppo"), text("Sesso", 1), text("Nazione", 5), text("Stato", 5),
                            text("Residenza", 50), text("DataNascita", 8), text("LuogoNascita", 60)},
                           {}};
    for (const Card &card : cards)
        table.rows.append(card.row());
    return table;
}

struct Hotel
{
    QTemporaryDir dir;
    QList<Card> current;
    QList<Card> archived;
    // NumeroHotel, NumeroCamera, TipoCamera, PostiLetto
    QList<QVariantList> rooms;
    // NumeroHotel, Sigla, Tipologia
    QList<QVariantList> roomTypes{{1, "DOP", "C"}, {1, "SIN", "C"}, {1, "APP", "A"}};
    // Descrizione, Tipo, Sigla, CodicePS
    QList<QVariantList> codes{
        {"ROMA", 3, QVariant(), "058091000"},    {"TORINO", 3, QVariant(), "001272000"},
        {"BARI", 3, QVariant(), "072006000"},    {"SAN DONA DI PIAVE", 3, QVariant(), "027033000"},
        {"ITALIA", 0, "I", "100000100"},         {"GERMANIA", 0, "D", "100000216"},
        {"FRANCIA", 0, "F", "100000215"},        {"AUSTRIA", 0, "A", "100000203"},
    };
    // Descrizione, Codice
    QList<QVariantList> countries{{"ITALIA", "IT"}, {"GERMANIA", "DE"}, {"FRANCIA", "FR"}};

    QString path(const QString &name) const { return dir.filePath(name); }

    void writeFile(const QString &name, const QByteArray &bytes) const { writeBytes(path(name), bytes); }
    QByteArray read(const QString &name) const { return readBytes(path(name)); }

    // Writes the databases; those named in `leaveOut` are not written (and removed if present).
    void write(const QStringList &leaveOut = {}) const { writeInto(QDir(dir.path()), leaveOut); }

    void writeInto(const QDir &folder, const QStringList &leaveOut = {}) const
    {
        const auto save = [&](const QString &file, const QList<jetwriter::Table> &tables) {
            QFile::remove(folder.filePath(file));
            if (leaveOut.contains(file))
                return;
            jetwriter::Description description;
            description.tables = tables;
            jetwriter::writeDatabaseFile(description, folder.filePath(file));
        };
        save("Scheda_Cliente.mdb", {cardTable(current)});
        save("SchedaStoricoClienti.mdb", {cardTable(archived)});
        save("NumeriCamere.mdb", {{"NumeriCamere",
                                   {number("NumeroHotel"), text("NumeroCamera", 10), text("TipoCamera", 5),
                                    number("PostiLetto")},
                                   rooms}});
        save("TipiCamere.mdb", {{"TipiCamere", {number("NumeroHotel"), text("Sigla", 5), text("Tipologia", 1)}, roomTypes}});
        save("Comuni.mdb", {{"CodiciVari",
                             {text("Descrizione", 50), {"Tipo", ColumnType::Integer, 0}, text("Sigla", 5),
                              text("CodicePS", 9)},
                             codes}});
        save("DAVozIzi.mdb", {{"Stati", {text("Descrizione", 50), text("Codice", 9)}, countries}});
    }

    // What the window hands over with the settings' defaults and no structure list.
    movement::MovementContext context(QDate today = QDate(2027, 1, 5)) const
    {
        movement::MovementContext c;
        c.folder = QDir(dir.path());
        c.PercorsoFile = QStringLiteral("DuzizUzazi.xml");
        c.CodiceStruttura = QStringLiteral("ABC123");
        c.selector = QStringLiteral("-");
        c.today = today;
        return c;
    }
};

// A movement file's text written with "\n" line ends, as the file has it.
inline QByteArray crlf(QByteArray text)
{
    return text.replace("\n", "\r\n");
}

// The bytes a generator writes.
using Generator = movement::FileFigures (*)(const movement::MovementContext &, const movement::GeneratorArgs &, QIODevice &);
inline QByteArray generated(Generator generator, movement::MovementContext context, const movement::GeneratorArgs &args)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    generator(context, args, buffer);
    return buffer.data();
}

// Runs call and checks that it fails with an Error whose message holds every one of parts.
template<typename Error>
void expectError(const std::function<void()> &call, const QStringList &parts)
{
    try {
        call();
        QFAIL("no error");
    } catch (const Error &e) {
        for (const QString &part : parts)
            QVERIFY2(e.message().contains(part), qPrintable(e.message()));
    }
}

} // namespace hotelfixture
