#pragma once

#include "dberror.h"
#include "jetformat.h"

#include <QByteArray>
#include <QString>

// glib first: libmdb's header includes it inside extern "C".
#include <glib.h>
#include <mdbtools.h>

namespace hoteldb::jet {

// A Jet database file held whole in memory and opened with libmdb on that copy, so the
// file on disk is read once, never locked, and cannot change while it is decoded.
class JetFile
{
public:
    // Throws DbError when the image is not a Jet 3 or Jet 4 database.
    JetFile(QByteArray image, QString name);
    ~JetFile();
    JetFile(const JetFile &) = delete;
    JetFile &operator=(const JetFile &) = delete;

    const QString &name() const { return m_name; }
    Version version() const { return m_version; }
    int pageSize() const { return m_pageSize; }
    quint32 pageCount() const { return quint32(m_image.size() / m_pageSize); }
    int rowCountOffset() const { return m_mdb->fmt->row_count_offset; }
    MdbHandle *handle() const { return m_mdb; }

    // A copy of page n; `owner` names what points there, for the message when n lies past
    // the end of the file.
    QByteArray page(quint32 n, const QString &owner) const;

    // The error for a file whose structure contradicts itself.
    DbError damaged(const QString &detail) const;
    DbError notJet() const;

private:
    QByteArray m_image;
    QString m_name;
    Version m_version = Version::Jet4;
    int m_pageSize = 4096;
    MdbHandle *m_mdb = nullptr;
};

} // namespace hoteldb::jet
