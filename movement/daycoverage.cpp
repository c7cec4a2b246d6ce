#include "daycoverage.h"

#include "csvrow.h"
#include "daytext.h"

#include <algorithm>

namespace movement {

DayCoverage::DayCoverage(QList<RegisterEntry> entries) : m_entries(std::move(entries))
{
    m_entries.removeIf([](const RegisterEntry &e) { return e.kind == FileKind::Schema; });
}

DayCoverage::State DayCoverage::state(QDate day) const
{
    const auto covering = std::find_if(m_entries.crbegin(), m_entries.crend(), [day](const RegisterEntry &e) {
        return e.figures.first <= day && day <= e.figures.last;
    });
    if (covering == m_entries.crend())
        return State::Missing;
    return covering->kind == FileKind::Closed ? State::Closed : State::Written;
}

QList<QDate> DayCoverage::missing(QDate first, QDate last) const
{
    QList<QDate> days;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        if (state(day) == State::Missing)
            days << day;
    }
    return days;
}

QList<QDate> DayCoverage::missingBefore(QDate today, int days) const
{
    return missing(today.addDays(-days), today.addDays(-1));
}

QString stateWord(DayCoverage::State state)
{
    switch (state) {
    case DayCoverage::State::Written: return QStringLiteral("scritto");
    case DayCoverage::State::Closed: return QStringLiteral("chiuso");
    case DayCoverage::State::Missing: break;
    }
    return QStringLiteral("mancante");
}

QByteArray coverageCsv(const DayCoverage &coverage, QDate first, QDate last)
{
    QByteArray bytes = core::kUtf8ByteOrderMark.toByteArray() + core::csvRow({QStringLiteral("Giorno"), QStringLiteral("Stato")});
    for (QDate day = first; day <= last; day = day.addDays(1))
        bytes += core::csvRow({dayText(day), stateWord(coverage.state(day))});
    return bytes;
}

} // namespace movement
