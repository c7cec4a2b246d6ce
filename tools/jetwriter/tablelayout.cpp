#include "tablelayout.h"

#include "jetwriteerror.h"
#include "textcodec.h"

#include <QSet>

namespace jetwriter {

namespace {

constexpr int kMaxColumns = 255;
constexpr int kMaxNameLength = 64;
constexpr int kMaxTextSize = 255;

StoredType storedType(ColumnType type)
{
    switch (type) {
    case ColumnType::Text: return StoredType::Text;
    case ColumnType::Memo: return StoredType::Memo;
    case ColumnType::Long: return StoredType::Long;
    case ColumnType::Integer: return StoredType::Integer;
    case ColumnType::Byte: return StoredType::Byte;
    case ColumnType::Double: return StoredType::Double;
    case ColumnType::Boolean: return StoredType::Boolean;
    case ColumnType::DateTime: return StoredType::DateTime;
    }
    Q_UNREACHABLE();
}

int fixedSize(StoredType type)
{
    switch (type) {
    case StoredType::Byte: return 1;
    case StoredType::Integer: return 2;
    case StoredType::Long: return 4;
    case StoredType::Double:
    case StoredType::DateTime: return 8;
    default: return 0;
    }
}

// Access's rules for object names, plus the code page of Jet 3 files.
QString nameProblem(const QString &name, const FormatTraits &traits)
{
    if (name.isEmpty())
        return QStringLiteral("il nome è vuoto");
    if (name.size() > kMaxNameLength)
        return QStringLiteral("il nome supera i %1 caratteri").arg(kMaxNameLength);
    if (name.startsWith(u' '))
        return QStringLiteral("il nome inizia con uno spazio");
    for (QChar c : name) {
        if (c.unicode() < 0x20 || QStringView(u".![]`").contains(c))
            return QStringLiteral("il nome contiene il carattere non ammesso %1").arg(codePointLabel(c));
    }
    QChar unencodable;
    if (!traits.jet4() && !encodeWindows1252(name, &unencodable))
        return QStringLiteral("il carattere «%1» del nome non esiste nella codifica Windows-1252 dei file Jet 3")
            .arg(unencodable);
    return {};
}

} // namespace

TableLayout TableLayout::of(const Table &table, const FormatTraits &traits)
{
    if (const QString problem = nameProblem(table.name, traits); !problem.isEmpty())
        throw JetWriteError(QStringLiteral("Nome di tabella «%1» non valido: %2.").arg(table.name, problem));
    if (table.name.startsWith(QLatin1String("MSys"), Qt::CaseInsensitive))
        throw JetWriteError(
            QStringLiteral("Nome di tabella «%1» non valido: i nomi che iniziano con «MSys» sono riservati alle tabelle di sistema.")
                .arg(table.name));
    if (table.columns.isEmpty() || table.columns.size() > kMaxColumns)
        throw JetWriteError(QStringLiteral("Tabella «%1»: le colonne devono essere da 1 a %2, non %3.")
                                .arg(table.name)
                                .arg(kMaxColumns)
                                .arg(table.columns.size()));

    QList<StoredColumn> columns;
    QSet<QString> seen;
    for (const Column &column : table.columns) {
        const auto where = QStringLiteral("Tabella «%1», colonna «%2»").arg(table.name, column.name);
        if (const QString problem = nameProblem(column.name, traits); !problem.isEmpty())
            throw JetWriteError(QStringLiteral("%1: nome non valido, %2.").arg(where, problem));
        if (seen.contains(column.name.toCaseFolded()))
            throw JetWriteError(QStringLiteral("%1: nome ripetuto nella tabella.").arg(where));
        seen.insert(column.name.toCaseFolded());
        if (column.type == ColumnType::Text && (column.size < 1 || column.size > kMaxTextSize))
            throw JetWriteError(QStringLiteral("%1: la dimensione di un testo va da 1 a %2 caratteri, non %3.")
                                    .arg(where)
                                    .arg(kMaxTextSize)
                                    .arg(column.size));
        StoredColumn stored;
        stored.name = column.name;
        stored.type = storedType(column.type);
        stored.maxChars = column.type == ColumnType::Text ? column.size : 0;
        columns.append(stored);
    }
    return TableLayout(table.name, columns, false);
}

TableLayout::TableLayout(QString name, QList<StoredColumn> columns, bool system)
    : m_name(std::move(name)), m_columns(std::move(columns)), m_system(system)
{
    for (int i = 0; i < m_columns.size(); ++i) {
        StoredColumn &column = m_columns[i];
        column.number = i;
        column.fixed = fixedSize(column.type) > 0 || column.type == StoredType::Boolean;
        column.fixedSize = fixedSize(column.type);
        column.variableIndex = m_variableCount;
        if (column.fixed) {
            column.fixedOffset = m_fixedAreaSize;
            m_fixedAreaSize += column.fixedSize;
        } else {
            ++m_variableCount;
        }
        if (column.isLongValue())
            column.longValueSlot = m_longValueCount++;
    }
}

} // namespace jetwriter
