#include "data/odbc/OdbcSession.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <algorithm>

#include "data/odbc/OdbcDiagnostics.h"

OdbcSession::OdbcSession(std::shared_ptr<OdbcEnvironment> environment, int loginTimeout)
    : environment_(std::move(environment)) {
    OdbcDiagnostics::check(SQLAllocHandle(SQL_HANDLE_DBC, environment_->handle(), &handle_),
                           SQL_HANDLE_ENV, environment_->handle(),
                           "The ODBC driver manager gave no connection handle.");
    if (loginTimeout > 0)
        SQLSetConnectAttr(handle_, SQL_ATTR_LOGIN_TIMEOUT,
                          reinterpret_cast<SQLPOINTER>(SQLULEN(loginTimeout)), 0);
}

OdbcSession::~OdbcSession() {
    disconnect();
    SQLFreeHandle(SQL_HANDLE_DBC, handle_);
}

void OdbcSession::connect(const QString& driverConnectionString) {
    std::u16string text = driverConnectionString.toStdU16String();
    SQLSMALLINT outLength = 0;
    const SQLRETURN rc =
        SQLDriverConnectW(handle_, nullptr, reinterpret_cast<SQLWCHAR*>(text.data()),
                          SQLSMALLINT(text.size()), nullptr, 0, &outLength, SQL_DRIVER_NOPROMPT);
    OdbcDiagnostics::check(rc, SQL_HANDLE_DBC, handle_, "The connection could not be opened.");
    connected_ = true;
}

SQLHSTMT OdbcSession::allocateStatement() {
    SQLHSTMT statement = SQL_NULL_HSTMT;
    OdbcDiagnostics::check(SQLAllocHandle(SQL_HANDLE_STMT, handle_, &statement), SQL_HANDLE_DBC,
                           handle_, "The connection gave no statement handle.");
    statements_.push_back(statement);
    return statement;
}

bool OdbcSession::holds(SQLHSTMT statement) const {
    return std::find(statements_.begin(), statements_.end(), statement) != statements_.end();
}

void OdbcSession::freeStatement(SQLHSTMT statement) {
    const auto it = std::find(statements_.begin(), statements_.end(), statement);
    if (it == statements_.end()) return;
    statements_.erase(it);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
}

void OdbcSession::disconnect() {
    for (SQLHSTMT statement : statements_) SQLFreeHandle(SQL_HANDLE_STMT, statement);
    statements_.clear();
    if (connected_) {
        connected_ = false;
        // An open transaction (a declare/fetch cursor runs in one) only reads; end it.
        SQLEndTran(SQL_HANDLE_DBC, handle_, SQL_ROLLBACK);
        SQLDisconnect(handle_);
    }
}
