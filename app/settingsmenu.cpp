#include "settingsmenu.h"

#include "platformdefaults.h"

namespace app {

namespace {

QString promptLines(const QString &first, const QString &second, const QString &example)
{
    return first + QStringLiteral("\r\n") + second + QStringLiteral("\r\n\r\nes. ") + example;
}

} // namespace

SettingPrompt settingPrompt(SettingItem item)
{
    switch (item) {
    case SettingItem::PercorsoFile:
        return {QStringLiteral("Percorso creazione file"), QStringLiteral("Percorso creazione file Istat"),
                promptLines(QStringLiteral("Inserire il percorso completo del"),
                            QStringLiteral("nome del file da generare"), defaultPercorsoFile())};
    case SettingItem::ComandoWeb:
        return {QStringLiteral("Indirizzo web per invio file"), QStringLiteral("Percorso apertura pagina web"),
                promptLines(QStringLiteral("Inserire il comando completo per"),
                            QStringLiteral("l'apertura della pagina web di Velunor"), kPortalAddress.toString())};
    case SettingItem::CodiceStruttura:
        break;
    }
    return {QStringLiteral("Codice struttura"), QStringLiteral("Codice Struttura"),
            promptLines(QStringLiteral("Inserire il codice della struttura"), QStringLiteral("come indicato"),
                        QStringLiteral("A123456"))};
}

QString &settingOf(Settings &settings, SettingItem item)
{
    switch (item) {
    case SettingItem::PercorsoFile:
        return settings.PercorsoFile;
    case SettingItem::ComandoWeb:
        return settings.ComandoWeb;
    case SettingItem::CodiceStruttura:
        break;
    }
    return settings.CodiceStruttura;
}

} // namespace app
