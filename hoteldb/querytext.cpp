#include "querytext.h"

namespace hoteldb {

QString QueryText::excerpt() const
{
    QString shown = m_text;
    for (QChar &c : shown) {
        if (c.unicode() < 0x20 || c.isSurrogate())
            c = u'?';
    }
    return shown;
}

DbError QueryText::syntaxError(qsizetype position, const QString &detail) const
{
    return DbError(u"Errore di sintassi in \"%1\" alla posizione %2: %3.",
                   {excerpt(), QString::number(position + 1), detail});
}

DbError QueryText::typeMismatch(qsizetype position) const
{
    return DbError(u"Tipo di dati non corrispondente in \"%1\" alla posizione %2: un testo si può confrontare "
                   u"solo con un testo e un numero solo con un numero.",
                   {excerpt(), QString::number(position + 1)});
}

} // namespace hoteldb
