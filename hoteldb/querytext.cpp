#include "querytext.h"

namespace hoteldb {

namespace {
constexpr qsizetype kExcerptLength = 200;
}

QString QueryText::excerpt() const
{
    QString shown = m_text.left(kExcerptLength);
    for (QChar &c : shown) {
        if (c.unicode() < 0x20 || c.isSurrogate())
            c = u'?';
    }
    if (m_text.size() > kExcerptLength)
        shown += u'…';
    return shown;
}

DbError QueryText::syntaxError(qsizetype position, const QString &detail) const
{
    return DbError(QStringLiteral("Errore di sintassi in \"%1\" alla posizione %2: %3.")
                       .arg(excerpt())
                       .arg(position + 1)
                       .arg(detail));
}

DbError QueryText::typeMismatch(qsizetype position) const
{
    return DbError(QStringLiteral("Tipo di dati non corrispondente in \"%1\" alla posizione %2: "
                                  "un testo si può confrontare solo con un testo e un numero solo con un numero.")
                       .arg(excerpt())
                       .arg(position + 1));
}

} // namespace hoteldb
