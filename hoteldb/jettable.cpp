#include "jettable.h"

#include "jetfield.h"
#include "jetfile.h"
#include "jetrow.h"

#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <memory>

namespace hoteldb::jet {

namespace {
constexpr char kDataPage = 0x01;
constexpr char kDefinitionPage = 0x02;
constexpr qsizetype kOwnerOffset = 4;    // data pages: the definition page of their table
constexpr qsizetype kNextPageOffset = 4; // definition pages: the next page of the definition
constexpr quint8 kInlineMap = 0;
constexpr quint8 kPagedMap = 1;

quint32 word32(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

// The bits set in a usage bitmap, as page numbers counted from `first`.
void appendSetBits(QByteArrayView bitmap, quint64 first, QList<quint32> &pages)
{
    for (qsizetype i = 0; i < bitmap.size(); ++i) {
        const uchar byte = uchar(bitmap[i]);
        for (int bit = 0; byte && bit < 8; ++bit) {
            if (byte & (1 << bit)) {
                // Past the end of the file: kept, so that reading it reports the damage.
                pages.append(quint32(qMin<quint64>(first + quint64(i) * 8 + bit, 0xffffffff)));
            }
        }
    }
}
} // namespace

JetTable::JetTable(const JetFile &file, QString name, quint32 definitionPage)
    : m_file(file), m_name(std::move(name)), m_definitionPage(definitionPage)
{
    checkDefinitionPages();
    readLayout();
}

QString JetTable::owner() const
{
    return QStringLiteral("la tabella %1").arg(m_name);
}

DbError JetTable::badDefinition() const
{
    return m_file.damaged(QStringLiteral("la definizione della tabella %1 non si può leggere").arg(m_name));
}

// libmdb follows a definition over its pages and the pointers to its usage maps without
// checking that they lie inside the file; they are checked here first.
void JetTable::checkDefinitionPages() const
{
    const MdbFormatConstants &format = *m_file.handle()->fmt;
    QSet<quint32> seen;
    for (quint32 n = m_definitionPage; n != 0;) {
        if (seen.contains(n))
            throw badDefinition();
        seen.insert(n);
        const QByteArray page = m_file.page(n, owner());
        if (page[0] != kDefinitionPage)
            throw badDefinition();
        if (n == m_definitionPage) {
            for (const qsizetype at : {qsizetype(format.tab_usage_map_offset), qsizetype(format.tab_free_map_offset)}) {
                if (at + 4 > page.size() || pointerPage(word32(page, at)) >= m_file.pageCount())
                    throw badDefinition();
            }
        }
        n = word32(page, kNextPageOffset);
    }
}

void JetTable::readLayout()
{
    MdbCatalogEntry entry{};
    entry.mdb = m_file.handle();
    entry.object_type = MDB_TABLE;
    entry.table_pg = m_definitionPage;
    qstrncpy(entry.object_name, m_name.toUtf8().constData(), sizeof entry.object_name);
    const std::unique_ptr<MdbTableDef, void (*)(MdbTableDef *)> table(mdb_read_table(&entry), mdb_free_tabledef);
    if (!table || !mdb_read_columns(table.get()))
        throw badDefinition();
    m_hasVariableColumns = table->num_var_cols > 0;
    for (guint i = 0; i < table->columns->len; ++i) {
        const auto *column = static_cast<const MdbColumn *>(g_ptr_array_index(table->columns, i));
        ColumnLayout layout;
        layout.name = QString::fromUtf8(column->name);
        layout.type = quint8(column->col_type);
        layout.number = column->col_num;
        layout.fixed = column->is_fixed;
        layout.fixedOffset = column->fixed_offset;
        layout.variableIndex = int(column->var_col_num);
        layout.size = column->col_size;
        // libmdb 1.0 reads a decimal column's precision and scale each from the other's byte.
        layout.scale = column->col_prec;
        m_columns.append(layout);
    }
}

QList<quint32> JetTable::dataPages() const
{
    const auto bad = [this] {
        return m_file.damaged(QStringLiteral("l'elenco delle pagine della tabella %1 non si può leggere").arg(m_name));
    };
    const QByteArray definition = m_file.page(m_definitionPage, owner());
    const quint32 pointer = word32(definition, m_file.handle()->fmt->tab_usage_map_offset);
    const QByteArray mapPage = m_file.page(pointerPage(pointer), owner());
    const auto slot = JetRow::slot(mapPage, m_file.rowCountOffset(), pointerRow(pointer));
    if (!slot || slot->end - slot->start < 1)
        throw bad();
    const QByteArrayView map = QByteArrayView(mapPage).sliced(slot->start, slot->end - slot->start);

    QList<quint32> pages;
    const quint8 kind = quint8(map[0]);
    if (kind == kInlineMap) {
        // A first page number, then one bit for each page from there.
        if (map.size() < 5)
            throw bad();
        appendSetBits(map.sliced(5), word32(map, 1), pages);
    } else if (kind == kPagedMap) {
        // Page numbers of bitmap pages, each covering the pages its bits can count.
        const quint64 pagesPerMap = quint64(m_file.pageSize() - 4) * 8;
        for (qsizetype at = 1; at + 4 <= map.size(); at += 4) {
            const quint32 bitmapPage = word32(map, at);
            if (bitmapPage == 0)
                continue;
            const QByteArray bitmap = m_file.page(bitmapPage, owner());
            appendSetBits(QByteArrayView(bitmap).sliced(4), quint64(at - 1) / 4 * pagesPerMap, pages);
        }
    } else {
        throw bad();
    }
    return pages;
}

QByteArray JetTable::longValue(const ColumnLayout &column, QByteArrayView field) const
{
    if (field.isEmpty())
        return QByteArray();
    const auto bad = [this, &column] {
        return m_file.damaged(QStringLiteral("il campo %1 della tabella %2 rimanda a un testo lungo che non si può leggere")
                                  .arg(column.name, m_name));
    };
    const auto ref = JetField::longValue(field);
    if (!ref)
        throw bad();
    if (ref->kind == LongValueRef::Kind::Inline)
        return ref->inlineData.toByteArray();

    // A chain's rows each begin with the pointer to the next; a row seen twice is a loop.
    QByteArray value;
    QSet<quint64> seen;
    quint32 page = ref->page;
    int row = ref->row;
    while (value.size() < ref->length) {
        const quint64 key = (quint64(page) << 8) | quint64(row);
        if (page == 0 || seen.contains(key))
            throw bad();
        seen.insert(key);
        const QByteArray bytes = m_file.page(page, owner());
        const auto slot = JetRow::slot(bytes, m_file.rowCountOffset(), row);
        if (!slot)
            throw bad();
        const QByteArrayView chunk = QByteArrayView(bytes).sliced(slot->start, slot->end - slot->start);
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

void JetTable::setCell(TableData &data, int column, const ColumnLayout &layout, QByteArrayView bytes) const
{
    switch (layout.type) {
    case ColumnType::Text:
        data.setText(column, JetField::text(m_file.version(), bytes));
        break;
    case ColumnType::Memo:
        data.setText(column, JetField::text(m_file.version(), longValue(layout, bytes)));
        break;
    case ColumnType::Ole:
        data.setBinary(column, longValue(layout, bytes));
        break;
    default: {
        const Value value = JetField::fixed(layout.type, bytes, layout.scale);
        if (value.isNull()) {
            throw m_file.damaged(QStringLiteral("il campo %1 della tabella %2 è più corto del suo tipo")
                                     .arg(layout.name, m_name));
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
                throw m_file.damaged(QStringLiteral("nella tabella %1 manca il campo %2").arg(m_name, name));
            columns.append(*it);
        }
    }
    QList<ColumnInfo> infos;
    for (const ColumnLayout &column : columns)
        infos.append({column.name, JetField::valueType(column.type)});
    TableData data(m_name, infos);

    std::vector<FieldSpan> fields;
    const int rowCountOffset = m_file.rowCountOffset();
    for (const quint32 pageNumber : dataPages()) {
        const QByteArray page = m_file.page(pageNumber, owner());
        // A usage map may list a page since taken by another table, which Jet itself ignores.
        if (page[0] != kDataPage || word32(page, kOwnerOffset) != m_definitionPage)
            continue;
        const int rows = JetRow::rowCount(page, rowCountOffset);
        for (int r = 0; r < rows; ++r) {
            const auto slot = JetRow::slot(page, rowCountOffset, r);
            if (slot && slot->skipped)
                continue;
            const QByteArrayView row = slot ? QByteArrayView(page).sliced(slot->start, slot->end - slot->start)
                                            : QByteArrayView();
            if (!slot || !JetRow::split(m_file.version(), row, m_hasVariableColumns, columns, fields)) {
                throw m_file.damaged(QStringLiteral("la riga %1 della pagina %2 della tabella %3 non si può leggere")
                                         .arg(r + 1).arg(pageNumber).arg(m_name));
            }
            data.appendRow();
            for (int c = 0; c < columns.size(); ++c) {
                const FieldSpan &field = fields[c];
                if (columns[c].type == ColumnType::Boolean)
                    data.setBoolean(c, field.flag);
                else if (!field.null)
                    setCell(data, c, columns[c], row.sliced(field.start, field.length));
            }
        }
    }
    return data;
}

} // namespace hoteldb::jet
