#include "writtenfiles.h"

#include "csvrow.h"
#include "operatorerror.h"
#include "operatormessage.h"
#include "textlines.h"
#include "windows1252.h"

#include <QFileInfo>
#include <QDeadlineTimer>
#include <QLockFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace movement {

namespace {

// A register of this size would hold centuries of daily files: anything larger is no register.
constexpr qint64 kMaxRegisterSize = 64 * 1024 * 1024;
constexpr int kPollMs = 20;

// How the register's text is kept, so that the tool's lines follow the form the file has now,
// whatever the tool, a spreadsheet or an editor last saved it with.
struct Form
{
    std::optional<QStringConverter::Encoding> encoding; // nullopt: Windows-1252, not valid UTF-8
    QByteArray lineEnd;
    QChar separator;

    static Form of(const QByteArray &bytes, const RegisterLayout &layout)
    {
        Form form{QStringConverter::encodingForData(bytes).value_or(QStringConverter::Utf8), "\r\n", layout.separator};
        QStringDecoder decoder(*form.encoding);
        const QString text = decoder(bytes);
        if (decoder.hasError() && !QStringConverter::encodingForData(bytes))
            form.encoding.reset();
        // A spreadsheet on Linux or macOS saves with LF alone.
        if (!text.contains(u"\r\n") && text.contains(u'\n'))
            form.lineEnd = "\n";
        return form;
    }

    QByteArray encoded(const QString &text) const
    {
        if (!encoding) {
            // A character the code page lacks (a path in another script) keeps UTF-8: the line stays whole.
            if (const std::optional<QByteArray> bytes = core::toWindows1252(text))
                return *bytes;
            return text.toUtf8();
        }
        QStringEncoder encoder(*encoding);
        return encoder.encode(text);
    }

    bool endsLine(const QByteArray &bytes) const
    {
        return bytes.endsWith(encoded(QStringLiteral("\n"))) || bytes.endsWith(encoded(QStringLiteral("\r")));
    }
};

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
        // The captions say where a spreadsheet moved the columns, and which separator it used.
        if (const std::optional<RegisterLayout> captions = RegisterLayout::fromCaptions(lines[i])) {
            contents.layout = *captions;
            continue;
        }
        const std::optional<QStringList> fields = core::csvFields(lines[i], contents.layout.separator);
        const std::optional<RegisterEntry> entry = fields ? RegisterEntry::fromTexts(*fields, contents.layout)
                                                          : std::nullopt;
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
    const QDeadlineTimer deadline(m_waitMs);
    while (!lock.tryLock(kPollMs) && lock.error() == QLockFile::LockFailedError && !deadline.hasExpired()) {
    }
    if (!lock.isLocked())
        throw core::OperatorError(lock.error() == QLockFile::LockFailedError
                                      ? core::operatorMessage(u"il registro «%1» è occupato da un'altra scrittura da più di "
                                                                 u"%2 secondi",
                                                                 {name, QString::number(m_waitMs / 1000.0)})
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
    if (before.isEmpty()) {
        added = core::kUtf8ByteOrderMark.toByteArray() + core::csvRow(registerCaptions()) + core::csvRow(entry.texts());
    } else {
        // In the file's encoding, separator and line ends, in the order of its columns.
        const Form form = Form::of(before, contents.layout);
        const QList<int> &positions = contents.layout.positions;
        const QStringList texts = entry.texts();
        QStringList fields;
        for (int at = 0; at < contents.layout.width; ++at)
            fields << texts.value(positions.indexOf(at));
        if (!form.endsLine(before))
            added = form.encoded(QString::fromLatin1(form.lineEnd)); // the last line was cut short
        added += form.encoded(QString::fromUtf8(core::csvRow(fields, form.separator, form.lineEnd)));
    }
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
