#include "listparts.h"

#include "fonts.h"

#include <QDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>

namespace app {

QList<QStandardItem *> sortableRow(const QStringList &texts,
                                   const std::function<QVariant(int column, const QString &text)> &sortKey)
{
    QList<QStandardItem *> row;
    for (int column = 0; column < texts.size(); ++column) {
        auto *item = new QStandardItem(texts[column]);
        item->setEditable(false);
        item->setData(sortKey(column, texts[column]), kSortRole);
        row << item;
    }
    return row;
}

QTableView *sortableTable(QStandardItemModel *model, const QString &name, QWidget *parent)
{
    model->setSortRole(kSortRole);
    auto *table = new QTableView(parent);
    table->setObjectName(name);
    table->setFont(dialogs::fontArial(8.25));
    table->setModel(model);
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table->setSortingEnabled(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->resizeColumnsToContents();
    return table;
}

void dressListWindow(QDialog *window, const QString &title)
{
    window->setWindowTitle(title);
    QPalette p = window->palette();
    p.setColor(QPalette::Window, QColor(192, 192, 255));
    window->setPalette(p);
    window->setAutoFillBackground(true);
}

QPushButton *listButton(const QString &text, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setFont(dialogs::fontCorbel(9.75));
    b->setAutoDefault(false);
    return b;
}

} // namespace app
