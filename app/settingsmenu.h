#pragma once

#include "settings.h"

#include <QString>

// The three items of the menu "Impostazioni", each asking for one setting in the input box.
namespace app {

enum class SettingItem { PercorsoFile = 1, ComandoWeb = 2, CodiceStruttura = 3 };

struct SettingPrompt
{
    QString menuText; // the menu item
    QString title;    // the input box's title
    QString prompt;   // its lines joined by CR LF, ending with an example
};

SettingPrompt settingPrompt(SettingItem item);

// The setting an item edits.
QString &settingOf(Settings &settings, SettingItem item);

} // namespace app
