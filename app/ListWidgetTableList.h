#pragma once

#include <QListWidget>

#include "data/TableList.h"

// A hidden list box of the main window as a table list: the item text is the table name, the
// item data its schema.
class ListWidgetTableList : public TableList {
public:
    explicit ListWidgetTableList(QListWidget* list) : list_(list) {}

    void clear() override { list_->clear(); }
    void addItem(const QString& name, const QString& schema = QString()) override;
    int count() const override { return list_->count(); }
    QString name(int index) const override;
    QString schema(int index) const override;
    void removeItem(int index) override;

private:
    QListWidget* list_;
};
