#include "settings.h"

#include "numericvalue.h"
#include "operatorerror.h"
#include "platformdefaults.h"
#include "textfilelines.h"

#include <QFileInfo>

namespace app {

namespace {

const QString kSettingsFile = QStringLiteral("NaxSetup.txt");
const QString kStructureFile = QStringLiteral("VeluSetup.txt");
const QString kStartupMark = QStringLiteral("IPUSU.txt");

QString fileIn(const QDir &folder, const QString &name)
{
    return folder.absoluteFilePath(name);
}

} // namespace

Settings defaultSettings()
{
    return {defaultPercorsoFile(), kPortalAddress.toString(), QStringLiteral("ABC123")};
}

std::optional<Settings> readSettingsFile(const QDir &folder)
{
    const QString path = fileIn(folder, kSettingsFile);
    if (!QFileInfo::exists(path))
        return std::nullopt;
    const QStringList lines = core::textFileLines(path);
    if (lines.size() < 3)
        throw core::OperatorError(u"Il file «%1» ha %2 righe invece di tre (percorso del file, comando web, codice "
                                  u"struttura): correggerlo o eliminarlo per tornare alle impostazioni iniziali.",
                                  {QDir::toNativeSeparators(path), QString::number(lines.size())});
    return Settings{lines[0], lines[1], lines[2]};
}

void writeSettingsFile(const QDir &folder, const Settings &settings)
{
    core::writeTextLines(fileIn(folder, kSettingsFile),
                   {settings.PercorsoFile, settings.ComandoWeb, settings.CodiceStruttura});
}

std::optional<StructureList> readStructureFile(const QDir &folder)
{
    const QString path = fileIn(folder, kStructureFile);
    if (!QFileInfo::exists(path))
        return std::nullopt;
    const QStringList lines = core::textFileLines(path);
    const QString name = QDir::toNativeSeparators(path);
    if (lines.isEmpty())
        throw core::OperatorError(u"Il file «%1» è vuoto: la prima riga deve indicare il numero delle strutture.", {name});

    const qint64 count = core::wholeNumber(lines[0]);
    if (count > movement::kMaxStructures)
        throw core::OperatorError(u"Il file «%1» indica %2 strutture: al massimo se ne possono elencare %3.",
                                  {name, QString::number(count), QString::number(movement::kMaxStructures)});
    StructureList list;
    if (count <= 0)
        return list;
    if (lines.size() < 1 + 2 * count)
        throw core::OperatorError(u"Il file «%1» indica %2 strutture e deve avere %3 righe (il numero, poi per ogni "
                                  u"struttura il codice e l'elenco delle camere), ma ne ha %4.",
                                  {name, QString::number(count), QString::number(1 + 2 * count), QString::number(lines.size())});
    list.NumeroStrutture = int(count);
    for (int n = 1; n <= count; ++n) {
        list.CodiciStrutture[n - 1] = lines[2 * n - 1];
        list.CamereStrutture[n - 1] = lines[2 * n];
    }
    return list;
}

bool startupMarkExists(const QDir &folder)
{
    return QFileInfo::exists(fileIn(folder, kStartupMark));
}

void writeStartupMark(const QDir &folder)
{
    core::writeTextLines(fileIn(folder, kStartupMark), {QStringLiteral("Ok")});
}

} // namespace app
