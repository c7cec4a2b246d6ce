#include "findingscsv.h"

#include "csvrow.h"
#include "operatorerror.h"

namespace movement {

namespace {

QString tabRow(const QStringList &texts)
{
    QStringList cells;
    for (const QString &text : texts) {
        QString cell = core::notFormula(text);
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
    QByteArray bytes = core::kUtf8ByteOrderMark.toByteArray() + core::csvRow(findingCaptions());
    for (const CardFinding &finding : findings)
        bytes += core::csvRow(findingTexts(finding));
    if (out.write(bytes) != bytes.size())
        throw core::OperatorError(QStringLiteral("Impossibile scrivere l'elenco delle schede."));
}

QString findingsTabSeparated(const QList<CardFinding> &findings)
{
    QString text = tabRow(findingCaptions());
    for (const CardFinding &finding : findings)
        text += tabRow(findingTexts(finding));
    return text;
}

} // namespace movement
