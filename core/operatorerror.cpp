#include "operatorerror.h"

#include "operatormessage.h"

namespace core {

namespace {

QString readable(QString message)
{
    for (QChar &c : message) {
        if (c < u' ' && c != u'\t' && c != u'\r' && c != u'\n')
            c = QChar::ReplacementCharacter;
    }
    return message;
}

} // namespace

OperatorError::OperatorError(const QString &message) : OperatorError(readable(message), nullptr) {}

OperatorError::OperatorError(QStringView pattern, std::initializer_list<QStringView> values)
    : OperatorError(operatorMessage(pattern, values))
{
}

OperatorError::OperatorError(const QString &readable, std::nullptr_t)
    : std::runtime_error(readable.toStdString()), m_message(readable)
{
}

QString messageOf(const std::exception &e)
{
    if (const auto *error = dynamic_cast<const OperatorError *>(&e))
        return error->message();
    return QString::fromUtf8(e.what());
}

QString codePoint(QChar c)
{
    return QString::number(c.unicode(), 16).rightJustified(4, u'0');
}

} // namespace core
