#pragma once

#include <QDir>
#include <QString>

#include <functional>
#include <optional>

// The hotel's folder remembered for the menu entry that starts the program, so that the
// receptionist chooses it once, in a window, without a terminal. It is the first line of the
// file "cartella-hotel" in the program's settings folder (~/.config/NaxDesktop on Linux).
namespace app {

class HotelFolder
{
public:
    // `settings` is the folder that holds the file "cartella-hotel".
    explicit HotelFolder(QDir settings) : m_settings(std::move(settings)) {}

    // The folder where the program is to work: the remembered one when it exists and holds one
    // of the hotel program's databases, otherwise (or in any case when `again`) the one `ask`
    // returns, told why it is asked, which is then remembered. nullopt when `ask` returns an
    // empty text (the receptionist gave up). Throws OperatorError when the file cannot be read
    // or the choice cannot be remembered.
    std::optional<QDir> choose(const std::function<QString(const QString &why)> &ask, bool again = false) const;

    // The remembered folder, for a command line, which asks nothing. Throws OperatorError,
    // saying to choose the folder from the menu entry, when none was chosen yet or the one
    // chosen no longer exists or holds none of the hotel program's databases.
    QDir remembered() const;

    QString filePath() const { return m_settings.filePath(QStringLiteral("cartella-hotel")); }

private:
    QDir m_settings;
};

// For the menu entry: the remembered folder, or one chosen in a folder dialog (always when
// `again`), made the current folder. nullopt, after the tool's box has said why where there is a
// reason, when there is none.
std::optional<QDir> hotelFolderForTheMenu(bool again);

// For a command line started with the menu entry's option (the scheduled run on Linux): the
// remembered folder, made the current folder, never asked for. Throws OperatorError.
QDir hotelFolderForTheCommandLine();

} // namespace app
