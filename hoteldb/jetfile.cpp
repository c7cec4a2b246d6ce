#include "jetfile.h"

#include <QByteArrayView>

namespace hoteldb::jet {

namespace {
constexpr QByteArrayView kSignature("\0\1\0\0Standard Jet DB\0", 20);
constexpr qsizetype kVersionOffset = 0x14;
} // namespace

JetFile::JetFile(QByteArray image, QString name)
    : m_image(std::move(image)), m_name(std::move(name))
{
    if (m_image.size() <= kVersionOffset || !QByteArrayView(m_image).startsWith(kSignature))
        throw notJet();
    switch (m_image[kVersionOffset]) {
    case 0:
        m_version = Version::Jet3;
        m_pageSize = 2048;
        break;
    case 1:
        m_version = Version::Jet4;
        m_pageSize = 4096;
        break;
    default:
        throw notJet();
    }
    // A file cut short, or grown by a partial write, no longer holds whole pages.
    if (m_image.size() % m_pageSize != 0 || pageCount() < 3)
        throw notJet();

    // libmdb converts column names as these say: fixed, so that names never depend on the
    // environment the tool was started from.
    qputenv("MDBICONV", "UTF-8");
    qputenv("MDB_JET3_CHARSET", "CP1252");
    // Read only: libmdb opens the memory copy for reading and never writes to it.
    m_mdb = mdb_open_buffer(const_cast<char *>(m_image.constData()), size_t(m_image.size()), MDB_NOFLAGS);
    if (!m_mdb)
        throw notJet();
    if (m_mdb->fmt->pg_size != m_pageSize) {
        mdb_close(m_mdb);
        throw notJet();
    }
}

JetFile::~JetFile()
{
    mdb_close(m_mdb);
}

QByteArray JetFile::page(quint32 n, const QString &owner) const
{
    if (n >= pageCount()) {
        throw damaged(QStringLiteral("%1 rimanda alla pagina %2, oltre la fine del file").arg(owner).arg(n));
    }
    // Through libmdb, which deciphers the pages of an encoded database.
    if (mdb_read_alt_pg(m_mdb, n) != m_pageSize)
        throw damaged(QStringLiteral("la pagina %1 non si può leggere").arg(n));
    return QByteArray(reinterpret_cast<const char *>(m_mdb->alt_pg_buf), m_pageSize);
}

DbError JetFile::damaged(const QString &detail) const
{
    return DbError(QStringLiteral("Il database %1 è danneggiato: %2.").arg(m_name, detail));
}

DbError JetFile::notJet() const
{
    return DbError(QStringLiteral("Il file %1 non è un database Jet oppure è danneggiato.").arg(m_name));
}

} // namespace hoteldb::jet
