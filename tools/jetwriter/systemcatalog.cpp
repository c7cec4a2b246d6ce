#include "systemcatalog.h"

#include <limits>

namespace jetwriter {

namespace {

constexpr qint32 kTablesContainer = 0x0F000001;
constexpr qint32 kDatabasesContainer = 0x0F000002;
constexpr qint32 kRelationshipsContainer = 0x0F000003;
constexpr qint32 kContainersParent = 0x0F000000;
constexpr qint32 kDatabaseObject = 0x10000000;
constexpr qint32 kCatalogPage = 2;
constexpr qint32 kSystemFlag = std::numeric_limits<qint32>::min(); // 0x80000000
constexpr qint16 kTableType = 1;
constexpr qint16 kDatabaseType = 2;
constexpr qint16 kContainerType = 3;

QVariantList catalogRow(qint32 id, qint32 parent, const QString &name, qint16 type, qint32 flags, const QDateTime &created)
{
    static const qsizetype columns = catalogLayout().columns().size();
    QVariantList row{id, parent, name, type, created, created, QVariant(), flags};
    row.resize(columns); // Null: Database, Connect, ForeignName, remote info and the long values
    return row;
}

} // namespace

TableLayout catalogLayout()
{
    const auto column = [](const char *name, StoredType type, int size = 0) {
        StoredColumn c;
        c.name = QString::fromLatin1(name);
        c.type = type;
        c.maxChars = size;
        return c;
    };
    return TableLayout(QStringLiteral("MSysObjects"),
                       {column("Id", StoredType::Long), column("ParentId", StoredType::Long),
                        column("Name", StoredType::Text, 255), column("Type", StoredType::Integer),
                        column("DateCreate", StoredType::DateTime), column("DateUpdate", StoredType::DateTime),
                        column("Owner", StoredType::Binary, 255), column("Flags", StoredType::Long),
                        column("Database", StoredType::Memo), column("Connect", StoredType::Memo),
                        column("ForeignName", StoredType::Text, 255), column("RmtInfoShort", StoredType::Binary, 255),
                        column("RmtInfoLong", StoredType::Ole), column("Lv", StoredType::Ole),
                        column("LvProp", StoredType::Ole), column("LvModule", StoredType::Ole),
                        column("LvExtra", StoredType::Ole)},
                       true);
}

QList<QVariantList> catalogRows(const QList<std::pair<QString, quint32>> &userTables, const QDateTime &created)
{
    QList<QVariantList> rows{
        catalogRow(kTablesContainer, kContainersParent, QStringLiteral("Tables"), kContainerType, kSystemFlag, created),
        catalogRow(kDatabasesContainer, kContainersParent, QStringLiteral("Databases"), kContainerType, kSystemFlag, created),
        catalogRow(kRelationshipsContainer, kContainersParent, QStringLiteral("Relationships"), kContainerType,
                   kSystemFlag, created),
        catalogRow(kDatabaseObject, kDatabasesContainer, QStringLiteral("MSysDb"), kDatabaseType, kSystemFlag, created),
        catalogRow(kCatalogPage, kTablesContainer, QStringLiteral("MSysObjects"), kTableType, kSystemFlag, created),
    };
    for (const auto &[name, page] : userTables)
        rows.append(catalogRow(qint32(page), kTablesContainer, name, kTableType, 0, created));
    return rows;
}

} // namespace jetwriter
