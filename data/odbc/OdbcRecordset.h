#pragma once

#include <sql.h>

#include <memory>
#include <vector>

#include "data/DataLink.h"
#include "data/odbc/OdbcColumn.h"
#include "data/odbc/OdbcSession.h"

// The rows of one executed statement, read forward in blocks into bound buffers. The fields
// are updated in place as the position moves, so reading a row allocates nothing for numbers,
// dates and texts that fit the storage of the row before.
class OdbcRecordset : public DataLink::Recordset {
public:
    // Takes over `statement`, which has just produced a result set.
    OdbcRecordset(std::shared_ptr<OdbcSession> session, SQLHSTMT statement, long long count);
    ~OdbcRecordset() override;

    bool eof() const override { return eof_; }
    bool bof() const override { return bof_; }
    long long recordCount() const override { return count_; }
    void moveNext() override;
    const std::vector<DataLink::Field>& fields() const override { return fields_; }
    void close() override;

private:
    void describe();
    bool fetchBlock();
    void loadRow();
    SQLHSTMT openStatement();

    std::shared_ptr<OdbcSession> session_;
    SQLHSTMT statement_;
    long long count_;
    std::vector<OdbcColumn> columns_;
    std::vector<DataLink::Field> fields_;
    std::vector<SQLUSMALLINT> statuses_;
    SQLULEN fetched_ = 0;
    size_t row_ = 0;
    bool eof_ = true;
    bool bof_ = true;
};
