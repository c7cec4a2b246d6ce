#include "csvrow.h"

namespace core {

namespace {

bool looksLikeFormula(QStringView text)
{
    return !text.isEmpty() && QStringView(u"=+-@").contains(text.front());
}

QString csvField(const QString &text, QChar separator)
{
    QString field = notFormula(text);
    if (field.contains(separator) || field.contains(u'"') || field.contains(u'\n') || field.contains(u'\r'))
        field = u'"' + field.replace(u'"', QStringLiteral("\"\"")) + u'"';
    return field;
}

QString withoutGuard(const QString &field)
{
    return field.startsWith(u'\'') && looksLikeFormula(QStringView(field).mid(1)) ? field.mid(1) : field;
}

} // namespace

QString notFormula(const QString &text)
{
    return looksLikeFormula(text) ? u'\'' + text : text;
}

QByteArray csvRow(const QStringList &texts, QChar separator, QByteArrayView lineEnd)
{
    QStringList fields;
    for (const QString &text : texts)
        fields << csvField(text, separator);
    return fields.join(separator).toUtf8().append(lineEnd);
}

std::optional<QStringList> csvFields(QStringView row, QChar separator)
{
    QStringList fields;
    qsizetype i = 0;
    while (true) {
        QString field;
        if (i < row.size() && row[i] == u'"') {
            ++i;
            while (true) {
                if (i >= row.size())
                    return std::nullopt; // a quote never closed: the row was cut short
                if (row[i] == u'"') {
                    if (i + 1 < row.size() && row[i + 1] == u'"') {
                        field += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += row[i++];
            }
            if (i < row.size() && row[i] != separator)
                return std::nullopt;
        } else {
            const qsizetype end = row.indexOf(separator, i);
            field = row.mid(i, end < 0 ? row.size() - i : end - i).toString();
            i = end < 0 ? row.size() : end;
        }
        fields << withoutGuard(field);
        if (i >= row.size())
            return fields;
        ++i; // the separator
    }
}

} // namespace core
