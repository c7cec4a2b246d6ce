#include "linewriter.h"

#include "movementerror.h"

#include <QDir>
#include <QFileDevice>

#include <algorithm>

namespace movement {

namespace {

// Whether a value goes into the file as it is: nothing to escape and nothing to refuse.
bool isPlain(QStringView value)
{
    return std::none_of(value.begin(), value.end(), [](QChar c) {
        return c < u' ' || c == u'&' || c == u'<' || c == u'>' || c == u'"' || c == u'\'' || c >= QChar(0xFFFE);
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
        append(xmlEscaped(value, tag));
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
    if (m_device.write(m_line) != m_line.size()) {
        const auto *file = qobject_cast<QFileDevice *>(&m_device);
        const QString name = file ? QDir::toNativeSeparators(file->fileName()) : QString();
        throw MovementError(QStringLiteral("Scrittura non riuscita nel file «%1»: %2")
                                .arg(name, m_device.errorString()));
    }
}

QString xmlEscaped(QStringView value, QStringView field)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        // No escape exists for these: a file holding one is no XML file and the portal refuses it.
        if ((c < u' ' && c != u'\t' && c != u'\n' && c != u'\r') || c == QChar(0xFFFE) || c == QChar(0xFFFF)) {
            const QString where = field.isEmpty() ? QString() : QStringLiteral(" («%1»)").arg(field);
            throw MovementError(QStringLiteral(
                "Il valore «%1»%2 contiene in posizione %3 il carattere U+%4, che un file XML non può "
                "contenere: correggerlo dove è scritto (impostazioni o archivi dell'hotel).")
                                    .arg(value.toString(), where).arg(i + 1)
                                    .arg(c.unicode(), 4, 16, QLatin1Char('0')));
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
