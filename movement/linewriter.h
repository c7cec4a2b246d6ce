#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QStringEncoder>
#include <QStringView>

#include <utility>

namespace movement {

class RecordFields;

// The first line of every movement file.
inline constexpr QStringView kXmlDeclaration = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

// Writes a movement file line by line: the indent in spaces, the text, CR LF, all in UTF-8
// as the files' declaration says.
class LineWriter
{
public:
    explicit LineWriter(QIODevice &device) : m_device(device) {}

    void line(int indent, QStringView text);
    // "<tag>value</tag>" on one line, the value XML-escaped.
    void element(int indent, QStringView tag, QStringView value);

    // Runs write() with the card its values come from named in the message when a value is
    // refused.
    template<typename Write>
    void writeFrom(const RecordFields &card, Write write)
    {
        const RecordFields *outer = std::exchange(m_source, &card);
        write();
        m_source = outer;
    }

private:
    void begin(int indent);
    void append(QStringView text);
    void send();

    QIODevice &m_device;
    QByteArray m_line; // reused line after line: a daily file over a year has millions of lines
    const RecordFields *m_source = nullptr;
    QStringEncoder m_utf8{QStringConverter::Utf8, QStringConverter::Flag::Stateless};
};

// A value made safe to stand between tags or inside a double- or single-quoted attribute.
// A character XML cannot hold, or that would change the value when read back (every control
// character, TAB, CR and LF included; a lone surrogate; U+FFFE, U+FFFF), throws OperatorError
// naming the value and, when given, the element or attribute it was meant for and its source.
QString xmlEscaped(QStringView value, QStringView field = {}, const QString &source = {});

} // namespace movement
