// Stands in for the browser in the window tests, on every system: writes its arguments, one
// per line, into "browser.txt" in the folder it was started in, through a temporary file so
// that a test never reads half of it.

#include <QCoreApplication>
#include <QFile>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QByteArray lines;
    for (const QString &argument : application.arguments().mid(1))
        lines += argument.toUtf8() + '\n';
    QFile record(QStringLiteral("browser.tmp"));
    if (!record.open(QIODevice::WriteOnly) || record.write(lines) != lines.size())
        return 1;
    record.close();
    QFile::remove(QStringLiteral("browser.txt"));
    return record.rename(QStringLiteral("browser.txt")) ? 0 : 1;
}
