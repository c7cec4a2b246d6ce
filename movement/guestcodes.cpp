#include "guestcodes.h"

#include "parteluogo.h"

namespace movement {

namespace {

const QString kNazione = QStringLiteral("Nazione");
const QString kStato = QStringLiteral("Stato");
const QString kResidenza = QStringLiteral("Residenza");
const QString kLuogoNascita = QStringLiteral("LuogoNascita");

GuestCode lookedUp(QStringView element, const QString &field, const QString &searched, GuestCode::Lookup lookup,
                   CodeLookup &codes)
{
    using enum GuestCode::Lookup;
    const QString code = lookup == Comune ? codes.CodiceComune(searched)
                         : lookup == Stato ? codes.CodiceStato(searched)
                                           : codes.CodiceDaSigla(searched);
    return {element, field, searched, lookup, code};
}

} // namespace

GuestCode cittadinanza(const RecordFields &card, CodeLookup &codes)
{
    return lookedUp(u"cittadinanza", kNazione, card.text(kNazione), GuestCode::Lookup::Sigla, codes);
}

GuestCode statoResidenza(const RecordFields &card, CodeLookup &codes)
{
    return lookedUp(u"statoresidenza", kStato, card.text(kStato), GuestCode::Lookup::Sigla, codes);
}

GuestCode luogoResidenza(const RecordFields &card, CodeLookup &codes)
{
    const bool italy = card.text(kStato) == u"I";
    return lookedUp(u"luogoresidenza", kResidenza, card.text(kResidenza),
                    italy ? GuestCode::Lookup::Comune : GuestCode::Lookup::Stato, codes);
}

GuestCode residenza(const RecordFields &card, CodeLookup &codes)
{
    const QString stato = card.text(kStato);
    if (stato == u"I")
        return lookedUp(u"comuneresidenza", kResidenza, card.text(kResidenza), GuestCode::Lookup::Comune, codes);
    return lookedUp(u"paeseresidenza", kStato, stato, GuestCode::Lookup::Sigla, codes);
}

GuestCode statoNascita(const RecordFields &card, CodeLookup &codes)
{
    return lookedUp(u"statonascita", kLuogoNascita, ParteLuogo(card.text(kLuogoNascita), 0), GuestCode::Lookup::Sigla,
                    codes);
}

std::optional<GuestCode> comuneNascita(const RecordFields &card, CodeLookup &codes)
{
    const QString luogo = card.text(kLuogoNascita);
    if (ParteLuogo(luogo, 0) != u"I")
        return std::nullopt;
    return lookedUp(u"comunenascita", kLuogoNascita, ParteLuogo(luogo, 3), GuestCode::Lookup::Comune, codes);
}

} // namespace movement
