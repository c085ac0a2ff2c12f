#pragma once

#include <vector>

#include "data/DataLink.h"

// A recordset over rows held in memory, as the FoxPro engine returns its table list.
class RowsRecordset : public DataLink::Recordset {
public:
    RowsRecordset(std::vector<DataLink::Field> fields, std::vector<std::vector<QVariant>> rows);

    bool eof() const override { return closed_ || row_ >= rows_.size(); }
    bool bof() const override { return closed_ || rows_.empty(); }
    long long recordCount() const override { return static_cast<long long>(rows_.size()); }
    void moveNext() override;
    const std::vector<DataLink::Field>& fields() const override { return fields_; }
    void close() override { closed_ = true; }

private:
    void load();

    std::vector<DataLink::Field> fields_;
    std::vector<std::vector<QVariant>> rows_;
    std::size_t row_ = 0;
    bool closed_ = false;
};
