#include "runlog.h"

#include "operatorerror.h"
#include "savefile.h"
#include "textlines.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStringList>

namespace app {

namespace {

const QString kIndent = QStringLiteral("  ");
constexpr int kWaitMs = 5000;
constexpr qint64 kMostBytes = 4 * 1024 * 1024;

// What a stream printed, on one line.
QString oneLine(const QByteArray &printed)
{
    return QString::fromUtf8(printed).split(u'\n', Qt::SkipEmptyParts).join(QStringLiteral("; "));
}

} // namespace

QString runNote(const QDateTime &when, int status, const QByteArray &out, const QByteArray &err)
{
    const QString printed = oneLine(out);
    const QString problems = oneLine(err);
    QString note = when.toString(u"dd/MM/yyyy HH:mm:ss") + u' ';
    QString besides;
    if (status == 0) {
        note += QStringLiteral("fatto: ") + (printed.isEmpty() ? QStringLiteral("nessun file da scrivere") : printed);
        besides = problems;
    } else {
        note += QStringLiteral("errore (stato %1): ").arg(status) + problems;
        besides = printed;
    }
    return besides.isEmpty() ? note : note + u'\n' + kIndent + besides;
}

void addRunNote(const QString &path, const QString &note)
{
    const QString shown = QDir::toNativeSeparators(path);
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(kWaitMs))
        throw core::OperatorError(u"Il file «%1» è occupato da un'altra esecuzione.", {shown});
    QStringList lines;
    if (QFileInfo::exists(path)) {
        // Closed before it is replaced: Windows replaces no file that is open.
        QFile file(path);
        if (!QFileInfo(path).isFile() || QFileInfo(path).size() > kMostBytes || !file.open(QIODevice::ReadOnly))
            throw core::OperatorError(u"Il file «%1» non è un file di log o non si può leggere.", {shown});
        lines = core::textLines(file.readAll());
    }
    // A run's second line is indented; every other line begins a run, those an older program
    // printed included.
    QList<qsizetype> starts;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines[i].startsWith(kIndent) || starts.isEmpty())
            starts << i;
    }
    if (starts.size() >= kRunsKept)
        lines = lines.mid(starts[starts.size() - kRunsKept + 1]);
    lines << note.split(u'\n');
    const QByteArray bytes = lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
    core::saveAtomically(path, [&](QIODevice &out) {
        if (out.write(bytes) != bytes.size())
            throw core::OperatorError(u"Scrittura non riuscita nel file «%1».", {shown});
    });
}

} // namespace app
