#include "hotelfolder.h"

#include "msgboxroutine.h"
#include "savefile.h"
#include "settingserror.h"
#include "textfilelines.h"

#include <QFileDialog>
#include <QStandardPaths>

namespace app {

std::optional<QDir> HotelFolder::choose(const std::function<QString(const QString &why)> &ask) const
{
    const bool known = QFileInfo::exists(filePath());
    const QStringList lines = known ? core::textFileLines(filePath()) : QStringList();
    if (!lines.isEmpty() && !lines.first().isEmpty() && QDir(lines.first()).exists())
        return QDir(lines.first());

    const QString chosen = ask(known ? QStringLiteral("La cartella dell'hotel scelta finora non esiste più: scegliere "
                                                      "quella con gli archivi del programma alberghiero")
                                     : QStringLiteral("Scegliere la cartella dell'hotel, quella con gli archivi del "
                                                      "programma alberghiero"));
    if (chosen.isEmpty())
        return std::nullopt;
    if (!m_settings.mkpath(QStringLiteral(".")))
        throw SettingsError(u"Impossibile creare la cartella «%1», dove si ricorda la cartella dell'hotel.",
                            {QDir::toNativeSeparators(m_settings.path())});
    // The file is the program's own: a path in any script is kept as the system names it.
    const QByteArray line = chosen.toUtf8() + '\n';
    core::saveAtomically(filePath(), [&](QIODevice &out) {
        if (out.write(line) != line.size())
            throw SettingsError(u"Scrittura non riuscita nel file «%1».", {filePath()});
    });
    return QDir(chosen);
}

std::optional<QDir> hotelFolderForTheMenu()
{
    const QString settings =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/NaxDesktop");
    try {
        const std::optional<QDir> folder = HotelFolder(QDir(settings)).choose([](const QString &why) {
            return QFileDialog::getExistingDirectory(nullptr, why, QDir::homePath());
        });
        if (folder && !QDir::setCurrent(folder->path()))
            throw SettingsError(u"Impossibile lavorare nella cartella dell'hotel «%1»: controllarne i permessi.",
                                {QDir::toNativeSeparators(folder->path())});
        return folder;
    } catch (const std::exception &e) {
        dialogs::MsgBox_Routine::MostraMessaggio(core::messageOf(e), 0, QStringLiteral("Errore"));
        return std::nullopt;
    }
}

} // namespace app
