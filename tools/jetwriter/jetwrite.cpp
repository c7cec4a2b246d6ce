// jetwrite DESCRIPTION.json OUT.mdb [--format jet3|jet4]: writes the Jet database a JSON
// description gives; the option overrides the description's "format".
#include "jetwriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <optional>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

int usage(QTextStream &err)
{
    err << "Uso: jetwrite DESCRIZIONE.json USCITA.mdb [--format jet3|jet4]\n";
    return kUsage;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList arguments = app.arguments().mid(1);

    std::optional<jetwriter::Format> format;
    if (const qsizetype option = arguments.indexOf(QStringLiteral("--format")); option >= 0) {
        const QString value = arguments.value(option + 1);
        if (value == QLatin1String("jet3"))
            format = jetwriter::Format::Jet3;
        else if (value == QLatin1String("jet4"))
            format = jetwriter::Format::Jet4;
        else
            return usage(err);
        arguments.remove(option, 2);
    }
    if (arguments.size() != 2 || arguments[0].startsWith(u'-') || arguments[1].startsWith(u'-'))
        return usage(err);

    QFile input(arguments[0]);
    if (!input.open(QIODevice::ReadOnly)) {
        err << "jetwrite: impossibile leggere «" << arguments[0] << "»: " << input.errorString() << "\n";
        return kFailed;
    }
    try {
        jetwriter::Description description = jetwriter::parseDescription(input.readAll());
        if (format)
            description.format = *format;
        jetwriter::writeDatabaseFile(description, arguments[1]);
    } catch (const jetwriter::JetWriteError &error) {
        err << "jetwrite: " << error.message() << "\n";
        return kFailed;
    }
    return 0;
}
