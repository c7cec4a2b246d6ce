#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class QPushButton;
class QStandardItem;
class QStandardItemModel;
class QTableView;
class QDialog;
class QWidget;

// The parts of the tool's list windows (the card check, the register of written files): tables
// the operator sorts by clicking a caption, and their buttons.
namespace app {

// The role a cell sorts by.
inline constexpr int kSortRole = Qt::UserRole + 1;

// A read-only row of cells, each sorting by what `sortKey` gives for its column and text.
QList<QStandardItem *> sortableRow(const QStringList &texts,
                                   const std::function<QVariant(int column, const QString &text)> &sortKey);

// A table of the model, in the model's order until a caption is clicked, whole rows selected,
// its columns as wide as their contents.
QTableView *sortableTable(QStandardItemModel *model, const QString &name, QWidget *parent);

// The list window's title and the tool's light blue behind it.
void dressListWindow(QDialog *window, const QString &title);

// A button under a list, named for the tests, that Enter in the window does not press.
QPushButton *listButton(const QString &text, const QString &name, QWidget *parent);

} // namespace app
