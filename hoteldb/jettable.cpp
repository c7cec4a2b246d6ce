#include "jettable.h"

#include "jetfield.h"
#include "jetfile.h"
#include "jetrow.h"
#include "jetusagemap.h"
#include "operatormessage.h"

#include <QSet>
#include <QtEndian>

#include <algorithm>

namespace hoteldb::jet {

namespace {
constexpr char kDataPage = 0x01;
constexpr char kDefinitionPage = 0x02;
constexpr qsizetype kOwnerOffset = 4;    // data pages: the definition page of their table
constexpr qsizetype kNextPageOffset = 4; // definition pages: the next page of the definition
constexpr qsizetype kPageHeader = 8;     // a definition goes on after this on its next pages
constexpr quint8 kFixedColumn = 0x01;
constexpr quint32 kLongValueOwner = 0x4C41564C; // "LVAL", the owner of every long-value page
constexpr quint8 kLastColumnType = 0x12;        // Jet's column types run from 0x01 to here

quint32 word32(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

int word16(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.data() + at);
}
} // namespace

JetTable::JetTable(const JetFile &file, QString name, quint32 definitionPage)
    : m_file(file), m_name(std::move(name)), m_definitionPage(definitionPage)
{
    readLayout();
}

QString JetTable::owner() const
{
    return core::operatorMessage(u"la tabella %1", {m_name});
}

DbError JetTable::badDefinition() const
{
    return m_file.damaged(core::operatorMessage(u"la definizione della tabella %1 non si può leggere", {m_name}));
}

DbError JetTable::badColumn(const ColumnLayout &column, const QString &what) const
{
    return m_file.damaged(core::operatorMessage(u"nella definizione della tabella %1 (pagina %2) il campo %3 %4",
                                                {m_name, QString::number(m_definitionPage), column.name, what}));
}

// The definition's bytes: its first page whole, then each following page after its header.
QByteArray JetTable::definition() const
{
    QByteArray bytes;
    QSet<quint32> seen;
    quint32 n = m_definitionPage;
    do {
        if (seen.contains(n))
            throw badDefinition();
        seen.insert(n);
        const QByteArrayView page = m_file.page(n, owner());
        if (page[0] != kDefinitionPage)
            throw badDefinition();
        bytes.append(bytes.isEmpty() ? page : page.sliced(kPageHeader));
        n = word32(page, kNextPageOffset);
    } while (n != 0);
    return bytes;
}

// The counts, then the index entries (skipped), the column entries and the column names;
// every part is checked to lie inside the definition before it is read.
void JetTable::readLayout()
{
    const Format &format = m_file.format();
    const QByteArray bytes = definition();
    const auto take = [this, &bytes](qint64 at, qint64 size) {
        if (at + size > bytes.size())
            throw badDefinition();
        return QByteArrayView(bytes).sliced(at, size);
    };
    const QByteArrayView counts = take(0, format.firstIndexEntry);
    m_usageMap = word32(counts, format.usageMap);
    const int variableColumns = word16(counts, format.variableColumnCount);
    m_hasVariableColumns = variableColumns > 0;
    const int columnCount = word16(counts, format.columnCount);
    qint64 at = format.firstIndexEntry + qint64(word32(counts, format.realIndexCount)) * format.realIndexEntrySize;

    for (int i = 0; i < columnCount; ++i) {
        const QByteArrayView entry = take(at, format.columnEntrySize);
        at += format.columnEntrySize;
        ColumnLayout column;
        column.type = quint8(entry[0]);
        column.number = uchar(entry[format.columnNumber]);
        column.variableIndex = word16(entry, format.variableIndex);
        column.fixed = entry[format.columnFlags] & kFixedColumn;
        column.fixedOffset = word16(entry, format.fixedOffset);
        column.size = column.type == ColumnType::Boolean ? 0 : word16(entry, format.columnSize);
        column.scale = column.type == ColumnType::Numeric ? uchar(entry[format.decimalScale]) : 0;
        m_columns.append(column);
    }
    for (ColumnLayout &column : m_columns) {
        const QByteArrayView length = take(at, format.nameLengthSize);
        const int size = format.nameLengthSize == 1 ? uchar(length[0]) : word16(length, 0);
        column.name = JetField::text(m_file.version(), take(at + format.nameLengthSize, size));
        at += format.nameLengthSize + size;
    }
    checkColumns(word16(counts, format.maxColumnCount), variableColumns);
    // In the order of their numbers, which deleted columns leave gaps in.
    std::stable_sort(m_columns.begin(), m_columns.end(),
                     [](const ColumnLayout &a, const ColumnLayout &b) { return a.number < b.number; });
}

// Each column has its own bit in a row's null mask, below the count of columns a row may have;
// each variable-length column its own entry in the row's offsets, below their count; each fixed
// column its own bytes of the row's fixed part. A column entry that breaks this, or whose type
// Jet does not have, would read another column's bytes, or none, as its value.
void JetTable::checkColumns(int maxColumns, int variableColumns) const
{
    QSet<int> numbers;
    QSet<int> variableIndexes;
    QList<const ColumnLayout *> fixed;
    for (const ColumnLayout &column : m_columns) {
        if (column.type == 0 || column.type > kLastColumnType)
            throw badColumn(column, QStringLiteral("è di un tipo sconosciuto"));
        if (column.number >= maxColumns || numbers.contains(column.number))
            throw badColumn(column, QStringLiteral("ha il numero di un altro campo o un numero fuori dai limiti"));
        numbers.insert(column.number);
        if (!column.fixed) {
            if (column.variableIndex >= variableColumns || variableIndexes.contains(column.variableIndex))
                throw badColumn(column, QStringLiteral("non ha un posto suo fra i campi di lunghezza variabile"));
            variableIndexes.insert(column.variableIndex);
        } else if (column.type != ColumnType::Boolean) { // a Yes/No value lives in the null mask
            fixed.append(&column);
        }
    }
    std::sort(fixed.begin(), fixed.end(),
              [](const ColumnLayout *a, const ColumnLayout *b) { return a->fixedOffset < b->fixedOffset; });
    for (qsizetype i = 1; i < fixed.size(); ++i) {
        if (fixed[i - 1]->fixedOffset + fixed[i - 1]->size > fixed[i]->fixedOffset)
            throw badColumn(*fixed[i], QStringLiteral("occupa i byte di un altro campo"));
    }
}

// The pages the table's usage map lists; a page past the end of the file is damage, found
// before any page is read.
QList<quint32> JetTable::dataPages() const
{
    m_file.checkPage(pointerPage(m_usageMap), owner());
    const std::optional<JetUsageMap> map = JetUsageMap::read(m_file, m_usageMap);
    if (!map)
        throw m_file.damaged(core::operatorMessage(u"l'elenco delle pagine della tabella %1 non si può leggere", {m_name}));
    if (map->pastEnd)
        m_file.checkPage(*map->pastEnd, owner());
    return map->pages;
}

// Jet lists every data page of a table in the table's usage map; a page it gives up goes to the
// file's free-page map, unwiped (real files keep such pages with their owner and rows). A page
// that names the table, holds live rows and is in neither map was dropped from the table's
// map: its rows would vanish unseen. When the free-page map cannot be read, nothing is known.
void JetTable::checkNoPageLeftOut(const QList<quint32> &listed) const
{
    const QSet<quint32> inMap(listed.begin(), listed.end());
    const int rowCountOffset = m_file.format().rowCountOffset;
    for (quint32 n = 0; n < m_file.pageCount(); ++n) {
        const QByteArrayView page = m_file.page(n, owner());
        if (page[0] != kDataPage || word32(page, kOwnerOffset) != m_definitionPage || inMap.contains(n))
            continue;
        const std::optional<bool> free = m_file.isFreePage(n);
        if (!free)
            return;
        if (!*free && JetRow::holdsLiveRows(page, rowCountOffset)) {
            throw m_file.damaged(core::operatorMessage(u"la pagina %1 contiene righe della tabella %2 ma manca dall'elenco delle sue pagine",
                                                       {QString::number(n), m_name}));
        }
    }
}

// A page the usage map lists. The Jet files at hand never list a page that is not a data
// page of the table (another table's after a compaction, a free page, a page of another kind),
// and every data page's free-space count is the gap between its row table and its lowest row:
// a page that breaks either is damage, never a page to skip or to read as empty.
QByteArrayView JetTable::rowPage(quint32 n) const
{
    const QByteArrayView page = m_file.page(n, owner());
    if (page[0] != kDataPage || word32(page, kOwnerOffset) != m_definitionPage) {
        throw m_file.damaged(core::operatorMessage(u"la pagina %1 è elencata fra quelle della tabella %2 ma non ne contiene le righe",
                                                   {QString::number(n), m_name}));
    }
    const int rowCountOffset = m_file.format().rowCountOffset;
    if (!JetRow::freeSpaceAgrees(page, rowCountOffset)) {
        throw m_file.damaged(core::operatorMessage(u"la pagina %1 della tabella %2 indica %3 righe, che non corrispondono al suo contenuto",
                                                   {QString::number(n), m_name, QString::number(word16(page, rowCountOffset))}));
    }
    return page;
}

// A long-value row holds the data of one field only: a row met a second time, in this chain or
// another field's, is a loop or a damaged pointer, and would repeat its data without end.
QByteArray JetTable::longValue(const ColumnLayout &column, QByteArrayView field, QSet<quint64> &usedRows) const
{
    if (field.isEmpty())
        return QByteArray();
    const auto bad = [this, &column] {
        return m_file.damaged(core::operatorMessage(u"il campo %1 della tabella %2 rimanda a un testo lungo che non si può leggere",
                                                    {column.name, m_name}));
    };
    const auto ref = JetField::longValue(field);
    if (!ref)
        throw bad();
    if (ref->kind == LongValueRef::Kind::Inline)
        return ref->inlineData.toByteArray();

    // A chain's rows each begin with the pointer to the next.
    const int rowCountOffset = m_file.format().rowCountOffset;
    QByteArray value;
    quint32 page = ref->page;
    int row = ref->row;
    while (value.size() < ref->length) {
        const quint64 key = (quint64(page) << 8) | quint64(row);
        if (page == 0 || usedRows.contains(key))
            throw bad();
        usedRows.insert(key);
        const QByteArrayView bytes = m_file.page(page, owner());
        // Long values lie on data pages of their own, kept as a table's are.
        if (bytes[0] != kDataPage || word32(bytes, kOwnerOffset) != kLongValueOwner
            || !JetRow::freeSpaceAgrees(bytes, rowCountOffset))
            throw bad();
        const auto slot = JetRow::slot(bytes, rowCountOffset, row);
        if (!slot)
            throw bad();
        const QByteArrayView chunk = bytes.sliced(slot->start, slot->end - slot->start);
        if (ref->kind == LongValueRef::Kind::SingleRow) {
            if (chunk.size() < ref->length)
                throw bad();
            return chunk.first(ref->length).toByteArray();
        }
        if (chunk.size() < 4)
            throw bad();
        const quint32 next = word32(chunk, 0);
        value.append(chunk.sliced(4, qMin(chunk.size() - 4, ref->length - value.size())));
        page = pointerPage(next);
        row = pointerRow(next);
    }
    return value;
}

void JetTable::setCell(TableData &data, int column, const ColumnLayout &layout, QByteArrayView bytes,
                       QSet<quint64> &usedLongRows) const
{
    switch (layout.type) {
    case ColumnType::Text:
        data.setText(column, JetField::text(m_file.version(), bytes));
        break;
    case ColumnType::Memo:
        data.setText(column, JetField::text(m_file.version(), longValue(layout, bytes, usedLongRows)));
        break;
    case ColumnType::Ole:
        data.setBinary(column, longValue(layout, bytes, usedLongRows));
        break;
    default: {
        const Value value = JetField::fixed(layout.type, bytes, layout.scale);
        if (value.isNull()) {
            throw m_file.damaged(core::operatorMessage(u"il campo %1 della tabella %2 è più corto del suo tipo",
                                                       {layout.name, m_name}));
        }
        data.setValue(column, value);
    }
    }
}

TableData JetTable::read(const QStringList &wanted) const
{
    QList<ColumnLayout> columns;
    if (wanted.isEmpty()) {
        columns = m_columns;
    } else {
        for (const QString &name : wanted) {
            const auto it = std::find_if(m_columns.begin(), m_columns.end(), [&name](const ColumnLayout &c) {
                return c.name.compare(name, Qt::CaseInsensitive) == 0;
            });
            if (it == m_columns.end())
                throw m_file.damaged(core::operatorMessage(u"nella tabella %1 manca il campo %2", {m_name, name}));
            columns.append(*it);
        }
    }
    QList<ColumnInfo> infos;
    for (const ColumnLayout &column : columns)
        infos.append({column.name, JetField::valueType(column.type)});
    TableData data(m_name, infos);

    std::vector<FieldSpan> fields;
    QSet<quint64> usedLongRows;
    const int rowCountOffset = m_file.format().rowCountOffset;
    const QList<quint32> pages = dataPages();
    checkNoPageLeftOut(pages);
    for (const quint32 pageNumber : pages) {
        const QByteArrayView page = rowPage(pageNumber);
        const int rows = JetRow::rowCount(page, rowCountOffset).value_or(0);
        for (int r = 0; r < rows; ++r) {
            const auto slot = JetRow::slot(page, rowCountOffset, r);
            if (slot && slot->skipped)
                continue;
            const QByteArrayView row = slot ? page.sliced(slot->start, slot->end - slot->start) : QByteArrayView();
            if (!slot || !JetRow::split(m_file.version(), row, m_hasVariableColumns, columns, fields)) {
                throw m_file.damaged(core::operatorMessage(u"la riga %1 della pagina %2 della tabella %3 non si può leggere",
                                                           {QString::number(r + 1), QString::number(pageNumber), m_name}));
            }
            data.appendRow();
            for (int c = 0; c < columns.size(); ++c) {
                const FieldSpan &field = fields[c];
                if (columns[c].type == ColumnType::Boolean)
                    data.setBoolean(c, field.flag);
                else if (!field.null)
                    setCell(data, c, columns[c], row.sliced(field.start, field.length), usedLongRows);
            }
        }
    }
    return data;
}

} // namespace hoteldb::jet
