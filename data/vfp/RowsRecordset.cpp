#include "data/vfp/RowsRecordset.h"

RowsRecordset::RowsRecordset(std::vector<DataLink::Field> fields,
                             std::vector<std::vector<QVariant>> rows)
    : fields_(std::move(fields)), rows_(std::move(rows)) {
    load();
}

void RowsRecordset::moveNext() {
    if (closed_)
        throw Failure(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    if (row_ >= rows_.size())
        throw Failure(3021, QStringLiteral("Either BOF or EOF is True, or the current record has "
                                           "been deleted. Requested operation requires a current "
                                           "record."));
    ++row_;
    load();
}

void RowsRecordset::load() {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        fields_[i].value =
            row_ < rows_.size() && i < rows_[row_].size() ? rows_[row_][i] : QVariant();
}
