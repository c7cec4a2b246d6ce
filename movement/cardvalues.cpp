#include "cardvalues.h"

#include "codelookup.h"
#include "daytext.h"
#include "trimspaces.h"

#include <QHash>

namespace movement {

namespace {

// What a code stands for, as the messages name it.
QString codeMeaning(const GuestCode &code)
{
    // The daily file's place of residence is a municipality for Italians, else a country.
    if (code.element == u"luogoresidenza")
        return code.lookup == GuestCode::Lookup::Comune ? QStringLiteral("il comune di residenza")
                                                         : QStringLiteral("il paese di residenza");
    static const QHash<QString, QString> meanings{
        {QStringLiteral("cittadinanza"), QStringLiteral("la cittadinanza")},
        {QStringLiteral("statoresidenza"), QStringLiteral("lo stato di residenza")},
        {QStringLiteral("comuneresidenza"), QStringLiteral("il comune di residenza")},
        {QStringLiteral("paeseresidenza"), QStringLiteral("il paese di residenza")},
        {QStringLiteral("statonascita"), QStringLiteral("lo stato di nascita")},
        {QStringLiteral("comunenascita"), QStringLiteral("il comune di nascita")},
    };
    return meanings.value(code.element.toString());
}

QString codeTable(GuestCode::Lookup lookup)
{
    switch (lookup) {
    case GuestCode::Lookup::Comune: return QStringLiteral("tra i comuni della tabella dei codici «Comuni.mdb»");
    case GuestCode::Lookup::Stato:
        return QStringLiteral("tra gli stati delle tabelle dei codici «Comuni.mdb» e «DAVozIzi.mdb»");
    case GuestCode::Lookup::Sigla: return QStringLiteral("tra le sigle degli stati della tabella dei codici «Comuni.mdb»");
    }
    return {};
}

} // namespace

const HeadKind *markedHead(const RecordFields &card)
{
    for (const HeadKind *head : {&kFamilyHead, &kGroupHead}) {
        if (card.text(head->mark) == u"S")
            return head;
    }
    return nullptr;
}

const HeadKind *namedHead(const RecordFields &card)
{
    // Both are read, so that either one that is no number refuses the card.
    const double family = card.number(kFamilyHead.number);
    const double group = card.number(kGroupHead.number);
    return family > 0 ? &kFamilyHead : group > 0 ? &kGroupHead : nullptr;
}

QStringView guestType(const RecordFields &card, bool membersTyped)
{
    if (const HeadKind *head = markedHead(card))
        return head->headType;
    const HeadKind *head = membersTyped ? namedHead(card) : nullptr;
    return head ? head->memberType : u"16";
}

CardValue sexValue(const RecordFields &card, const Doubts &doubts)
{
    const QString field = QStringLiteral("Sesso");
    const QString sex = card.text(field);
    if (sex != u"M" && sex != u"F")
        doubts({u"sesso", field, sex,
                QStringLiteral("Il sesso «%1» non è né M né F: nel file va come M. "
                               "Correggere il sesso nella scheda del programma alberghiero.")
                    .arg(sex)});
    return {u"sesso", sex == u"F" ? QStringLiteral("F") : QStringLiteral("M")};
}

CardValue codeValue(const RecordFields &card, const GuestCode &code, const Doubts &doubts)
{
    if (code.code == CodeLookup::notFound()) {
        const QString meaning = codeMeaning(code);
        QString problem = core::trimSpaces(code.searched).isEmpty()
                              ? QStringLiteral("Manca il valore da cercare: nel file %1 va come nove spazi. "
                                               "Indicare %1 nella scheda del programma alberghiero.")
                                    .arg(meaning)
                              : QStringLiteral("«%1» non si trova %2: nel file %3 va come nove spazi. "
                                               "Correggere %3 nella scheda del programma alberghiero.")
                                    .arg(code.searched, codeTable(code.lookup), meaning);
        if (code.field == u"LuogoNascita")
            problem += QStringLiteral(" Il luogo di nascita si scrive comune, sigla della provincia e sigla dello "
                                      "stato, separati da uno spazio: per esempio «TORINO TO I».");
        doubts({code.element, code.field, card.text(code.field), problem});
    }
    return {code.element, code.code};
}

void checkDeparture(const RecordFields &card, const QString &field, QStringView element, const Doubts &doubts)
{
    const QString departed = card.text(field);
    const QDate departure = storedDay(departed);
    const QDate arrival = storedDay(card.text(QStringLiteral("DataArrivo")));
    if (departure.isValid() && arrival.isValid() && departure < arrival)
        doubts({element, field, departed,
                QStringLiteral("La partenza del %1 è precedente all'arrivo del %2: "
                               "correggere le date nella scheda del programma alberghiero.")
                    .arg(dayText(departure), dayText(arrival))});
}

bool checkBirthDate(const RecordFields &card, QStringView element, const QString &effect, const Doubts &doubts)
{
    const QString field = QStringLiteral("DataNascita");
    const QString birth = card.text(field);
    if (storedDay(birth).isValid())
        return true;
    const QString what = core::trimSpaces(birth).isEmpty() ? QStringLiteral("Manca la data di nascita")
                                                           : QStringLiteral("La data di nascita non è una data nella forma AAAAMMGG");
    doubts({element, field, birth,
            QStringLiteral("%1: %2. Correggerla nella scheda del programma alberghiero.").arg(what, effect)});
    return false;
}

double archiveYearShift(const QString &dataArrivo)
{
    const QString digits = dataArrivo.mid(2, 2);
    const auto digit = [&](int i) { return i < digits.size() && digits[i] >= u'0' && digits[i] <= u'9'; };
    if (!digit(0))
        return 0;
    return (digit(1) ? digits.toInt() : digits.left(1).toInt()) * 1000000.0;
}

} // namespace movement
