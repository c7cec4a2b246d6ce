#include "daycoverage.h"

#include "csvrow.h"
#include "daytext.h"

#include <algorithm>

namespace movement {

namespace {

// Whether a line's structure code is the listed one. A spreadsheet that took a code of digits
// for a number dropped its leading zeros.
bool sameCode(const QString &written, const QString &listed)
{
    const auto significant = [](const QString &code) {
        const QString trimmed = code.trimmed();
        const bool digits = !trimmed.isEmpty() && std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c.isDigit(); });
        qsizetype zeros = 0;
        while (digits && zeros + 1 < trimmed.size() && trimmed[zeros] == u'0')
            ++zeros;
        return trimmed.mid(zeros);
    };
    return significant(written) == significant(listed);
}

} // namespace

DayCoverage::DayCoverage(QList<RegisterEntry> entries, QStringList structureCodes)
    : m_entries(std::move(entries)), m_codes(std::move(structureCodes))
{
    // A spreadsheet may have sorted the lines: the time they were written puts them back in
    // order. A line whose time cannot be read keeps its place after the line before it.
    QList<std::pair<QDateTime, RegisterEntry>> timed;
    QDateTime previous;
    for (const RegisterEntry &entry : m_entries) {
        if (entry.writtenAt.isValid())
            previous = entry.writtenAt;
        timed.append({previous, entry});
    }
    // Lines before the first known time come first.
    std::stable_sort(timed.begin(), timed.end(), [](const auto &a, const auto &b) {
        return std::pair(a.first.isValid(), a.first.toMSecsSinceEpoch()) < std::pair(b.first.isValid(), b.first.toMSecsSinceEpoch());
    });
    m_entries.clear();
    for (const auto &[time, entry] : timed) {
        m_entries << entry;
        if (!m_firstKnown.isValid() || entry.figures.first < m_firstKnown)
            m_firstKnown = entry.figures.first;
    }
}

bool DayCoverage::covers(const RegisterEntry &entry, int structure) const
{
    return structure == 0 || entry.kind == FileKind::Schema || sameCode(entry.structure, m_codes[structure - 1]);
}

const RegisterEntry *DayCoverage::deciding(QDate day, int structure) const
{
    const auto covering = std::find_if(m_entries.crbegin(), m_entries.crend(), [&](const RegisterEntry &e) {
        return e.figures.first <= day && day <= e.figures.last && covers(e, structure);
    });
    return covering == m_entries.crend() ? nullptr : &*covering;
}

std::optional<MissingDay> DayCoverage::missing(QDate day) const
{
    if (!m_firstKnown.isValid() || day < m_firstKnown)
        return std::nullopt;
    MissingDay lacking{day, {}, structureCount()};
    if (m_codes.isEmpty())
        return deciding(day, 0) ? std::nullopt : std::optional(lacking);
    for (int n = 1; n <= structureCount(); ++n) {
        if (!deciding(day, n))
            lacking.structures << n;
    }
    return lacking.structures.isEmpty() ? std::nullopt : std::optional(lacking);
}

DayCoverage::State DayCoverage::state(QDate day) const
{
    if (!m_firstKnown.isValid() || day < m_firstKnown)
        return State::Unknown;
    if (missing(day))
        return State::Missing;
    const int first = m_codes.isEmpty() ? 0 : 1;
    for (int n = first; n <= structureCount(); ++n) {
        if (deciding(day, n)->kind != FileKind::Closed)
            return State::Written;
    }
    return State::Closed;
}

QList<MissingDay> DayCoverage::missing(QDate first, QDate last) const
{
    QList<MissingDay> days;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        if (const std::optional<MissingDay> lacking = missing(day))
            days << *lacking;
    }
    return days;
}

QString stateWord(DayCoverage::State state)
{
    switch (state) {
    case DayCoverage::State::Unknown: return QStringLiteral("sconosciuto");
    case DayCoverage::State::Written: return QStringLiteral("scritto");
    case DayCoverage::State::Closed: return QStringLiteral("chiuso");
    case DayCoverage::State::Missing: break;
    }
    return QStringLiteral("mancante");
}

QByteArray coverageCsv(const DayCoverage &coverage, QDate first, QDate last)
{
    const bool structures = coverage.structureCount() > 0;
    QStringList captions{QStringLiteral("Giorno"), QStringLiteral("Stato")};
    if (structures)
        captions << QStringLiteral("Strutture senza file");
    QByteArray bytes = core::kUtf8ByteOrderMark.toByteArray() + core::csvRow(captions);
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        QStringList row{dayText(day), stateWord(coverage.state(day))};
        if (structures) {
            QStringList numbers;
            for (int n : coverage.missing(day).value_or(MissingDay{}).structures)
                numbers << QString::number(n);
            row << numbers.join(u' ');
        }
        bytes += core::csvRow(row);
    }
    return bytes;
}

} // namespace movement
