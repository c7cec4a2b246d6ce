// libFuzzer target for the decoding of Jet database files: the input is a whole file image,
// read as the tool reads a database (header, catalog, table definitions, usage maps, rows and
// long values) and every value of every table then fetched. Refusing an image with a DbError is
// the expected outcome; anything else that escapes, and every crash, hang, leak or undefined
// behaviour the sanitizers see, is a fault.

#include "dberror.h"
#include "jetreader.h"

#include <cstdint>

using namespace hoteldb;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        const JetReader reader =
            JetReader::fromImage(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), QStringLiteral("Fuzz.mdb"));
        for (const QString &name : reader.tableNames()) {
            const auto table = reader.readTable(name);
            for (qsizetype row = 0; row < table->rowCount(); ++row) {
                for (int column = 0; column < table->columnCount(); ++column)
                    table->value(row, column);
            }
        }
    } catch (const DbError &) {
    }
    return 0;
}
