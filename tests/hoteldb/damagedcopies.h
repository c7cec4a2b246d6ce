#pragma once

// Damaged copies of a sound Jet database, made the ways office PCs damage them: cut short by a
// full disk, bytes changed by a crash, page pointers aimed outside the file, a password or
// encryption set on the header. Every copy says whether the reader must refuse it.

#include "jetfile.h"
#include "jetformat.h"
#include "jetrow.h"
#include "jettable.h"
#include "rc4.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QRandomGenerator>
#include <QString>
#include <QtEndian>

#include <optional>

namespace damagedcopies {

struct Copy
{
    QString label;
    QByteArray bytes;
    // Structure broken for certain: the reader must answer with an error, whose message holds
    // `says` besides the file's name. The other copies may still read (a changed byte inside a
    // text cannot be told from the text).
    bool mustRefuse = true;
    QString says;
};

const QString kNotJet = QStringLiteral("non è un database Jet oppure è danneggiato");
const QString kDamaged = QStringLiteral("è danneggiato");
const QString kOutside = QStringLiteral("oltre la fine del file");
const QString kProtected = QStringLiteral("è protetto da password o cifrato");

inline quint32 word32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

inline void put32(QByteArray &bytes, qsizetype at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

inline void put16(QByteArray &bytes, qsizetype at, quint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

constexpr quint32 kLongValueOwner = 0x4C41564C; // "LVAL"

// The kind of every page, from its type byte and, for data pages, its owner.
inline QMap<QString, QList<quint32>> pagesByKind(const QByteArray &image, int pageSize)
{
    QMap<QString, QList<quint32>> kinds;
    QList<quint32> definitions;
    for (quint32 n = 3; n < image.size() / pageSize; ++n) {
        if (image[qsizetype(n) * pageSize] == 0x02)
            definitions.append(n);
    }
    for (quint32 n = 0; n < image.size() / pageSize; ++n) {
        const qsizetype at = qsizetype(n) * pageSize;
        const quint32 owner = word32(image, at + 4);
        QString kind = QStringLiteral("altre pagine");
        if (n == 0)
            kind = QStringLiteral("intestazione");
        else if (n == 2)
            kind = QStringLiteral("definizione del catalogo");
        else if (image[at] == 0x02)
            kind = QStringLiteral("definizione di tabella");
        else if (image[at] == 0x01 && owner == 2)
            kind = QStringLiteral("righe del catalogo");
        else if (image[at] == 0x01 && definitions.contains(owner))
            kind = QStringLiteral("righe di tabella");
        else if (image[at] == 0x01 && owner == kLongValueOwner)
            kind = QStringLiteral("testi lunghi");
        else if (image[at] == 0x01)
            kind = QStringLiteral("mappe delle pagine");
        kinds[kind].append(n);
    }
    return kinds;
}

// Where one field of every stored row of a table lies in the image: offset and length of its
// bytes. The tables written for the tests all have variable columns.
inline QList<std::pair<qsizetype, int>> fieldPlaces(const QByteArray &image, quint32 definitionPage,
                                                    const QString &field)
{
    using namespace hoteldb::jet;
    const JetFile file(image, QStringLiteral("copia"));
    const JetTable table(file, QStringLiteral("tabella"), definitionPage);
    QList<ColumnLayout> columns;
    for (const ColumnLayout &column : table.columns()) {
        if (column.name == field)
            columns.append(column);
    }
    const Format &format = file.format();
    QList<std::pair<qsizetype, int>> places;
    std::vector<FieldSpan> spans;
    for (quint32 n = 0; n < file.pageCount(); ++n) {
        const QByteArrayView page = file.page(n, QString());
        if (page[0] != 0x01 || word32(image, qsizetype(n) * format.pageSize + 4) != definitionPage)
            continue;
        for (int r = 0; r < JetRow::rowCount(page, format.rowCountOffset); ++r) {
            const auto slot = JetRow::slot(page, format.rowCountOffset, r);
            const QByteArrayView row = page.sliced(slot->start, slot->end - slot->start);
            if (!columns.isEmpty() && JetRow::split(file.version(), row, true, columns, spans) && !spans[0].null)
                places.append({qsizetype(n) * format.pageSize + slot->start + spans[0].start, spans[0].length});
        }
    }
    return places;
}

// The header with its scrambled part in clear, changed by `change`, and scrambled again.
template<typename Change>
QByteArray withHeader(QByteArray image, bool jet4, Change change)
{
    const int scrambled = jet4 ? 128 : 126;
    hoteldb::jet::rc4(hoteldb::jet::kHeaderKey, image.data() + 0x18, scrambled);
    change(image);
    hoteldb::jet::rc4(hoteldb::jet::kHeaderKey, image.data() + 0x18, scrambled);
    return image;
}

// Copies whose damage must be found: each cut, pointer and protection named by its label.
inline QList<Copy> structuralDamage(const QByteArray &image)
{
    using namespace hoteldb::jet;
    const bool jet4 = image[0x14] == 1;
    const Format &format = formatOf(jet4 ? Version::Jet4 : Version::Jet3);
    const int pageSize = format.pageSize;
    const quint32 pageCount = quint32(image.size() / pageSize);
    const quint32 outside = pageCount + 1000;
    const auto kinds = pagesByKind(image, pageSize);
    QList<Copy> copies;
    const auto changed = [&](const QString &label, const QString &says, auto change) {
        QByteArray bytes = image;
        change(bytes);
        copies.append({label, bytes, true, says});
    };

    copies.append({QStringLiteral("file vuoto"), QByteArray(), true, kNotJet});
    copies.append({QStringLiteral("tagliato nell'intestazione"), image.left(100), true, kNotJet});
    copies.append({QStringLiteral("tagliato all'ultimo byte"), image.left(image.size() - 1), true, kNotJet});
    // Whole pages cut: too few for a database, or a table left pointing past the end.
    for (quint32 n = 1; n < pageCount; ++n)
        copies.append({QStringLiteral("tagliato prima della pagina %1").arg(n), image.left(qsizetype(n) * pageSize), true, QString()});
    for (auto kind = kinds.begin(); kind != kinds.end(); ++kind) {
        const qsizetype inside = qsizetype(kind->first()) * pageSize + pageSize / 2;
        copies.append({QStringLiteral("tagliato dentro: %1").arg(kind.key()), image.left(inside), true, kNotJet});
    }

    const quint32 definition = kinds.value(QStringLiteral("definizione di tabella")).value(0);
    const qsizetype definitionAt = qsizetype(definition) * pageSize;
    changed(QStringLiteral("definizione che prosegue fuori dal file"), kOutside,
            [&](QByteArray &b) { put32(b, definitionAt + 4, outside); });
    changed(QStringLiteral("definizione che prosegue su se stessa"), kDamaged,
            [&](QByteArray &b) { put32(b, definitionAt + 4, definition); });
    changed(QStringLiteral("definizione con troppi campi"), kDamaged,
            [&](QByteArray &b) { put16(b, definitionAt + format.columnCount, 0xffff); });
    changed(QStringLiteral("definizione con troppi indici"), kDamaged,
            [&](QByteArray &b) { put32(b, definitionAt + format.realIndexCount, 0x7fffffff); });
    changed(QStringLiteral("mappa della tabella fuori dal file"), kOutside, [&](QByteArray &b) {
        put32(b, definitionAt + format.usageMap, (outside << 8) | (word32(b, definitionAt + format.usageMap) & 0xff));
    });
    changed(QStringLiteral("mappa del catalogo fuori dal file"), kOutside, [&](QByteArray &b) {
        put32(b, 2 * pageSize + format.usageMap, (outside << 8) | (word32(b, 2 * pageSize + format.usageMap) & 0xff));
    });
    changed(QStringLiteral("riga della mappa oltre la fine della sua pagina"), kDamaged, [&](QByteArray &b) {
        const quint32 pointer = word32(b, definitionAt + format.usageMap);
        put16(b, qsizetype(pointer >> 8) * pageSize + format.rowCountOffset + 2 + 2 * (pointer & 0xff), 0x1fff);
    });
    changed(QStringLiteral("mappa che elenca pagine fuori dal file"), kOutside, [&](QByteArray &b) {
        const quint32 pointer = word32(b, definitionAt + format.usageMap);
        const QByteArrayView mapPage = QByteArrayView(b).sliced(qsizetype(pointer >> 8) * pageSize, pageSize);
        const auto slot = JetRow::slot(mapPage, format.rowCountOffset, int(pointer & 0xff));
        // After the map's kind: the first page of an inline map, the first bitmap page of a paged one.
        put32(b, qsizetype(pointer >> 8) * pageSize + slot->start + 1, outside);
    });
    changed(QStringLiteral("catalogo che indica una tabella fuori dal file"), kOutside, [&](QByteArray &b) {
        for (const auto &[at, length] : fieldPlaces(b, 2, QStringLiteral("Id"))) {
            if ((word32(b, at) & 0xffffff) == definition)
                put32(b, at, outside);
        }
    });
    changed(QStringLiteral("catalogo con il nome di tipo numero"), kDamaged, [&](QByteArray &b) {
        // The catalog's column entries follow its index entries; the type is an entry's first byte.
        const qsizetype columns = 2 * pageSize + format.firstIndexEntry
                                  + qsizetype(word32(b, 2 * pageSize + format.realIndexCount)) * format.realIndexEntrySize;
        for (int c = 0; c < qFromLittleEndian<quint16>(b.constData() + 2 * pageSize + format.columnCount); ++c) {
            const qsizetype entry = columns + c * format.columnEntrySize;
            if (b[entry] == ColumnType::Text)
                b[entry] = char(ColumnType::LongInteger);
        }
    });
    if (kinds.contains(QStringLiteral("testi lunghi"))) {
        changed(QStringLiteral("testo lungo fuori dal file"), kOutside, [&](QByteArray &b) {
            // Memo fields named Note whose text lies on long-value pages: their pointer goes outside.
            for (const quint32 page : kinds.value(QStringLiteral("definizione di tabella"))) {
                for (const auto &[at, length] : fieldPlaces(b, page, QStringLiteral("Note"))) {
                    if (length >= 12 && !(word32(b, at) & 0x80000000))
                        put32(b, at + 4, (outside << 8) | (word32(b, at + 4) & 0xff));
                }
            }
        });
    }

    if (kinds.contains(QStringLiteral("testi lunghi"))) {
        changed(QStringLiteral("testi lunghi che condividono le righe"), kDamaged, [&](QByteArray &b) {
            // Every Note on long-value pages points at the first one's rows.
            std::optional<quint32> shared;
            for (const quint32 page : kinds.value(QStringLiteral("definizione di tabella"))) {
                for (const auto &[at, length] : fieldPlaces(b, page, QStringLiteral("Note"))) {
                    if (length < 12 || (word32(b, at) & 0x80000000))
                        continue;
                    if (!shared)
                        shared = word32(b, at + 4);
                    put32(b, at + 4, *shared);
                    put32(b, at, (word32(b, at) & 0xc0000000) | 1000); // short enough for any of the rows
                }
            }
        });
    }

    copies.append({QStringLiteral("cifrato"), withHeader(image, jet4, [](QByteArray &b) { put32(b, 0x3e, 0x6b39dac7); }),
                   true, kProtected});
    copies.append({QStringLiteral("protetto da password"),
                   withHeader(image, jet4, [](QByteArray &b) { b[0x42] = char(b[0x42] ^ 'P'); }), true, kProtected});
    return copies;
}

// Copies with bytes changed at random in a page of each kind: `rounds` copies a kind, with
// more bytes changed each round. The same seed gives the same copies.
inline QList<Copy> randomDamage(const QByteArray &image, int rounds, quint32 seed)
{
    const int pageSize = image[0x14] == 1 ? 4096 : 2048;
    QRandomGenerator random(seed);
    QList<Copy> copies;
    const auto kinds = pagesByKind(image, pageSize);
    for (auto kind = kinds.begin(); kind != kinds.end(); ++kind) {
        for (int round = 0; round < rounds; ++round) {
            const quint32 page = kind->at(random.bounded(int(kind->size())));
            const int changes = 1 << (round % 7); // 1 to 64 bytes
            QByteArray bytes = image;
            for (int i = 0; i < changes; ++i)
                bytes[qsizetype(page) * pageSize + random.bounded(pageSize)] = char(random.bounded(256));
            copies.append({QStringLiteral("%1 byte cambiati a caso nella pagina %2 (%3)").arg(changes).arg(page).arg(kind.key()),
                           bytes, false, QString()});
        }
    }
    return copies;
}

} // namespace damagedcopies
