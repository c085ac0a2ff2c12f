#pragma once

#include <sql.h>
#include <sqlext.h>

#include <QString>
#include <QVariant>
#include <vector>

// One result column bound to a buffer that holds its values for a whole block of rows.
// Numbers and truth values arrive in binary form, dates and times as the driver's text, texts
// as UTF-16; a value too long for its slot is read whole with SQLGetData when its row is loaded.
class OdbcColumn {
public:
    enum class Kind { Integer, Real, Double, Bit, Date, Time, Timestamp, Decimal, Text, Binary };

    OdbcColumn(SQLSMALLINT sqlType, SQLULEN columnSize, bool isUnsigned);

    Kind kind() const { return kind_; }
    int dataAccessType() const { return type_; }
    // Bytes one row takes in the bound buffer, indicator included.
    size_t rowBytes() const { return size_t(slot_) + sizeof(SQLLEN); }

    // Sizes the buffer for `rows` rows and binds it as column `number` (from 1).
    void bind(SQLHSTMT statement, SQLUSMALLINT number, size_t rows);
    // Writes the value of `row` of the fetched block into `value`, reusing its storage.
    void load(SQLHSTMT statement, size_t row, QVariant& value);

private:
    void loadLong(SQLHSTMT statement, size_t row, QVariant& value);
    const char* slot(size_t row) const { return buffer_.data() + row * size_t(slot_); }

    Kind kind_;
    int type_;
    SQLSMALLINT cType_ = SQL_C_CHAR;
    SQLLEN slot_ = 0;
    SQLUSMALLINT number_ = 0;
    std::vector<char> buffer_;
    std::vector<SQLLEN> indicators_;
};
