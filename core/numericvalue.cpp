#include "numericvalue.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace core {

double numericValue(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9')
            digits = true;
        else if (c == u'.' && !point)
            point = true;
        else
            break;
    }
    if (!digits)
        return 0.0;
    return text.mid(start, i - start).toString().toDouble();
}

double roundHalfEven(double value)
{
    // The default floating-point rounding mode is to nearest, ties to even.
    return std::nearbyint(value);
}

qint64 wholeNumber(QStringView text)
{
    constexpr double kLimit = 1e15;
    return qint64(std::clamp(roundHalfEven(numericValue(text)), -kLimit, kLimit));
}

QString numberText(double value)
{
    constexpr double kExactWhole = 9007199254740992.0; // 2^53
    if (value == std::trunc(value) && std::abs(value) < kExactWhole)
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15);
}

} // namespace core
