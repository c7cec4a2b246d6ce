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
    line(indent, QStringLiteral("<%1>%2</%1>").arg(tag, xmlEscaped(value)));
}

QString xmlEscaped(QStringView value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
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
