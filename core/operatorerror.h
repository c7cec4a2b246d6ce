#pragma once

#include <QString>
#include <QStringView>

#include <exception>
#include <initializer_list>
#include <stdexcept>

// The one error the tool shows the operator: a plain Italian message that names the file, field,
// record or value at fault. Every library throws it or a kind of it.
namespace core {

class OperatorError : public std::runtime_error
{
public:
    // The message is made readable once, here: a control character a value brought along
    // (other than a line break or a tab) becomes U+FFFD, so that a NUL read from a damaged
    // file cannot cut it short wherever it is shown.
    explicit OperatorError(const QString &message);
    // The message `pattern` gives with the values, as operatorMessage puts them in.
    OperatorError(QStringView pattern, std::initializer_list<QStringView> values);

    const QString &message() const { return m_message; }

private:
    OperatorError(const QString &readable, std::nullptr_t);

    QString m_message;
};

// What to show for any failure: an OperatorError's message, else the library's own text.
QString messageOf(const std::exception &e);

// A character as messages name it after "U+": its code in four hexadecimal digits.
QString codePoint(QChar c);

} // namespace core
