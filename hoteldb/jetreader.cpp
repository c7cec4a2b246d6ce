#include "jetreader.h"

#include "databaseimage.h"
#include "dberror.h"
#include "jetfile.h"
#include "jettable.h"

#include <QFileInfo>

namespace hoteldb {

namespace {
// The catalog of every object in the file: tables, queries, forms...
constexpr quint32 kCatalogPage = 2;
constexpr qint64 kTableObject = 1;
// The bits of a system table (DAO's dbSystemObject).
constexpr qint64 kSystemFlags = qint64(0x80000002);
} // namespace

JetReader::JetReader(const QString &path) : JetReader(DatabaseImage::read(path), QFileInfo(path).fileName()) {}

JetReader::JetReader(DatabaseImage image, QString displayName)
    : m_stamp(std::move(image.stamp)), m_file(std::make_unique<jet::JetFile>(std::move(image.bytes), std::move(displayName)))
{
    // Only the four fields needed: the catalog's other long fields are not followed at all.
    const TableData catalog = jet::JetTable(*m_file, QStringLiteral("MSysObjects"), kCatalogPage)
                                  .read({QStringLiteral("Id"), QStringLiteral("Name"), QStringLiteral("Type"),
                                         QStringLiteral("Flags")});
    // The cells are read as these types below, whatever a damaged definition says.
    const QList<Value::Type> types = {Value::Type::Integer, Value::Type::Text, Value::Type::Integer, Value::Type::Integer};
    for (int column = 0; column < types.size(); ++column) {
        if (catalog.columns()[column].type != types[column])
            throw m_file->damaged(QStringLiteral("l'elenco delle tabelle non si può leggere"));
    }
    for (qsizetype row = 0; row < catalog.rowCount(); ++row) {
        if (catalog.isNull(row, 0) || catalog.isNull(row, 1) || catalog.isNull(row, 2))
            continue;
        const qint64 flags = catalog.isNull(row, 3) ? 0 : catalog.integerAt(row, 3);
        if ((catalog.integerAt(row, 2) & 0x7f) != kTableObject || (flags & kSystemFlags) != 0)
            continue;
        // The object id carries the table's definition page in its low three bytes.
        m_tables.append({catalog.textAt(row, 1).toString(), quint32(catalog.integerAt(row, 0) & 0xffffff)});
    }
}

JetReader::JetReader(JetReader &&) noexcept = default;
JetReader &JetReader::operator=(JetReader &&) noexcept = default;
JetReader::~JetReader() = default;

std::shared_ptr<const TableData> JetReader::readTable(const QString &name) const
{
    for (const Table &table : m_tables) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0) {
            return std::make_shared<const TableData>(
                jet::JetTable(*m_file, table.name, table.definitionPage).read());
        }
    }
    throw DbError(u"Nel database %1 manca la tabella %2: il database è danneggiato oppure non è un "
                  u"archivio del programma alberghiero.",
                  {m_file->name(), name});
}

} // namespace hoteldb
