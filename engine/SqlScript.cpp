#include "engine/SqlScript.h"

int SqlScript::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant SqlScript::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count()) return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole) return lines_[index.row()];
    return QVariant();
}

void SqlScript::clear() {
    beginResetModel();
    lines_.clear();
    endResetModel();
}

void SqlScript::append(const QString& line) {
    const int row = count();
    beginInsertRows(QModelIndex(), row, row);
    lines_.push_back(line);
    endInsertRows();
}

void SqlScript::setLine(int index, const QString& text) {
    lines_.at(index) = text;
    const QModelIndex changed = this->index(index);
    emit dataChanged(changed, changed);
}
