#include "writtenfiles.h"

#include "csvrow.h"
#include "operatorerror.h"
#include "operatormessage.h"
#include "textlines.h"

#include <QFileInfo>
#include <QDeadlineTimer>
#include <QLockFile>
#include <QStringEncoder>

namespace movement {

namespace {

// A register of this size would hold centuries of daily files: anything larger is no register.
constexpr qint64 kMaxRegisterSize = 64 * 1024 * 1024;
constexpr int kPollMs = 20;

// UTF-8 text in the encoding the register's byte-order mark names, so that a register an
// editor saved as UTF-16 stays readable after the tool's lines.
QByteArray sameEncoding(const QByteArray &registerBytes, const QByteArray &utf8)
{
    const std::optional<QStringConverter::Encoding> named = QStringConverter::encodingForData(registerBytes);
    if (!named || *named == QStringConverter::Utf8)
        return utf8;
    QStringEncoder encoder(*named);
    return encoder.encode(QString::fromUtf8(utf8));
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

RegisterContents RegisterContents::parse(const QByteArray &bytes)
{
    RegisterContents contents;
    const QStringList lines = core::textLines(bytes);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        const std::optional<QStringList> fields = core::csvFields(lines[i]);
        if (fields && i == 0 && fields->mid(0, registerCaptions().size()) == registerCaptions())
            continue;
        const std::optional<RegisterEntry> entry = fields ? RegisterEntry::fromTexts(*fields) : std::nullopt;
        if (entry)
            contents.entries << *entry;
        else
            contents.unreadable << int(i + 1);
    }
    return contents;
}

QString RegisterContents::warning() const
{
    if (unreadable.isEmpty())
        return {};
    QStringList numbers;
    for (int line : unreadable)
        numbers << QString::number(line);
    return core::operatorMessage(unreadable.size() == 1 ? u"Nel registro «%1» la riga %2 non si legge: è rimasta com'è "
                                                             u"e non conta per i giorni scritti."
                                                           : u"Nel registro «%1» le righe %2 non si leggono: sono rimaste "
                                                             u"come sono e non contano per i giorni scritti.",
                                    {kRegisterFileName, numbers.join(u", ")});
}

QByteArray WrittenFiles::bytes(QFile &file) const
{
    if (file.size() > kMaxRegisterSize)
        throw core::OperatorError(u"il registro «%1» è troppo grande (più di %2 MB) per essere un registro del programma",
                                  {shown(path()), QString::number(kMaxRegisterSize / 1024 / 1024)});
    const QByteArray read = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw core::OperatorError(u"il registro «%1» non si può leggere", {shown(path())});
    return read;
}

RegisterContents WrittenFiles::read() const
{
    const QFileInfo info(path());
    if (!info.exists())
        return {};
    QFile file(path());
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        throw core::OperatorError(u"il registro «%1» non è un file o non si può aprire", {shown(path())});
    return RegisterContents::parse(bytes(file));
}

RegisterContents WrittenFiles::append(const RegisterEntry &entry) const
{
    const QString name = shown(path());
    QLockFile lock(path() + QStringLiteral(".lock"));
    lock.setStaleLockTime(kStaleMs);
    // Tried often, briefly: Qt's own wait doubles its pauses, and a writer adding line after
    // line would seldom leave the lock free at the few moments it looks.
    const QDeadlineTimer deadline(kWaitMs);
    while (!lock.tryLock(kPollMs) && lock.error() == QLockFile::LockFailedError && !deadline.hasExpired()) {
    }
    if (!lock.isLocked())
        throw core::OperatorError(lock.error() == QLockFile::LockFailedError
                                      ? core::operatorMessage(u"il registro «%1» è occupato da un'altra scrittura da più di "
                                                                 u"%2 secondi",
                                                                 {name, QString::number(kWaitMs / 1000)})
                                      : core::operatorMessage(u"nella cartella «%1» non si può creare il file di blocco del "
                                                                 u"registro (disco pieno o di sola lettura, oppure permessi)",
                                                                 {shown(m_folder.absolutePath())}));
    const QFileInfo info(path());
    QFile file(path());
    if ((info.exists() && !info.isFile()) || !file.open(QIODevice::ReadWrite))
        throw core::OperatorError(u"il file «%1» non si può aprire in scrittura (forse è aperto in un foglio di calcolo, "
                                  u"oppure il file, la cartella o il disco sono di sola lettura)",
                                  {name});
    const QByteArray before = bytes(file);
    RegisterContents contents = RegisterContents::parse(before);

    QByteArray added;
    if (before.isEmpty())
        added = core::kUtf8ByteOrderMark.toByteArray() + core::csvRow(registerCaptions());
    else if (!before.endsWith(sameEncoding(before, "\n")) && !before.endsWith(sameEncoding(before, "\r")))
        added = sameEncoding(before, "\r\n"); // the last line was cut short: the new one starts on a line of its own
    added += sameEncoding(before, core::csvRow(entry.texts()));
    if (!file.seek(before.size()) || file.write(added) != added.size() || !file.flush()) {
        const bool full = file.error() == QFileDevice::ResourceError;
        // Only the bytes just added are taken back; the operator's lines are never touched.
        file.resize(before.size());
        throw core::OperatorError(full ? core::operatorMessage(u"lo spazio sul disco del registro «%1» è esaurito", {name})
                                       : core::operatorMessage(u"la scrittura nel registro «%1» non è riuscita", {name}));
    }
    return contents;
}

} // namespace movement
