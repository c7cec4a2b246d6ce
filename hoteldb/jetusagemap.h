#pragma once

#include <QByteArrayView>
#include <QList>

#include <optional>

namespace hoteldb::jet {

class JetFile;

// Reads a usage map: the row that names a set of pages of a Jet file, either inline (a first
// page number, then one bit for each page from there) or through bitmap pages, each covering the
// pages its bits can count. A table names its data pages in one; page 1 of the file names the
// free pages in another.
class JetUsageMap
{
public:
    // The pages of the file that the map names, ascending, and the first page it names past
    // the end of the file, if any.
    QList<quint32> pages;
    std::optional<quint64> pastEnd;

    // The map at row pointer `pointer`; nullopt when that row is no usage map that can be
    // read: missing, of an unknown kind, or naming a bitmap page past the end of the file.
    static std::optional<JetUsageMap> read(const JetFile &file, quint32 pointer);

private:
    void addBits(QByteArrayView bitmap, quint64 first, quint32 pageCount);
};

} // namespace hoteldb::jet
