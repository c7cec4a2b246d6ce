#include "findingscsv.h"

#include "movementerror.h"

namespace movement {

namespace {

QString csvField(const QString &text)
{
    QString field = text;
    if (!field.isEmpty() && QStringView(u"=+-@").contains(field.front()))
        field.prepend(u'\'');
    if (field.contains(u';') || field.contains(u'"') || field.contains(u'\n') || field.contains(u'\r'))
        field = u'"' + field.replace(u'"', QStringLiteral("\"\"")) + u'"';
    return field;
}

QByteArray csvRow(const QStringList &texts)
{
    QStringList fields;
    for (const QString &text : texts)
        fields << csvField(text);
    return fields.join(u';').toUtf8() + "\r\n";
}

} // namespace

void writeFindingsCsv(const QList<CardFinding> &findings, QIODevice &out)
{
    QByteArray bytes = "\xEF\xBB\xBF" + csvRow(findingCaptions());
    for (const CardFinding &finding : findings)
        bytes += csvRow(findingTexts(finding));
    if (out.write(bytes) != bytes.size())
        throw MovementError(QStringLiteral("Impossibile scrivere l'elenco delle schede: %1").arg(out.errorString()));
}

} // namespace movement
