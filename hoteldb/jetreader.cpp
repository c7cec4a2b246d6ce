#include "jetreader.h"

#include "dberror.h"
#include "jetfile.h"
#include "jettable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace hoteldb {

namespace {
// The catalog of every object in the file: tables, queries, forms...
constexpr quint32 kCatalogPage = 2;
constexpr qint64 kTableObject = 1;
// The bits of a system table (DAO's dbSystemObject).
constexpr qint64 kSystemFlags = qint64(0x80000002);

QByteArray readImage(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        throw DbError(QStringLiteral("Il database %1 non esiste nella cartella di lavoro (%2).")
                          .arg(info.fileName(), QDir::toNativeSeparators(info.absolutePath())));
    }
    QFile file(path);
    QByteArray image;
    if (info.isFile() && file.open(QIODevice::ReadOnly))
        image = file.readAll();
    if (!info.isFile() || file.error() != QFileDevice::NoError) {
        throw DbError(QStringLiteral("Il database %1 non si può leggere (%2).")
                          .arg(info.fileName(), QDir::toNativeSeparators(info.absoluteFilePath())));
    }
    return image;
}
} // namespace

JetReader::JetReader(const QString &path)
    : JetReader(readImage(path), QFileInfo(path).fileName())
{
}

JetReader::JetReader(QByteArray image, QString displayName)
    : m_file(std::make_unique<jet::JetFile>(std::move(image), std::move(displayName)))
{
    // Only the four fields needed: the catalog's other long fields are not followed at all.
    const TableData catalog = jet::JetTable(*m_file, QStringLiteral("MSysObjects"), kCatalogPage)
                                  .read({QStringLiteral("Id"), QStringLiteral("Name"), QStringLiteral("Type"),
                                         QStringLiteral("Flags")});
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

JetReader JetReader::fromImage(QByteArray image, QString displayName)
{
    return JetReader(std::move(image), std::move(displayName));
}

JetReader::JetReader(JetReader &&) noexcept = default;
JetReader &JetReader::operator=(JetReader &&) noexcept = default;
JetReader::~JetReader() = default;

QStringList JetReader::tableNames() const
{
    QStringList names;
    for (const Table &table : m_tables)
        names.append(table.name);
    return names;
}

std::shared_ptr<const TableData> JetReader::readTable(const QString &name) const
{
    for (const Table &table : m_tables) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0) {
            return std::make_shared<const TableData>(
                jet::JetTable(*m_file, table.name, table.definitionPage).read());
        }
    }
    throw DbError(QStringLiteral("Nel database %1 manca la tabella %2.").arg(m_file->name(), name));
}

} // namespace hoteldb
