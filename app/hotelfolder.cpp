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

enum class Choice { None, Gone, NoDatabase, Usable };

// The folder the file remembers, and whether the program can work there.
std::pair<QString, Choice> rememberedChoice(const QString &file)
{
    if (!QFileInfo::exists(file))
        return {QString(), Choice::None};
    const QString folder = core::textFileLines(file).value(0);
    if (folder.isEmpty() || !QDir(folder).exists())
        return {folder, Choice::Gone};
    return {folder, holdsHotelDatabase(QDir(folder)) ? Choice::Usable : Choice::NoDatabase};
}

QString settingsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/NaxDesktop");
}

void enter(const QDir &folder)
{
    if (!QDir::setCurrent(folder.path()))
        throw core::OperatorError(u"Impossibile lavorare nella cartella dell'hotel «%1»: controllarne i permessi.",
                            {QDir::toNativeSeparators(folder.path())});
}

} // namespace

std::optional<QDir> HotelFolder::choose(const std::function<QString(const QString &why)> &ask, bool again) const
{
    const auto [remembered, choice] = rememberedChoice(filePath());
    if (choice == Choice::Usable && !again)
        return QDir(remembered);

    const QString choose = QStringLiteral("scegliere quella con gli archivi del programma alberghiero (per esempio "
                                          "Scheda_Cliente.mdb)");
    const QString chosen = ask(again || choice == Choice::None
                                   ? QStringLiteral("Scegliere la cartella dell'hotel, quella con gli archivi del "
                                                    "programma alberghiero")
                               : choice == Choice::NoDatabase
                                   ? core::operatorMessage(u"La cartella dell'hotel scelta finora, «%1», non contiene "
                                                           u"nessun archivio del programma alberghiero: ",
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

QDir HotelFolder::remembered() const
{
    const auto [folder, choice] = rememberedChoice(filePath());
    const QString native = QDir::toNativeSeparators(folder);
    if (choice == Choice::Usable)
        return QDir(folder);
    if (choice == Choice::None)
        throw core::OperatorError(QStringLiteral("La cartella dell'hotel non è ancora stata scelta: sceglierla una volta "
                                           "aprendo il programma dalla voce «Preparazione file per Istat (Velunor)» "
                                           "del menu delle applicazioni."));
    const QString chooseAgain = QStringLiteral("sceglierla di nuovo dalla voce «Cambia la cartella dell'hotel» del menu "
                                               "delle applicazioni.");
    if (choice == Choice::Gone)
        throw core::OperatorError(core::operatorMessage(u"La cartella dell'hotel «%1» non esiste più o non è raggiungibile; "
                                                  u"se è stata spostata, ",
                                                  {native})
                            + chooseAgain);
    throw core::OperatorError(core::operatorMessage(u"La cartella dell'hotel «%1» non contiene nessun archivio del programma "
                                              u"alberghiero: ",
                                              {native})
                        + chooseAgain);
}

std::optional<QDir> hotelFolderForTheMenu(bool again)
{
    try {
        const std::optional<QDir> folder = HotelFolder(QDir(settingsFolder())).choose(
            [](const QString &why) { return QFileDialog::getExistingDirectory(nullptr, why, QDir::homePath()); }, again);
        if (folder)
            enter(*folder);
        return folder;
    } catch (const std::exception &e) {
        dialogs::MsgBox_Routine::MostraMessaggio(core::messageOf(e), 0, QStringLiteral("Errore"));
        return std::nullopt;
    }
}

QDir hotelFolderForTheCommandLine()
{
    const QDir folder = HotelFolder(QDir(settingsFolder())).remembered();
    enter(folder);
    return folder;
}

} // namespace app
