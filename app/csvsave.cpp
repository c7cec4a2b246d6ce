#include "csvsave.h"

#include "msgboxroutine.h"
#include "operatorerror.h"
#include "savefile.h"

#include <QFileDialog>

namespace app {

namespace {

constexpr int kStyleOk = 0; // the message box with "Ok" alone

} // namespace

std::optional<QString> saveCsvAs(QWidget *parent, const QString &title, const QString &proposed,
                                 const std::function<void(QIODevice &)> &write)
{
    QFileDialog dialog(parent, title, proposed, QStringLiteral("File CSV (*.csv)"));
    dialog.setObjectName(QStringLiteral("salvaFile"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    try {
        core::saveAtomically(path, write);
        return path;
    } catch (const std::exception &e) {
        dialogs::MsgBox_Routine::MostraMessaggio(core::messageOf(e), kStyleOk, QStringLiteral("Errore"));
        return std::nullopt;
    }
}

} // namespace app
