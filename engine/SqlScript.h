#pragma once

#include <QAbstractListModel>
#include <QString>
#include <vector>

// The statement lines of the SQL preview, one whole statement per line, numbered from 1 when
// shown. A plain list model so a view of hundreds of thousands of lines stays quick.
class SqlScript : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void clear();
    void append(const QString& line);
    int count() const { return static_cast<int>(lines_.size()); }
    const QString& line(int index) const { return lines_.at(index); }
    void setLine(int index, const QString& text);

private:
    std::vector<QString> lines_;
};
