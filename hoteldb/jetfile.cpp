#include "jetfile.h"

#include "jetusagemap.h"
#include "operatormessage.h"
#include "rc4.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace hoteldb::jet {

namespace {
constexpr QByteArrayView kSignature("\0\1\0\0Standard Jet DB\0", 20);
constexpr qsizetype kVersionOffset = 0x14;
// In the unscrambled header: the key of enciphered pages, 0 when there is none; the password,
// and in Jet 4 the creation date that masks it.
constexpr int kDatabaseKeyOffset = 0x3E;
constexpr int kJet3ScrambledSize = 126;
constexpr int kJet4ScrambledSize = 128;
constexpr int kPasswordOffset = 0x42;
constexpr int kJet3PasswordSize = 20;
constexpr int kJet4PasswordSize = 40;
constexpr int kCreationDateOffset = 0x72;
// The file's free-page map: the first row of page 1.
constexpr quint32 kFreePagesMap = 1 << 8;

// The whole days of a date, as Jet computes its password mask; a damaged date saturates.
quint32 wholeDays(double date)
{
    if (std::isnan(date))
        return 0;
    return quint32(qint32(std::clamp(std::trunc(date), -2147483648.0, 2147483647.0)));
}

bool passwordSet(const uchar *header, Version version)
{
    const uchar *password = header + kPasswordOffset;
    if (version == Version::Jet3)
        return std::any_of(password, password + kJet3PasswordSize, [](uchar byte) { return byte != 0; });
    // Jet 4 masks each byte with the creation date's whole days: without a password only the mask is left.
    const quint32 mask = wholeDays(qFromLittleEndian<double>(header + kCreationDateOffset));
    for (int i = 0; i < kJet4PasswordSize; ++i) {
        if (password[i] != uchar(mask >> (8 * (i % 4))))
            return true;
    }
    return false;
}
} // namespace

JetFile::JetFile(QByteArray image, QString name)
    : m_image(std::move(image)), m_name(std::move(name))
{
    if (!hasSignature(m_image))
        throw notJet();
    m_version = m_image[kVersionOffset] == 0 ? Version::Jet3 : Version::Jet4;
    // A file cut short, or grown by a partial write, no longer holds whole pages.
    if (m_image.size() % pageSize() != 0 || pageCount() < 3)
        throw notJet();
    checkProtection();
    readFreePages();
}

void JetFile::readFreePages()
{
    // The map goes on past the end of the file, whose pages are all free.
    const std::optional<JetUsageMap> map = JetUsageMap::read(*this, kFreePagesMap);
    if (!map)
        return;
    m_freePages.emplace(pageCount(), false);
    for (const quint32 n : map->pages)
        (*m_freePages)[n] = true;
}

std::optional<bool> JetFile::isFreePage(quint32 n) const
{
    if (!m_freePages || n >= m_freePages->size())
        return std::nullopt;
    return (*m_freePages)[n];
}

void JetFile::checkProtection() const
{
    QByteArray header = m_image.first(pageSize());
    hoteldb::jet::rc4(kHeaderKey, header.data() + kScrambledHeaderOffset,
                      m_version == Version::Jet3 ? kJet3ScrambledSize : kJet4ScrambledSize);
    const auto *bytes = reinterpret_cast<const uchar *>(header.constData());
    // A database key means enciphered pages, a password a file not meant to be read without
    // it: both are refused, so that no page is decoded as what it is not.
    if (qFromLittleEndian<quint32>(bytes + kDatabaseKeyOffset) != 0 || passwordSet(bytes, m_version)) {
        throw DbError(u"Il database %1 è protetto da password o cifrato: il programma non può leggerlo.", {m_name});
    }
}

bool JetFile::hasSignature(QByteArrayView head)
{
    static_assert(kHeadSize == kVersionOffset + 1);
    return head.size() >= kHeadSize && head.startsWith(kSignature) && (head[kVersionOffset] == 0 || head[kVersionOffset] == 1);
}

QByteArrayView JetFile::page(quint32 n, const QString &owner) const
{
    checkPage(n, owner);
    return QByteArrayView(m_image).sliced(qsizetype(n) * pageSize(), pageSize());
}

void JetFile::checkPage(quint64 n, const QString &owner) const
{
    if (n >= pageCount())
        throw damaged(owner + core::operatorMessage(u" rimanda alla pagina %1, oltre la fine del file",
                                                       {QString::number(n)}));
}

DbError JetFile::damaged(const QString &detail) const
{
    // The detail is the decoder's own sentence, whole.
    return DbError(core::operatorMessage(u"Il database %1 è danneggiato: ", {m_name}) + detail + u'.');
}

DbError JetFile::notJet(const QString &name)
{
    return DbError(u"Il file %1 non è un database Jet oppure è danneggiato.", {name});
}

} // namespace hoteldb::jet
