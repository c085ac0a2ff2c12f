#include "data/odbc/OdbcRecordset.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <algorithm>

#include "data/odbc/OdbcDiagnostics.h"

namespace {
// Memory for one block of bound rows; the block holds up to kMaxBlockRows rows.
constexpr size_t kBlockBytes = size_t(4) << 20;
constexpr size_t kMaxBlockRows = 1024;

Failure noCurrentRecord() {
    return Failure(3021, QStringLiteral("Either BOF or EOF is True, or the current record has been "
                                        "deleted. Requested operation requires a current record."));
}

bool isIntegerType(SQLSMALLINT type) {
    return type == SQL_SMALLINT || type == SQL_INTEGER || type == SQL_TINYINT || type == SQL_BIGINT;
}
}  // namespace

OdbcRecordset::OdbcRecordset(std::shared_ptr<OdbcSession> session, SQLHSTMT statement,
                             long long count)
    : session_(std::move(session)), statement_(statement), count_(count) {
    try {
        describe();
        if (fetchBlock()) {
            eof_ = bof_ = false;
            loadRow();
        }
    } catch (...) {
        close();
        throw;
    }
}

OdbcRecordset::~OdbcRecordset() {
    close();
}

void OdbcRecordset::describe() {
    SQLSMALLINT count = 0;
    OdbcDiagnostics::check(SQLNumResultCols(statement_, &count), SQL_HANDLE_STMT, statement_,
                           "The result's columns could not be read.");
    columns_.reserve(size_t(count));
    fields_.resize(size_t(count));
    size_t rowBytes = 0;
    for (SQLUSMALLINT number = 1; number <= count; ++number) {
        SQLWCHAR name[512];
        SQLSMALLINT nameLength = 0, sqlType = 0, scale = 0, nullable = 0;
        SQLULEN size = 0;
        OdbcDiagnostics::check(
            SQLDescribeColW(statement_, number, name, SQLSMALLINT(std::size(name)), &nameLength,
                            &sqlType, &size, &scale, &nullable),
            SQL_HANDLE_STMT, statement_, "A result column could not be described.");
        SQLLEN isUnsigned = SQL_FALSE;
        if (isIntegerType(sqlType))
            SQLColAttributeW(statement_, number, SQL_DESC_UNSIGNED, nullptr, 0, nullptr,
                             &isUnsigned);
        columns_.emplace_back(sqlType, size, isUnsigned == SQL_TRUE);
        DataLink::Field& field = fields_[number - 1];
        field.name = QString::fromUtf16(reinterpret_cast<const char16_t*>(name),
                                        std::min<SQLSMALLINT>(nameLength, std::size(name) - 1));
        field.type = columns_.back().dataAccessType();
        rowBytes += columns_.back().rowBytes();
    }
    const size_t rows =
        std::clamp<size_t>(kBlockBytes / std::max<size_t>(rowBytes, 1), 1, kMaxBlockRows);
    statuses_.assign(rows, 0);
    SQLSetStmtAttr(statement_, SQL_ATTR_ROW_BIND_TYPE, SQL_BIND_BY_COLUMN, 0);
    OdbcDiagnostics::check(
        SQLSetStmtAttr(statement_, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(rows), 0),
        SQL_HANDLE_STMT, statement_, "The block size could not be set.");
    SQLSetStmtAttr(statement_, SQL_ATTR_ROWS_FETCHED_PTR, &fetched_, 0);
    SQLSetStmtAttr(statement_, SQL_ATTR_ROW_STATUS_PTR, statuses_.data(), 0);
    for (SQLUSMALLINT number = 1; number <= count; ++number)
        columns_[number - 1].bind(statement_, number, rows);
}

bool OdbcRecordset::fetchBlock() {
    fetched_ = 0;
    row_ = 0;
    const SQLRETURN rc = SQLFetchScroll(statement_, SQL_FETCH_NEXT, 0);
    if (rc == SQL_NO_DATA) return false;
    OdbcDiagnostics::check(rc, SQL_HANDLE_STMT, statement_, "Reading rows failed.");
    return fetched_ > 0;
}

void OdbcRecordset::loadRow() {
    for (size_t i = 0; i < columns_.size(); ++i)
        columns_[i].load(statement_, row_, fields_[i].value);
}

SQLHSTMT OdbcRecordset::openStatement() {
    // A closed connection has freed the statement under this recordset.
    if (statement_ != SQL_NULL_HSTMT && !session_->holds(statement_)) {
        statement_ = SQL_NULL_HSTMT;
        eof_ = bof_ = true;
    }
    if (statement_ == SQL_NULL_HSTMT)
        throw Failure(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    return statement_;
}

void OdbcRecordset::moveNext() {
    openStatement();
    if (eof_) throw noCurrentRecord();
    if (++row_ >= fetched_ && !fetchBlock()) {
        eof_ = true;
        return;
    }
    loadRow();
}

void OdbcRecordset::close() {
    if (statement_ == SQL_NULL_HSTMT) return;
    SQLHSTMT statement = statement_;
    statement_ = SQL_NULL_HSTMT;
    eof_ = bof_ = true;
    if (session_) session_->freeStatement(statement);
}
