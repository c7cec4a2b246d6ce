#pragma once

#include "codelookup.h"
#include "recordfields.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace movement {

// The official codes a guest card gives in the movement files, each with what it was looked up
// from, so that the generators write them and the card check finds the ones not found.
struct GuestCode
{
    enum class Lookup { Comune, Stato, Sigla }; // CodiceComune, CodiceStato, CodiceDaSigla

    QStringView element; // the element that carries the code
    QString field;       // the card's field it comes from
    QString searched;    // the text looked up: the field's value, or a part of the place of birth
    Lookup lookup;
    QString code;        // CodeLookup::notFound() when the code tables have none
};

// Citizenship: the country of `Nazione` by abbreviation.
GuestCode cittadinanza(const RecordFields &card, CodeLookup &codes);
// The daily file's state of residence: the country of `Stato` by abbreviation.
GuestCode statoResidenza(const RecordFields &card, CodeLookup &codes);
// The daily file's place of residence: the municipality `Residenza` when `Stato` is exactly "I",
// otherwise the country called `Residenza`.
GuestCode luogoResidenza(const RecordFields &card, CodeLookup &codes);
// The start-up file's residence: element "comuneresidenza", the municipality `Residenza`, when
// `Stato` is exactly "I"; otherwise "paeseresidenza", the country of `Stato` by abbreviation.
GuestCode residenza(const RecordFields &card, CodeLookup &codes);
// The daily file's state of birth: the country abbreviated by the last word of `LuogoNascita`.
GuestCode statoNascita(const RecordFields &card, CodeLookup &codes);
// The daily file's municipality of birth, looked up only when the state of birth is exactly "I":
// `LuogoNascita` without its last two words. nullopt otherwise (the element stays empty).
std::optional<GuestCode> comuneNascita(const RecordFields &card, CodeLookup &codes);

} // namespace movement
