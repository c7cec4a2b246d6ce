#include "registerentry.h"

#include "csvrow.h"
#include "daytext.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>
#include <iterator>

namespace movement {

namespace {

const QString kTimeFormat = QStringLiteral("dd/MM/yyyy HH:mm:ss");
const QString kWindow = QStringLiteral("finestra");
const QString kCommandLine = QStringLiteral("riga di comando");

// A day as the tool writes it, "07/12/2026", or as a spreadsheet saves it back once it took it
// for a date: "7/12/2026", "07/12/26", "07-12-2026", "2026-12-07"; "12/7/2026" from one set to
// English conventions, which puts the month first. Parsed by hand: Qt's reading with a format
// takes about a millisecond a line on Windows, and the register is read at every start and
// every append.
std::optional<QDate> savedDay(QStringView text, bool monthFirst = false)
{
    static const QRegularExpression dayFirst(QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{4}|\\d{2})$"));
    static const QRegularExpression yearFirst(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QStringView trimmed = text.trimmed();
    QDate day;
    if (const QRegularExpressionMatch m = dayFirst.match(trimmed); m.hasMatch()) {
        const int year = m.capturedView(3).toInt();
        day = QDate(m.capturedView(3).size() == 2 ? 2000 + year : year, m.capturedView(monthFirst ? 1 : 2).toInt(),
                    m.capturedView(monthFirst ? 2 : 1).toInt());
    } else if (const QRegularExpressionMatch m = yearFirst.match(trimmed); m.hasMatch()) {
        day = QDate(m.capturedView(1).toInt(), m.capturedView(2).toInt(), m.capturedView(3).toInt());
    }
    return day.isValid() ? std::optional(day) : std::nullopt;
}

// The time a line was written, with or without its seconds, on a 24-hour clock or a 12-hour one
// ("7:30 PM"); invalid when it cannot be read.
QDateTime savedMoment(QStringView text, bool monthFirst)
{
    static const QRegularExpression clock(
        QStringLiteral("^(\\d{1,2})[:.](\\d{2})(?:[:.](\\d{2}))?(?:\\s*([AP]M))?$"), QRegularExpression::CaseInsensitiveOption);
    const QStringView trimmed = text.trimmed();
    const qsizetype space = trimmed.indexOf(u' ');
    const std::optional<QDate> day = savedDay(trimmed.left(space), monthFirst);
    const QRegularExpressionMatch m = clock.match(trimmed.mid(space + 1).trimmed());
    if (space < 0 || !day || !m.hasMatch())
        return {};
    int hour = m.capturedView(1).toInt();
    if (m.hasCaptured(4)) // 12 AM is midnight, 12 PM noon
        hour = hour % 12 + (m.capturedView(4).compare(u"PM", Qt::CaseInsensitive) == 0 ? 12 : 0);
    const QTime time(hour, m.capturedView(2).toInt(), m.capturedView(3).toInt());
    return time.isValid() ? QDateTime(*day, time) : QDateTime();
}

// Whether a spreadsheet set to English conventions saved the line, month first: its time has a
// 12-hour clock, or one of its days (the day written included) reads month first only and none
// day first only. A line with nothing to tell is read day first, as the tool writes it.
bool savedMonthFirst(QStringView writtenAt, const QList<QStringView> &days)
{
    const QStringView time = writtenAt.trimmed();
    if (time.endsWith(u"AM", Qt::CaseInsensitive) || time.endsWith(u"PM", Qt::CaseInsensitive))
        return true;
    const auto only = [&](bool monthFirst) {
        return std::any_of(days.begin(), days.end(),
                           [&](QStringView d) { return savedDay(d, monthFirst) && !savedDay(d, !monthFirst); });
    };
    return only(true) && !only(false);
}

std::optional<qint64> count(QStringView text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,15}$"));
    const QStringView trimmed = text.trimmed();
    return digits.match(trimmed).hasMatch() ? std::optional(trimmed.toLongLong()) : std::nullopt;
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

RegisterLayout RegisterLayout::tools()
{
    RegisterLayout layout;
    for (int i = 0; i < kRegisterColumns; ++i)
        layout.positions << i;
    return layout;
}

std::optional<RegisterLayout> RegisterLayout::fromCaptions(QStringView line)
{
    const QStringList captions = registerCaptions();
    // An Italian spreadsheet saves with ";", others with "," or a tab: the captions tell which.
    for (QChar separator : {u';', u',', u'\t'}) {
        const std::optional<QStringList> fields = core::csvFields(line, separator);
        if (!fields)
            continue;
        RegisterLayout layout;
        layout.separator = separator;
        layout.width = int(fields->size());
        for (const QString &caption : captions)
            layout.positions << fields->indexOf(caption);
        // The captions of the columns a line needs to count for its days.
        const auto needed = {RegisterColumn::Kind, RegisterColumn::First, RegisterColumn::Last};
        if (std::all_of(needed.begin(), needed.end(), [&](RegisterColumn c) { return layout.positions[int(c)] >= 0; }))
            return layout;
    }
    return std::nullopt;
}

RegisterEntry RegisterEntry::forFile(const QString &path, FileKind kind, const FileFigures &figures, qint64 size,
                                     const QString &sha256, Source source, const QDateTime &writtenAt,
                                     const QString &structure, const QString &roomFrom, const QString &roomTo)
{
    RegisterEntry entry;
    entry.writtenAt = writtenAt;
    entry.source = source;
    entry.kind = kind;
    entry.structure = structure;
    entry.roomFrom = roomFrom;
    entry.roomTo = roomTo;
    entry.path = QDir::toNativeSeparators(path);
    entry.size = size;
    entry.sha256 = sha256;
    entry.figures = figures;
    return entry;
}

QStringList RegisterEntry::texts() const
{
    QStringList texts;
    for (int column = 0; column < kRegisterColumns; ++column) {
        const QVariant v = value(RegisterColumn(column));
        switch (v.typeId()) {
        case QMetaType::QDateTime: texts << v.toDateTime().toString(kTimeFormat); break;
        case QMetaType::QDate: texts << dayText(v.toDate()); break;
        case QMetaType::LongLong: texts << QString::number(v.toLongLong()); break;
        default: texts << v.toString(); break;
        }
    }
    return texts;
}

QVariant RegisterEntry::value(RegisterColumn column) const
{
    const auto figure = [this](qint64 n) { return countsKnown ? QVariant(n) : QVariant(); };
    switch (column) {
    case RegisterColumn::WrittenAt: return writtenAt.isValid() ? QVariant(writtenAt) : QVariant();
    case RegisterColumn::Source:
        return !source ? QString() : *source == Source::Window ? kWindow : kCommandLine;
    case RegisterColumn::Kind: return wordsOf(kind).recorded.toString();
    case RegisterColumn::First: return figures.first;
    case RegisterColumn::Last: return figures.last;
    case RegisterColumn::Structure: return structure;
    case RegisterColumn::RoomFrom: return roomFrom;
    case RegisterColumn::RoomTo: return roomTo;
    case RegisterColumn::Path: return path;
    case RegisterColumn::Size: return size ? QVariant(*size) : QVariant();
    case RegisterColumn::Sha256: return sha256;
    case RegisterColumn::Arrivals: return figure(figures.arrivals);
    case RegisterColumn::Departures: return figure(figures.departures);
    case RegisterColumn::GuestsPresent: return figure(figures.guestsPresent);
    case RegisterColumn::RoomsOccupied: return figure(figures.roomsOccupied);
    }
    return {};
}

std::optional<RegisterEntry> RegisterEntry::fromTexts(const QStringList &texts, const RegisterLayout &layout)
{
    const auto field = [&](RegisterColumn column) {
        const int at = layout.positions.value(int(column), -1);
        return at < 0 ? QString() : texts.value(at);
    };
    const QString kindText = field(RegisterColumn::Kind).trimmed();
    const auto kind = std::find_if(std::begin(kFileKindWords), std::end(kFileKindWords),
                                   [&](const FileKindWords &words) { return words.recorded == kindText; });
    const QString writtenAt = field(RegisterColumn::WrittenAt);
    const QString firstText = field(RegisterColumn::First);
    const QString lastText = field(RegisterColumn::Last);
    const bool monthFirst = savedMonthFirst(writtenAt, {QStringView(writtenAt).trimmed().split(u' ').first(), firstText, lastText});
    const std::optional<QDate> first = savedDay(firstText, monthFirst);
    const std::optional<QDate> last = savedDay(lastText, monthFirst);
    if (kind == std::end(kFileKindWords) || !first || !last || *last < *first)
        return std::nullopt;

    RegisterEntry entry;
    entry.kind = kind->kind;
    entry.writtenAt = savedMoment(writtenAt, monthFirst);
    const QString source = field(RegisterColumn::Source).trimmed();
    entry.source = source == kWindow ? std::optional(Source::Window)
                   : source == kCommandLine ? std::optional(Source::CommandLine)
                                            : std::nullopt;
    entry.structure = field(RegisterColumn::Structure).trimmed();
    entry.roomFrom = field(RegisterColumn::RoomFrom);
    entry.roomTo = field(RegisterColumn::RoomTo);
    entry.path = field(RegisterColumn::Path);
    entry.size = count(field(RegisterColumn::Size));
    static const QRegularExpression sha(QStringLiteral("^[0-9a-f]{64}$"));
    const QString hex = field(RegisterColumn::Sha256).trimmed().toLower();
    entry.sha256 = sha.match(hex).hasMatch() ? hex : QString();
    const std::optional<qint64> counts[] = {count(field(RegisterColumn::Arrivals)), count(field(RegisterColumn::Departures)),
                                            count(field(RegisterColumn::GuestsPresent)),
                                            count(field(RegisterColumn::RoomsOccupied))};
    entry.countsKnown = std::all_of(std::begin(counts), std::end(counts), [](const auto &n) { return n.has_value(); });
    entry.figures = {*first, *last, counts[0].value_or(0), counts[1].value_or(0), counts[2].value_or(0),
                     counts[3].value_or(0)};
    return entry;
}

} // namespace movement
