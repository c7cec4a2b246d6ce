// libFuzzer target for the decoding of Jet database files: the input is a whole file image,
// read as the tool reads a database (header, catalog, table definitions, usage maps, rows and
// long values) and every value of the hotel program's tables then fetched. Refusing an image
// with a DbError is the expected outcome; anything else that escapes, and every crash, hang,
// leak or undefined behaviour the sanitizers see, is a fault.

#include "dberror.h"
#include "jetreader.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace hoteldb;

namespace {

// The tables of the hotel program's databases, which the tool reads by name.
const char *const kTables[] = {"Scheda_Cliente", "NumeriCamere", "TipiCamere", "CodiciVari", "Stati"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The reader takes a file, as the tool gives it one.
    static const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Fuzz.mdb"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
    file.close();
    try {
        const JetReader reader(path);
        for (const char *name : kTables) {
            try {
                const auto table = reader.readTable(QLatin1String(name));
                for (qsizetype row = 0; row < table->rowCount(); ++row) {
                    for (int column = 0; column < table->columnCount(); ++column)
                        table->value(row, column);
                }
            } catch (const DbError &) {
            }
        }
    } catch (const DbError &) {
    }
    return 0;
}
