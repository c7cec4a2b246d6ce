#pragma once

// Damaged copies of a sound Jet database, made the ways office PCs damage them: cut short by a
// full disk, bytes changed by a crash, page pointers aimed outside the file, pages, row tables
// and column entries that contradict the rest, a password or encryption set on the header.
// Every copy says whether the reader must refuse it.

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

inline quint16 word16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
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
        for (int r = 0; r < JetRow::rowCount(page, format.rowCountOffset).value_or(0); ++r) {
            const auto slot = JetRow::slot(page, format.rowCountOffset, r);
            const QByteArrayView row = page.sliced(slot->start, slot->end - slot->start);
            if (!columns.isEmpty() && JetRow::split(file.version(), row, true, columns, spans) && !spans[0].null)
                places.append({qsizetype(n) * format.pageSize + slot->start + spans[0].start, spans[0].length});
        }
    }
    return places;
}

// Where the column entries of a table definition lie in the image, in stored order: after the
// counts and the index entries of its first page, where the definitions written here keep them.
inline QList<qsizetype> columnEntries(const QByteArray &image, const hoteldb::jet::Format &format, quint32 definitionPage)
{
    const qsizetype at = qsizetype(definitionPage) * format.pageSize;
    const qsizetype first = at + format.firstIndexEntry + qsizetype(word32(image, at + format.realIndexCount)) * format.realIndexEntrySize;
    QList<qsizetype> entries;
    for (int c = 0; c < word16(image, at + format.columnCount); ++c)
        entries.append(first + c * format.columnEntrySize);
    return entries;
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

// Copies whose damage must be found: each cut, pointer, contradiction and protection named by
// its label, each found by its own check.
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
        // The type is an entry's first byte.
        for (const qsizetype entry : columnEntries(b, format, 2)) {
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

    // A data page of the table that its usage map lists, and what its header says.
    const quint32 rows = kinds.value(QStringLiteral("righe di tabella")).value(0);
    const qsizetype rowsAt = qsizetype(rows) * pageSize;
    const qsizetype countAt = rowsAt + format.rowCountOffset;
    const QString notItsRows = QStringLiteral("la pagina %1 è elencata fra quelle della tabella").arg(rows);
    changed(QStringLiteral("pagina di righe azzerata"), notItsRows,
            [&](QByteArray &b) { b.replace(rowsAt, pageSize, QByteArray(pageSize, '\0')); });
    changed(QStringLiteral("pagina di righe di altro tipo"), notItsRows, [&](QByteArray &b) { b[rowsAt] = 0x04; });
    // Given to the catalog, the page is also a page of catalog rows that the catalog's map leaves
    // out, which the catalog, read first, finds: either way the page is named.
    changed(QStringLiteral("pagina di righe del catalogo"), QStringLiteral("la pagina %1 ").arg(rows),
            [&](QByteArray &b) { put32(b, rowsAt + 4, 2); });
    const QString countWrong = QStringLiteral("che non corrispondono al suo contenuto");
    const quint16 count = word16(image, countAt);
    changed(QStringLiteral("pagina con 65535 righe"), countWrong, [&](QByteArray &b) { put16(b, countAt, 0xffff); });
    changed(QStringLiteral("pagina con il byte alto del numero di righe cambiato"), countWrong,
            [&](QByteArray &b) { put16(b, countAt, count + 0x100); });
    changed(QStringLiteral("pagina con una riga in meno"), countWrong, [&](QByteArray &b) { put16(b, countAt, count - 1); });
    // A page of rows that the table's map no longer lists, though the file's free pages do not
    // name it either: its rows would vanish unseen.
    const QString leftOut = QStringLiteral("la pagina %1 contiene righe della tabella").arg(rows);
    changed(QStringLiteral("pagina tolta dalla mappa"), leftOut, [&](QByteArray &b) {
        const quint32 pointer = word32(b, definitionAt + format.usageMap);
        const QByteArrayView mapPage = QByteArrayView(b).sliced(qsizetype(pointer >> 8) * pageSize, pageSize);
        const qsizetype map = qsizetype(pointer >> 8) * pageSize + JetRow::slot(mapPage, format.rowCountOffset, int(pointer & 0xff))->start;
        Q_ASSERT(b[map] == 0); // the tables written here are small enough for a map of one row
        const quint32 bit = rows - word32(b, map + 1);
        b[map + 5 + bit / 8] = char(b[map + 5 + bit / 8] & ~(1 << (bit % 8)));
    });

    // Column entries that would read another column's bytes, or none, as a value.
    const QList<qsizetype> entries = columnEntries(image, format, definition);
    QList<qsizetype> variable;
    QList<qsizetype> fixed;
    for (const qsizetype entry : entries)
        (image[entry + format.columnFlags] & 0x01 ? fixed : variable).append(entry);
    const QString noPlace = QStringLiteral("non ha un posto suo fra i campi di lunghezza variabile");
    changed(QStringLiteral("definizione senza campi di lunghezza variabile"), noPlace,
            [&](QByteArray &b) { put16(b, definitionAt + format.variableColumnCount, 0); });
    changed(QStringLiteral("campo variabile oltre l'ultimo posto"), noPlace, [&](QByteArray &b) {
        put16(b, variable[0] + format.variableIndex, word16(b, definitionAt + format.variableColumnCount));
    });
    changed(QStringLiteral("campo variabile al posto di un altro"), noPlace, [&](QByteArray &b) {
        put16(b, variable[1] + format.variableIndex, word16(b, variable[0] + format.variableIndex));
    });
    const QString badNumber = QStringLiteral("ha il numero di un altro campo o un numero fuori dai limiti");
    changed(QStringLiteral("campo con il numero di un altro"), badNumber,
            [&](QByteArray &b) { b[entries[1] + format.columnNumber] = b[entries[0] + format.columnNumber]; });
    changed(QStringLiteral("campo con un numero fuori dai limiti"), badNumber,
            [&](QByteArray &b) { b[entries[0] + format.columnNumber] = char(0xff); });
    changed(QStringLiteral("campo di tipo sconosciuto"), QStringLiteral("è di un tipo sconosciuto"),
            [&](QByteArray &b) { b[entries[0]] = 0x20; });
    if (fixed.size() > 1) {
        changed(QStringLiteral("campo fisso sopra un altro"), QStringLiteral("occupa i byte di un altro campo"), [&](QByteArray &b) {
            put16(b, fixed[1] + format.fixedOffset, word16(b, fixed[0] + format.fixedOffset));
        });
    }
    if (kinds.contains(QStringLiteral("testi lunghi"))) {
        const qsizetype longValues = qsizetype(kinds.value(QStringLiteral("testi lunghi")).first()) * pageSize;
        const QString unreadable = QStringLiteral("rimanda a un testo lungo che non si può leggere");
        // A long-value page given to the table is both a long text that cannot be read and a
        // page of the table's rows that its map leaves out: either may be reported.
        changed(QStringLiteral("pagina dei testi lunghi di una tabella"), kDamaged,
                [&](QByteArray &b) { put32(b, longValues + 4, definition); });
        changed(QStringLiteral("pagina dei testi lunghi con lo spazio libero cambiato"), unreadable,
                [&](QByteArray &b) { put16(b, longValues + 2, word16(b, longValues + 2) + 1); });
    }

    copies.append({QStringLiteral("cifrato"), withHeader(image, jet4, [](QByteArray &b) { put32(b, 0x3e, 0x6b39dac7); }),
                   true, kProtected});
    copies.append({QStringLiteral("protetto da password"),
                   withHeader(image, jet4, [](QByteArray &b) { b[0x42] = char(b[0x42] ^ 'P'); }), true, kProtected});
    return copies;
}

// Copies whose structure holds but whose names changed: the catalog's name of the table, the
// names of its columns. The tables read; a query for them meets the damage.
inline QList<Copy> namesDamage(const QByteArray &image)
{
    const hoteldb::jet::Format &format = hoteldb::jet::formatOf(image[0x14] == 1 ? hoteldb::jet::Version::Jet4
                                                                                    : hoteldb::jet::Version::Jet3);
    const quint32 definition = pagesByKind(image, format.pageSize).value(QStringLiteral("definizione di tabella")).value(0);
    const QList<qsizetype> entries = columnEntries(image, format, definition);
    QByteArray fields = image;
    // The names follow the column entries, each after its length; the first byte of each changes.
    for (qsizetype at = entries.last() + format.columnEntrySize, c = 0; c < entries.size(); ++c) {
        fields[at + format.nameLengthSize] = 'X';
        at += format.nameLengthSize + (format.nameLengthSize == 1 ? uchar(image[at]) : word16(image, at));
    }
    QByteArray table = image;
    const auto [at, length] = fieldPlaces(image, 2, QStringLiteral("Name")).last(); // the user table's, after the system objects
    table[at + length - 1] = char(table[at + length - 1] ^ 1);
    return {{QStringLiteral("nomi dei campi cambiati"), fields, true, kDamaged},
            {QStringLiteral("nome della tabella cambiato nel catalogo"), table, true, kDamaged}};
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
