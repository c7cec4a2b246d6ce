#include "hotelfolder.h"

#include "hoteldatabases.h"

#include "msgboxroutine.h"
#include "operatorerror.h"
#include "operatormessage.h"
#include "savefile.h"
#include "textfilelines.h"

#include <QFileDialog>
#include <QStandardPaths>

#include <algorithm>

namespace app {

namespace {

// Whether the folder holds one of the hotel program's databases, as the hotel's folder does.
bool holdsHotelDatabase(const QDir &folder)
{
    return std::any_of(std::begin(movement::kHotelDatabases), std::end(movement::kHotelDatabases),
                       [&](const QString &name) { return QFileInfo(folder.filePath(name)).isFile(); });
}

} // namespace

std::optional<QDir> HotelFolder::choose(const std::function<QString(const QString &why)> &ask, bool again) const
{
    const bool known = QFileInfo::exists(filePath());
    const QStringList lines = known ? core::textFileLines(filePath()) : QStringList();
    const QString remembered = lines.value(0);
    const bool exists = !remembered.isEmpty() && QDir(remembered).exists();
    if (exists && !again && holdsHotelDatabase(QDir(remembered)))
        return QDir(remembered);

    const QString choose = QStringLiteral("scegliere quella con gli archivi del programma alberghiero (per esempio "
                                          "Scheda_Cliente.mdb)");
    const QString chosen = ask(again || !known ? QStringLiteral("Scegliere la cartella dell'hotel, quella con gli "
                                                                "archivi del programma alberghiero")
                               : exists ? core::operatorMessage(u"La cartella dell'hotel scelta finora, «%1», non "
                                                                   u"contiene nessun archivio del programma alberghiero: ",
                                                                   {QDir::toNativeSeparators(remembered)})
                                              + choose
                                        : QStringLiteral("La cartella dell'hotel scelta finora non esiste più: ") + choose);
    if (chosen.isEmpty())
        return std::nullopt;
    if (!m_settings.mkpath(QStringLiteral(".")))
        throw core::OperatorError(u"Impossibile creare la cartella «%1», dove si ricorda la cartella dell'hotel.",
                                  {QDir::toNativeSeparators(m_settings.path())});
    // The file is the program's own: a path in any script is kept as the system names it.
    const QByteArray line = chosen.toUtf8() + '\n';
    core::saveAtomically(filePath(), [&](QIODevice &out) {
        if (out.write(line) != line.size())
            throw core::OperatorError(u"Scrittura non riuscita nel file «%1».", {filePath()});
    });
    return QDir(chosen);
}

std::optional<QDir> hotelFolderForTheMenu(bool again)
{
    const QString settings =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/NaxDesktop");
    try {
        const std::optional<QDir> folder = HotelFolder(QDir(settings)).choose(
            [](const QString &why) { return QFileDialog::getExistingDirectory(nullptr, why, QDir::homePath()); }, again);
        if (folder && !QDir::setCurrent(folder->path()))
            throw core::OperatorError(u"Impossibile lavorare nella cartella dell'hotel «%1»: controllarne i permessi.",
                                      {QDir::toNativeSeparators(folder->path())});
        return folder;
    } catch (const std::exception &e) {
        dialogs::MsgBox_Routine::MostraMessaggio(core::messageOf(e), 0, QStringLiteral("Errore"));
        return std::nullopt;
    }
}

} // namespace app
