#include "linewriter.h"

#include "operatorerror.h"
#include "operatormessage.h"
#include "recordfields.h"


#include <algorithm>

namespace movement {

namespace {

// Whether a value goes into the file as it is: nothing to escape and nothing to refuse.
bool isPlain(QStringView value)
{
    return std::none_of(value.begin(), value.end(), [](QChar c) {
        return c < u' ' || c == u'&' || c == u'<' || c == u'>' || c == u'"' || c == u'\'' || c.isSurrogate()
               || c >= QChar(0xFFFE);
    });
}

} // namespace

void LineWriter::line(int indent, QStringView text)
{
    begin(indent);
    append(text);
    send();
}

void LineWriter::element(int indent, QStringView tag, QStringView value)
{
    begin(indent);
    m_line.append('<');
    append(tag);
    m_line.append('>');
    if (isPlain(value))
        append(value);
    else
        append(xmlEscaped(value, tag, m_source ? m_source->record() : QString()));
    m_line.append("</", 2);
    append(tag);
    m_line.append('>');
    send();
}

void LineWriter::begin(int indent)
{
    m_line.resize(0);
    m_line.append(indent, ' ');
}

void LineWriter::append(QStringView text)
{
    const qsizetype at = m_line.size();
    m_line.resize(at + m_utf8.requiredSpace(text.size()));
    char *end = m_utf8.appendToBuffer(m_line.data() + at, text);
    m_line.resize(end - m_line.constData());
}

void LineWriter::send()
{
    m_line.append("\r\n", 2);
    // The save that owns the device says what went wrong with which file.
    if (m_device.write(m_line) != m_line.size())
        throw core::OperatorError(QStringLiteral("Scrittura non riuscita nel file dei movimenti."));
}

QString xmlEscaped(QStringView value, QStringView field, const QString &source)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c.isHighSurrogate() && i + 1 < value.size() && value[i + 1].isLowSurrogate()) {
            out += c;
            out += value[++i];
            continue;
        }
        // No escape exists for these, and a line break or tab would split the element or be read
        // back as a space: the portal would get another value, or no XML file at all.
        if (c < u' ' || c.isSurrogate() || c == QChar(0xFFFE) || c == QChar(0xFFFF)) {
            // The element and the source are the tool's own words, whole.
            const QString where = field.isEmpty() ? QString() : u" dell'elemento «"_qs + field.toString() + u'»';
            const QString from = source.isEmpty() ? QString() : u", scritto per "_qs + source + u',';
            throw core::OperatorError(core::operatorMessage(u"Il valore «%1»", {value}) + where + from
                                      + core::operatorMessage(u" contiene in posizione %1 il carattere U+%2, che un file XML "
                                                                 u"non può contenere: correggerlo dove è scritto (impostazioni "
                                                                 u"o archivi dell'hotel).",
                                                                 {QString::number(i + 1), core::codePoint(c)}));
        }
        switch (c.unicode()) {
        case u'&': out += u"&amp;"; break;
        case u'<': out += u"&lt;"; break;
        case u'>': out += u"&gt;"; break;
        case u'"': out += u"&quot;"; break;
        case u'\'': out += u"&apos;"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace movement
