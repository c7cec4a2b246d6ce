#pragma once

#include "database.h"

#include <QDir>
#include <QString>

namespace movement {

// The hotel program's database files, all in the working folder.
inline const QString kSchedaCliente = QStringLiteral("Scheda_Cliente.mdb");         // current guest cards
inline const QString kSchedaStorico = QStringLiteral("SchedaStoricoClienti.mdb");   // archived guest cards
inline const QString kNumeriCamere = QStringLiteral("NumeriCamere.mdb");            // the rooms
inline const QString kComuni = QStringLiteral("Comuni.mdb");                        // the code list
inline const QString kStati = QStringLiteral("DAVozIzi.mdb");                       // the countries
inline const QString kTipiCamere = QStringLiteral("TipiCamere.mdb");                // the room types
inline const QString kHotelDatabases[] = {kSchedaCliente, kSchedaStorico, kNumeriCamere, kTipiCamere, kComuni, kStati};

hoteldb::Database openDatabase(const QDir &folder, const QString &fileName);

// A value put between the single quotes of a query text or criterion, a quote inside it
// doubled, so that the database compares the value as it stands.
QString sqlText(const QString &value);

// Visits, in the recordset's order, every record that criteria finds: FindFirst, then
// FindNext with the same criterion while there is a match.
template<typename Visit>
void forEachFound(hoteldb::Recordset &records, const QString &criteria, Visit visit)
{
    for (records.FindFirst(criteria); !records.NoMatch(); records.FindNext(criteria))
        visit();
}

} // namespace movement
