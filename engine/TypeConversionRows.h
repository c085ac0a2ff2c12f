#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

// One row per source field of a run: table, field name, type class and FoxPro type.
// The Datatypes Conversion viewer shows it; the command-line tool writes it out.
class TypeConversionRows : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Row {
        QString table;
        QString field;
        QString typeClass;    // empty for a field that got no column
        QString foxproType;   // empty for a field that got no column
    };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void clear();
    // Adds a row whose text is the table name, and returns it for its sub-items.
    void addRow(const QString& table);
    // Sets the sub-items of the last row.
    void setLastField(const QString& field);
    void setLastTypes(const QString& typeClass, const QString& foxproType);

    int count() const { return static_cast<int>(rows_.size()); }
    const Row& row(int index) const { return rows_.at(index); }

private:
    void lastRowChanged();
    std::vector<Row> rows_;
};
