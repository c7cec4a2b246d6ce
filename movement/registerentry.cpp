#include "registerentry.h"

#include "daytext.h"
#include "operatorerror.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace movement {

namespace {

const QString kTimeFormat = QStringLiteral("dd/MM/yyyy HH:mm:ss");
const QString kWindow = QStringLiteral("finestra");
const QString kCommandLine = QStringLiteral("riga di comando");
constexpr std::array kKinds{FileKind::Classic, FileKind::Schema, FileKind::Closed};

enum Column {
    kWrittenAt, kSource, kKind, kFirst, kLast, kStructure, kRoomFrom, kRoomTo, kPath, kSize, kSha,
    kArrivals, kDepartures, kGuests, kRooms, kColumns
};

std::optional<QDate> day(const QString &text)
{
    const QDate d = QDate::fromString(text, u"dd/MM/yyyy");
    return d.isValid() ? std::optional(d) : std::nullopt;
}

// The date and the time are read apart: Qt's reading of a whole date and time with a format takes
// about a millisecond a line on Windows, and the register is read at every start and every append.
QDateTime moment(const QString &text)
{
    const QStringList parts = text.split(u' ');
    if (parts.size() != 2)
        return {};
    const std::optional<QDate> d = day(parts[0]);
    const QTime time = QTime::fromString(parts[1], u"HH:mm:ss");
    return d && time.isValid() ? QDateTime(*d, time) : QDateTime();
}

std::optional<qint64> count(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,15}$"));
    return digits.match(text).hasMatch() ? std::optional(text.toLongLong()) : std::nullopt;
}

} // namespace

QStringList registerCaptions()
{
    return {QStringLiteral("Scritto il"),     QStringLiteral("Da"),
            QStringLiteral("File"),           QStringLiteral("Dal"),
            QStringLiteral("Al"),             QStringLiteral("Struttura"),
            QStringLiteral("Dalla camera"),   QStringLiteral("Alla camera"),
            QStringLiteral("Percorso"),       QStringLiteral("Byte"),
            QStringLiteral("SHA-256"),        QStringLiteral("Arrivi"),
            QStringLiteral("Partenze"),       QStringLiteral("Ospiti presenti l'ultimo giorno"),
            QStringLiteral("Camere occupate l'ultimo giorno")};
}

RegisterEntry RegisterEntry::forFile(const QString &path, FileKind kind, const FileFigures &figures, Source source,
                                     const QDateTime &writtenAt, const QString &structure, const QString &roomFrom,
                                     const QString &roomTo)
{
    QFile file(path);
    QCryptographicHash sha(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !sha.addData(&file))
        throw core::OperatorError(u"il file «%1» appena scritto non si rilegge", {QDir::toNativeSeparators(path)});
    RegisterEntry entry;
    entry.writtenAt = writtenAt;
    entry.source = source;
    entry.kind = kind;
    entry.structure = structure;
    entry.roomFrom = roomFrom;
    entry.roomTo = roomTo;
    entry.path = QDir::toNativeSeparators(path);
    entry.size = file.size();
    entry.sha256 = QString::fromLatin1(sha.result().toHex());
    entry.figures = figures;
    return entry;
}

QStringList RegisterEntry::texts() const
{
    return {writtenAt.toString(kTimeFormat),
            source == Source::Window ? kWindow : kCommandLine,
            wordsOf(kind).recorded.toString(),
            dayText(figures.first),
            dayText(figures.last),
            structure,
            roomFrom,
            roomTo,
            path,
            QString::number(size),
            sha256,
            QString::number(figures.arrivals),
            QString::number(figures.departures),
            QString::number(figures.guestsPresent),
            QString::number(figures.roomsOccupied)};
}

std::optional<RegisterEntry> RegisterEntry::fromTexts(const QStringList &texts)
{
    if (texts.size() < kColumns)
        return std::nullopt;
    RegisterEntry entry;
    entry.writtenAt = moment(texts[kWrittenAt]);
    if (!entry.writtenAt.isValid())
        return std::nullopt;
    if (texts[kSource] != kWindow && texts[kSource] != kCommandLine)
        return std::nullopt;
    entry.source = texts[kSource] == kWindow ? Source::Window : Source::CommandLine;
    const auto kind = std::find_if(kKinds.begin(), kKinds.end(), [&](FileKind k) { return wordsOf(k).recorded == texts[kKind]; });
    const std::optional<QDate> first = day(texts[kFirst]);
    const std::optional<QDate> last = day(texts[kLast]);
    static const QRegularExpression sha(QStringLiteral("^[0-9a-f]{64}$"));
    const std::optional<qint64> numbers[] = {count(texts[kSize]), count(texts[kArrivals]), count(texts[kDepartures]),
                                             count(texts[kGuests]), count(texts[kRooms])};
    if (kind == kKinds.end() || !first || !last || *last < *first || !sha.match(texts[kSha]).hasMatch()
        || std::any_of(std::begin(numbers), std::end(numbers), [](const auto &n) { return !n; }))
        return std::nullopt;
    entry.kind = *kind;
    entry.structure = texts[kStructure];
    entry.roomFrom = texts[kRoomFrom];
    entry.roomTo = texts[kRoomTo];
    entry.path = texts[kPath];
    entry.sha256 = texts[kSha];
    entry.size = *numbers[0];
    entry.figures = {*first, *last, *numbers[1], *numbers[2], *numbers[3], *numbers[4]};
    return entry;
}

} // namespace movement
