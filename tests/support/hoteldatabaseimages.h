#pragma once

// The hotel program's six databases, shaped as it keeps them, written through the project's
// Jet writer: enough guest cards for several data pages, and notes long enough to need
// long-value pages, so that every kind of page is there to be damaged.

#include "jetwriter.h"

#include <QList>
#include <QString>

namespace hoteldatabases {

using jetwriter::ColumnType;

struct File
{
    QString name;
    jetwriter::Table table;
};

inline jetwriter::Table guestCards(int count, int firstNumber)
{
    jetwriter::Table table{QStringLiteral("Scheda_Cliente"),
                           {{QStringLiteral("NumeroHotel"), ColumnType::Long},
                            {QStringLiteral("NumeroCamera"), ColumnType::Text, 10},
                            {QStringLiteral("NumeroProgressivo"), ColumnType::Long},
                            {QStringLiteral("NomeCliente"), ColumnType::Text, 50},
                            {QStringLiteral("Lingua"), ColumnType::Text, 5},
                            {QStringLiteral("DataArrivo"), ColumnType::Text, 8},
                            {QStringLiteral("DataPartenza"), ColumnType::Text, 8},
                            {QStringLiteral("DataPartenzaReale"), ColumnType::Text, 8},
                            {QStringLiteral("Partito"), ColumnType::Text, 1},
                            {QStringLiteral("Sesso"), ColumnType::Text, 1},
                            {QStringLiteral("Nazione"), ColumnType::Text, 5},
                            {QStringLiteral("Residenza"), ColumnType::Text, 50},
                            {QStringLiteral("DataNascita"), ColumnType::Text, 8},
                            {QStringLiteral("LuogoNascita"), ColumnType::Text, 60},
                            {QStringLiteral("Note"), ColumnType::Memo}},
                           {}};
    for (int i = 0; i < count; ++i) {
        // Most notes are short or missing; a few fill a long-value row, one needs a chain of them.
        QVariant note;
        if (i % 50 == 7)
            note = QString(i == 7 ? 9000 : 1500, QChar(u'a' + i % 26));
        else if (i % 3 == 0)
            note = QStringLiteral("camera con vista");
        table.rows.append({1, QString::number(100 + i % 30), firstNumber + i, QStringLiteral("OSPITE NUMERO %1").arg(i),
                           QStringLiteral("I"), QStringLiteral("202612%1").arg(1 + i % 28, 2, 10, QChar(u'0')),
                           QStringLiteral("20270110"), QString(), QStringLiteral("N"), i % 2 ? QStringLiteral("F") : QStringLiteral("M"),
                           QStringLiteral("I"), QStringLiteral("ROMA"), QStringLiteral("19800101"),
                           QStringLiteral("ROMA RM I"), note});
    }
    return table;
}

inline QList<File> files()
{
    jetwriter::Table rooms{QStringLiteral("NumeriCamere"),
                           {{QStringLiteral("NumeroHotel"), ColumnType::Long},
                            {QStringLiteral("NumeroCamera"), ColumnType::Text, 10},
                            {QStringLiteral("TipoCamera"), ColumnType::Text, 5},
                            {QStringLiteral("PostiLetto"), ColumnType::Long}},
                           {}};
    for (int i = 0; i < 60; ++i)
        rooms.rows.append({1, QString::number(100 + i), i % 3 ? QStringLiteral("DOP") : QStringLiteral("SIN"), 1 + i % 4});
    jetwriter::Table types{QStringLiteral("TipiCamere"),
                           {{QStringLiteral("NumeroHotel"), ColumnType::Long},
                            {QStringLiteral("Sigla"), ColumnType::Text, 5},
                            {QStringLiteral("Tipologia"), ColumnType::Text, 1}},
                           {{1, QStringLiteral("DOP"), QStringLiteral("C")}, {1, QStringLiteral("SIN"), QStringLiteral("C")}}};
    jetwriter::Table codes{QStringLiteral("CodiciVari"),
                           {{QStringLiteral("Descrizione"), ColumnType::Text, 50},
                            {QStringLiteral("Tipo"), ColumnType::Integer},
                            {QStringLiteral("Sigla"), ColumnType::Text, 5},
                            {QStringLiteral("CodicePS"), ColumnType::Text, 9}},
                           {}};
    for (int i = 0; i < 300; ++i)
        codes.rows.append({QStringLiteral("COMUNE %1").arg(i), 3, QVariant(), QStringLiteral("0580%1").arg(i, 5, 10, QChar(u'0'))});
    codes.rows.append({QStringLiteral("ITALIA"), 0, QStringLiteral("I"), QStringLiteral("100000100")});
    jetwriter::Table countries{QStringLiteral("Stati"),
                               {{QStringLiteral("Descrizione"), ColumnType::Text, 50},
                                {QStringLiteral("Codice"), ColumnType::Text, 9}},
                               {{QStringLiteral("ITALIA"), QStringLiteral("100000100")},
                                {QStringLiteral("GERMANIA"), QStringLiteral("100000216")}}};
    return {{QStringLiteral("Scheda_Cliente.mdb"), guestCards(400, 1)},
            {QStringLiteral("SchedaStoricoClienti.mdb"), guestCards(700, 26000001)},
            {QStringLiteral("NumeriCamere.mdb"), rooms},
            {QStringLiteral("TipiCamere.mdb"), types},
            {QStringLiteral("Comuni.mdb"), codes},
            {QStringLiteral("DAVozIzi.mdb"), countries}};
}

inline QByteArray image(const File &file, jetwriter::Format format)
{
    jetwriter::Description description;
    description.format = format;
    description.tables = {file.table};
    return jetwriter::writeDatabase(description);
}

} // namespace hoteldatabases
