// libFuzzer target for the query language: an input starting with "C:" is a search criterion,
// any other input a SELECT text; both are parsed and evaluated over small tables held in memory.
// Refusing a text with a DbError is the expected outcome; anything else that escapes, and every
// crash, leak or undefined behaviour the sanitizers see, is a fault.

#include "cachedtable.h"
#include "dberror.h"
#include "evaluator.h"
#include "querycontext.h"
#include "selectexecutor.h"
#include "sqlparser.h"

#include <QHash>
#include <QVariant>

#include <cstdint>

using namespace hoteldb;

namespace {

std::shared_ptr<TableData> guestCards()
{
    auto table = std::make_shared<TableData>(
        "Scheda_Cliente",
        QList<ColumnInfo>{{"NumeroHotel", Value::Type::Integer}, {"NumeroCamera", Value::Type::Text},
                          {"NumeroProgressivo", Value::Type::Integer}, {"DataArrivo", Value::Type::Text},
                          {"DataPartenza", Value::Type::Text}, {"DataPartenzaReale", Value::Type::Text},
                          {"Partito", Value::Type::Text}, {"CodiceCapoFamiglia", Value::Type::Integer},
                          {"Lingua", Value::Type::Text}, {"NomeCliente", Value::Type::Text},
                          {"Importo", Value::Type::Real}, {"Presente", Value::Type::Boolean},
                          {"Nascita", Value::Type::DateTime}});
    const QList<QVariantList> rows = {
        {1, "101", 15, "20261207", "20261210", "", "N", 0, "I", "ROSSI MARIO", 12.5, true, 30000.0},
        {1, "9", 16, "20261207", "20261208", "20261209", "S", 15, "*", "*** ***", -1.0, false, 1.0},
        {2, " 10 ", 17, "20261206", "20261206", "20261207", "S", 15, QVariant(), "D'ANGELO", QVariant(), QVariant(),
         QVariant()},
        {1, QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), "città", "Città ", 0.0,
         true, -2.5},
        {1, "ZZZZZZ", 9223372036854775807LL, "2026", "", "99999999", "N", -1, "", "", 1e300, false, 2958465.0},
    };
    for (const QVariantList &row : rows) {
        table->appendRow();
        for (int column = 0; column < row.size(); ++column) {
            const QVariant &v = row[column];
            if (v.isNull())
                continue;
            switch (table->columns()[column].type) {
            case Value::Type::Integer: table->setInteger(column, v.toLongLong()); break;
            case Value::Type::Text: table->setText(column, v.toString()); break;
            case Value::Type::Real: table->setReal(column, v.toDouble()); break;
            case Value::Type::Boolean: table->setBoolean(column, v.toBool()); break;
            default: table->setReal(column, v.toDouble()); break;
            }
        }
    }
    return table;
}

std::shared_ptr<TableData> roomTypes()
{
    auto table = std::make_shared<TableData>(
        "TipiCamere", QList<ColumnInfo>{{"NumeroHotel", Value::Type::Integer}, {"Sigla", Value::Type::Text},
                                        {"Tipologia", Value::Type::Text}});
    const char *rows[][2] = {{"DOP", "C"}, {"SIN", "c"}, {"APP", "A"}, {"101", "C"}};
    for (const auto &row : rows) {
        table->appendRow();
        table->setInteger(0, 1);
        table->setText(1, QString::fromLatin1(row[0]));
        table->setText(2, QString::fromLatin1(row[1]));
    }
    table->appendRow();
    return table;
}

class MemoryContext : public QueryContext
{
public:
    std::shared_ptr<CachedTable> table(const SelectStatement::Name &name) override
    {
        static QHash<QString, std::shared_ptr<CachedTable>> tables = {
            {"scheda_cliente", std::make_shared<CachedTable>(guestCards(), "Scheda_Cliente.mdb")},
            {"tipicamere", std::make_shared<CachedTable>(roomTypes(), "TipiCamere.mdb")},
        };
        auto found = tables.value(name.text.toLower());
        if (!found)
            throw DbError(QStringLiteral("Manca la tabella %1.").arg(name.text));
        return found;
    }
    std::unique_ptr<QueryContext> sibling(const SelectStatement::Name &) override
    {
        return std::make_unique<MemoryContext>();
    }
};

void run(const QString &input)
{
    MemoryContext context;
    if (input.startsWith(u"C:")) {
        const QueryText text(input.mid(2));
        const auto criteria = SqlParser::parseCriteria(text);
        const auto table = context.table({"Scheda_Cliente", 0});
        const Evaluator evaluator(*criteria, *table, context, text);
        int matches = 0;
        for (qsizetype row = 0; row < table->data().rowCount(); ++row)
            matches += evaluator.isTrue(row) ? 1 : 0;
        // The indexes must never lose a row that the condition selects, nor give rows out of order.
        RowList storage;
        if (const auto candidates = evaluator.candidates(storage)) {
            int viaIndex = 0;
            for (size_t i = 0; i < candidates->size(); ++i) {
                if (i > 0 && (*candidates)[i - 1] >= (*candidates)[i])
                    __builtin_trap();
                viaIndex += evaluator.isTrue((*candidates)[i]) ? 1 : 0;
            }
            if (viaIndex != matches)
                __builtin_trap();
        }
        return;
    }
    const QueryText text(input);
    const auto statement = SqlParser::parseSelect(text);
    auto table = context.table(statement->table);
    const auto rows = SelectExecutor::run(*statement, *table, context, text);
    if (rows) {
        for (qint32 row : *rows) {
            if (row < 0 || row >= table->data().rowCount())
                __builtin_trap();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        run(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    } catch (const DbError &) {
        // A refused text: the outcome the language promises for anything it does not accept.
    }
    return 0;
}
