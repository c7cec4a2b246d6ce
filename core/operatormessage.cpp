#include "operatormessage.h"

namespace core {

QString operatorMessage(QStringView pattern, std::initializer_list<QStringView> values)
{
    QString message;
    message.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        const qsizetype n = (c == u'%' && i + 1 < pattern.size()) ? pattern[i + 1].digitValue() : -1;
        if (n < 1 || n > qsizetype(values.size())) {
            message += c;
            continue;
        }
        const QStringView value = values.begin()[n - 1];
        if (value.size() > kLongestShownValue) {
            message += value.first(kLongestShownValue);
            message += u"...";
        } else {
            message += value;
        }
        ++i;
    }
    return message;
}

} // namespace core
