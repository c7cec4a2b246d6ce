#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QStringEncoder>
#include <QStringView>

namespace movement {

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

private:
    void begin(int indent);
    void append(QStringView text);
    void send();

    QIODevice &m_device;
    QByteArray m_line; // reused line after line: a daily file over a year has millions of lines
    QStringEncoder m_utf8{QStringConverter::Utf8, QStringConverter::Flag::Stateless};
};

// A value made safe to stand between tags or inside a double- or single-quoted attribute.
// A character XML cannot hold (a control character, U+FFFE, U+FFFF) throws MovementError
// naming the value and, when given, the element or attribute it was meant for.
QString xmlEscaped(QStringView value, QStringView field = {});

} // namespace movement
