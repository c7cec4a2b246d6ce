#include "selectexecutor.h"

#include "evaluator.h"
#include "scalar.h"

#include <algorithm>
#include <numeric>

namespace hoteldb {

std::shared_ptr<const RowList> SelectExecutor::run(const SelectStatement &statement, CachedTable &table,
                                                   QueryContext &context, const QueryText &text)
{
    const TableData &data = table.data();
    std::vector<int> order;
    for (const auto &field : statement.orderBy) {
        order.push_back(table.column(field.text));
        Scalar::isTextColumn(data, order.back(), table.databaseName()); // refuses a field no query can sort
    }
    if (!statement.where && order.empty())
        return nullptr;

    auto rows = std::make_shared<RowList>();
    if (statement.where) {
        const Evaluator condition(*statement.where, table, context, text);
        RowList storage;
        if (const auto candidates = condition.candidates(storage)) {
            std::copy_if(candidates->begin(), candidates->end(), std::back_inserter(*rows),
                         [&](qint32 row) { return condition.isTrue(row); });
        } else {
            for (qsizetype row = 0; row < data.rowCount(); ++row) {
                if (condition.isTrue(row))
                    rows->push_back(qint32(row));
            }
        }
    } else {
        rows->resize(size_t(data.rowCount()));
        std::iota(rows->begin(), rows->end(), 0);
    }

    if (!order.empty()) {
        std::stable_sort(rows->begin(), rows->end(), [&](qint32 a, qint32 b) {
            for (int column : order) {
                const Scalar x = Scalar::fromCell(data, a, column);
                const Scalar y = Scalar::fromCell(data, b, column);
                if (x.isNull() != y.isNull())
                    return x.isNull();
                if (x.isNull())
                    continue;
                if (const int c = Scalar::compare(x, y); c != 0)
                    return c < 0;
            }
            return false;
        });
    }
    return rows;
}

} // namespace hoteldb
