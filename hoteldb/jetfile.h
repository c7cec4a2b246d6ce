#pragma once

#include "dberror.h"
#include "jetformat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace hoteldb::jet {

// A Jet database file held whole in memory, so the file on disk is read once, never locked,
// and cannot change while it is decoded. Every page is read here, each page number checked
// against the file first.
class JetFile
{
public:
    // Throws DbError when the image is not a whole Jet 3 or Jet 4 database, or when it is
    // protected by a password or encrypted.
    JetFile(QByteArray image, QString name);

    const QString &name() const { return m_name; }
    Version version() const { return m_version; }
    const Format &format() const { return formatOf(m_version); }
    int pageSize() const { return format().pageSize; }
    quint32 pageCount() const { return quint32(m_image.size() / pageSize()); }

    // Page n, valid as long as the file; `owner` names what points there, for the message
    // when n lies past the end of the file.
    QByteArrayView page(quint32 n, const QString &owner) const;
    void checkPage(quint64 n, const QString &owner) const;

    // Whether the file's free-page map names page n: a page Jet gave up, which may still hold
    // the rows and the owner it had. nullopt when the map cannot be read.
    std::optional<bool> isFreePage(quint32 n) const;

    // Whether a file's first bytes are those of a Jet 3 or Jet 4 database: the signature, then
    // the version. kHeadSize bytes are enough to tell.
    static bool hasSignature(QByteArrayView head);
    static constexpr qsizetype kHeadSize = 0x15;

    // The error for a file whose structure contradicts itself.
    DbError damaged(const QString &detail) const;
    // The error for a file that is no Jet database, or is cut short.
    static DbError notJet(const QString &name);
    DbError notJet() const { return notJet(m_name); }

private:
    void checkProtection() const;
    void readFreePages();

    QByteArray m_image;
    QString m_name;
    Version m_version = Version::Jet4;
    std::optional<std::vector<bool>> m_freePages; // one flag a page of the file
};

} // namespace hoteldb::jet
