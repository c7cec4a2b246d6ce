// naxdemohotel TEMPLATE.json FOLDER [YYYY-MM-DD]: writes the demo hotel's databases into the
// folder, with the template's days counted from the given day (today when omitted).
#include "demohotel.h"
#include "operatorerror.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = app.arguments().mid(1);
    const QDate today = arguments.size() == 3 ? QDate::fromString(arguments[2], Qt::ISODate) : QDate::currentDate();
    if (arguments.size() < 2 || arguments.size() > 3 || !today.isValid()) {
        err << "Uso: naxdemohotel MODELLO.json CARTELLA [AAAA-MM-GG]\n";
        return 2;
    }
    QFile input(arguments[0]);
    if (!input.open(QIODevice::ReadOnly)) {
        err << "naxdemohotel: impossibile leggere «" << arguments[0] << "»: " << input.errorString() << "\n";
        return 1;
    }
    try {
        demo::writeDemoHotel(input.readAll(), QDir(arguments[1]), today);
    } catch (const std::exception &e) {
        err << "naxdemohotel: " << core::messageOf(e) << "\n";
        return 1;
    }
    return 0;
}
