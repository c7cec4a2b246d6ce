#include "linewriter.h"

#include "movementerror.h"

#include <QDir>
#include <QFileDevice>

namespace movement {

void LineWriter::line(int indent, QStringView text)
{
    const QByteArray bytes = QByteArray(indent, ' ') + text.toUtf8() + "\r\n";
    if (m_device.write(bytes) != bytes.size()) {
        const auto *file = qobject_cast<QFileDevice *>(&m_device);
        const QString name = file ? QDir::toNativeSeparators(file->fileName()) : QString();
        throw MovementError(QStringLiteral("Scrittura non riuscita nel file «%1»: %2")
                                .arg(name, m_device.errorString()));
    }
}

void LineWriter::element(int indent, QStringView tag, QStringView value)
{
    line(indent, QStringLiteral("<%1>%2</%1>").arg(tag, xmlEscaped(value, tag)));
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
