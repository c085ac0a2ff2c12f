#include "app/ListWidgetTableList.h"

#include <stdexcept>

namespace {
QListWidgetItem* itemAt(QListWidget* list, int index) {
    QListWidgetItem* item = list->item(index);
    if (!item) throw std::out_of_range("table list index out of range");
    return item;
}
}  // namespace

void ListWidgetTableList::addItem(const QString& name, const QString& schema) {
    auto* item = new QListWidgetItem(name);
    item->setData(Qt::UserRole, schema);
    list_->addItem(item);
}

QString ListWidgetTableList::name(int index) const {
    return itemAt(list_, index)->text();
}

QString ListWidgetTableList::schema(int index) const {
    return itemAt(list_, index)->data(Qt::UserRole).toString();
}

void ListWidgetTableList::removeItem(int index) {
    delete list_->takeItem(index);
}
