#include "engine/TypeConversionRows.h"

int TypeConversionRows::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int TypeConversionRows::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant TypeConversionRows::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count() || role != Qt::DisplayRole) return QVariant();
    const Row& r = rows_[index.row()];
    switch (index.column()) {
        case 0: return r.table;
        case 1: return r.field;
        case 2: return r.typeClass;
        case 3: return r.foxproType;
        default: return QVariant();
    }
}

void TypeConversionRows::clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void TypeConversionRows::addRow(const QString& table) {
    const int n = count();
    beginInsertRows(QModelIndex(), n, n);
    rows_.push_back(Row{table, QString(), QString(), QString()});
    endInsertRows();
}

void TypeConversionRows::setLastField(const QString& field) {
    rows_.back().field = field;
    lastRowChanged();
}

void TypeConversionRows::setLastTypes(const QString& typeClass, const QString& foxproType) {
    rows_.back().typeClass = typeClass;
    rows_.back().foxproType = foxproType;
    lastRowChanged();
}

void TypeConversionRows::lastRowChanged() {
    const int r = count() - 1;
    emit dataChanged(index(r, 0), index(r, 3));
}
