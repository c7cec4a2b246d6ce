#include "findingscsv.h"

#include "movementerror.h"

namespace movement {

namespace {

// A spreadsheet runs a cell that begins with one of these as a formula.
QString notFormula(const QString &text)
{
    return !text.isEmpty() && QStringView(u"=+-@").contains(text.front()) ? u'\'' + text : text;
}

QString csvField(const QString &text)
{
    QString field = notFormula(text);
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

QString tabRow(const QStringList &texts)
{
    QStringList cells;
    for (const QString &text : texts) {
        QString cell = notFormula(text);
        for (QChar &c : cell) {
            if (c == u'\t' || c == u'\r' || c == u'\n')
                c = u' ';
        }
        cells << cell;
    }
    return cells.join(u'\t') + QStringLiteral("\r\n");
}

} // namespace

void writeFindingsCsv(const QList<CardFinding> &findings, QIODevice &out)
{
    QByteArray bytes = "\xEF\xBB\xBF" + csvRow(findingCaptions());
    for (const CardFinding &finding : findings)
        bytes += csvRow(findingTexts(finding));
    if (out.write(bytes) != bytes.size())
        throw MovementError(QStringLiteral("Impossibile scrivere l'elenco delle schede."));
}

QString findingsTabSeparated(const QList<CardFinding> &findings)
{
    QString text = tabRow(findingCaptions());
    for (const CardFinding &finding : findings)
        text += tabRow(findingTexts(finding));
    return text;
}

} // namespace movement
