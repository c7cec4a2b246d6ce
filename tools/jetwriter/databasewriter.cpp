#include "databasewriter.h"

#include "datapagewriter.h"
#include "formattraits.h"
#include "headerpage.h"
#include "jetwriteerror.h"
#include "longvaluewriter.h"
#include "oledate.h"
#include "pagefile.h"
#include "rowencoder.h"
#include "systemcatalog.h"
#include "tabledefinition.h"
#include "usagemap.h"

#include <QDir>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <cstring>
#include <vector>

namespace jetwriter {

namespace {

// Fixed, so that the same description always gives the same bytes.
const QDateTime kCreated(QDate(2000, 1, 1), QTime(0, 0));

constexpr quint32 kGlobalMapOwner = 1; // what Access stores in the page of the file-wide map

std::vector<TableLayout> layoutsOf(const Description &description, const FormatTraits &traits)
{
    std::vector<TableLayout> layouts{catalogLayout()};
    QSet<QString> names;
    for (const Table &table : description.tables) {
        layouts.push_back(TableLayout::of(table, traits));
        if (names.contains(table.name.toCaseFolded()))
            throw JetWriteError(QStringLiteral("La tabella «%1» compare più volte nella descrizione.").arg(table.name));
        names.insert(table.name.toCaseFolded());
    }
    return layouts;
}

QList<quint32> allocatePages(PageFile &file, int count)
{
    QList<quint32> pages;
    for (int i = 0; i < count; ++i)
        pages.append(file.allocate());
    return pages;
}

// Usage map rows are reserved early, so that definitions can point at them, and filled
// once the pages they describe exist.
TableMaps::Pair reserveMapPair(DataPageWriter &maps, const FormatTraits &traits)
{
    const QByteArray placeholder(traits.mapRowSize, '\0');
    const RowPointer used = maps.add(placeholder);
    return {used, maps.add(placeholder)};
}

void fillMapPair(PageFile &file, const FormatTraits &traits, const TableMaps::Pair &pair, const DataPageWriter &pages)
{
    const QByteArray used = usageMapRow(file, traits, pages.pages());
    std::memcpy(file.row(pair.used), used.constData(), used.size());
    const QByteArray free = usageMapRow(file, traits, pages.pagesWithFreeSpace());
    std::memcpy(file.row(pair.free), free.constData(), free.size());
}

} // namespace

QByteArray writeDatabase(const Description &description)
{
    const FormatTraits &traits = FormatTraits::of(description.format);
    const std::vector<TableLayout> layouts = layoutsOf(description, traits);

    PageFile file(traits);
    file.allocate(); // the header, filled last
    DataPageWriter globalMap(file, traits, kGlobalMapOwner);
    const RowPointer freePages = globalMap.add(QByteArray(traits.mapRowSize, '\0'));
    globalMap.add(QByteArray(traits.mapRowSize, '\0')); // Access keeps a second, empty map there

    // Definitions first: the catalog's must start at page 2, and the others' pages are
    // the Ids the catalog rows carry.
    std::vector<TableDefinition> definitions;
    QList<QList<quint32>> definitionPages;
    for (const TableLayout &layout : layouts) {
        definitions.emplace_back(traits, layout);
        definitionPages.append(allocatePages(file, definitions.back().pageCount()));
    }

    DataPageWriter mapWriter(file, traits, 0);
    QList<TableMaps> maps;
    for (const TableLayout &layout : layouts) {
        TableMaps tableMaps;
        tableMaps.data = reserveMapPair(mapWriter, traits);
        for (int i = 0; i < layout.longValueCount(); ++i)
            tableMaps.longValues.append(reserveMapPair(mapWriter, traits));
        maps.append(tableMaps);
    }

    QList<std::pair<QString, quint32>> userTables;
    for (qsizetype i = 0; i < description.tables.size(); ++i)
        userTables.append({description.tables[i].name, definitionPages[i + 1].first()});
    const QList<QVariantList> catalog = catalogRows(userTables, kCreated);

    for (size_t t = 0; t < layouts.size(); ++t) {
        const TableLayout &layout = layouts[t];
        const QList<QVariantList> &rows = t == 0 ? catalog : description.tables[t - 1].rows;
        DataPageWriter data(file, traits, definitionPages[t].first());
        LongValueWriter longValues(file, traits, layout.longValueCount());
        RowEncoder encoder(traits, layout, longValues);
        for (qsizetype r = 0; r < rows.size(); ++r)
            data.add(encoder.encode(rows[r], r));

        const qsizetype uncounted = t == 0 ? 0 : std::clamp<qsizetype>(description.tables[t - 1].uncountedRows, 0, rows.size());
        definitions[t].write(file, definitionPages[t], quint32(rows.size() - uncounted), maps[t]);
        fillMapPair(file, traits, maps[t].data, data);
        for (int slot = 0; slot < layout.longValueCount(); ++slot)
            fillMapPair(file, traits, maps[t].longValues[slot], longValues.pages(slot));
    }

    const QByteArray free = freePagesMapRow(traits, file.pageCount());
    std::memcpy(file.row(freePages), free.constData(), free.size());
    writeHeaderPage(file.page(0), traits, oleAutomationDate(kCreated));
    return file.take();
}

void writeDatabaseFile(const Description &description, const QString &path)
{
    const QByteArray bytes = writeDatabase(description);
    const QString name = QDir::toNativeSeparators(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw JetWriteError(QStringLiteral("Impossibile creare il file «%1»: %2").arg(name, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw JetWriteError(QStringLiteral("Impossibile salvare il file «%1»: %2").arg(name, file.errorString()));
}

} // namespace jetwriter
