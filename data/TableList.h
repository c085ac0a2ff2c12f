#pragma once

#include <QString>
#include <utility>
#include <vector>

// A list of table names as the hidden lists of the main window hold them: the plain name is
// what is shown and compared; a PostgreSQL entry also remembers its schema so the run can
// read it schema-qualified.
class TableList {
public:
    virtual ~TableList() = default;
    virtual void clear() = 0;
    virtual void addItem(const QString& name, const QString& schema = QString()) = 0;
    virtual int count() const = 0;
    virtual QString name(int index) const = 0;
    virtual QString schema(int index) const = 0;
    virtual void removeItem(int index) = 0;
};

// The plain in-memory list used by the command-line tools and tests.
class MemoryTableList : public TableList {
public:
    void clear() override { items_.clear(); }
    void addItem(const QString& name, const QString& schema = QString()) override {
        items_.emplace_back(name, schema);
    }
    int count() const override { return static_cast<int>(items_.size()); }
    QString name(int index) const override { return items_.at(index).first; }
    QString schema(int index) const override { return items_.at(index).second; }
    void removeItem(int index) override { items_.erase(items_.begin() + index); }

private:
    std::vector<std::pair<QString, QString>> items_;
};
