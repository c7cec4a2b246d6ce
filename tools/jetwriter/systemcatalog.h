#pragma once

#include "tablelayout.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariantList>

#include <utility>

namespace jetwriter {

// MSysObjects, the catalog readers find at page 2: its columns as Access defines them
// (readers need Id, Name, Type, Flags and LvProp) and its rows, the three containers,
// the database object, the catalog itself and one row per user table, whose Id is the
// page of the table's definition.
TableLayout catalogLayout();
QList<QVariantList> catalogRows(const QList<std::pair<QString, quint32>> &userTables, const QDateTime &created);

} // namespace jetwriter
