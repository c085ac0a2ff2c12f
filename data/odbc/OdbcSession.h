#pragma once

#include <sql.h>

#include <QString>
#include <memory>
#include <vector>

#include "data/odbc/OdbcEnvironment.h"

// A connected ODBC connection handle and the statements allocated on it. Recordsets share it,
// so a statement is never freed after (or by) the disconnection that already released it.
class OdbcSession {
public:
    OdbcSession(std::shared_ptr<OdbcEnvironment> environment, int loginTimeout);
    ~OdbcSession();
    OdbcSession(const OdbcSession&) = delete;
    OdbcSession& operator=(const OdbcSession&) = delete;

    // Connects with the full connection string handed to the driver; throws the driver's failure.
    void connect(const QString& driverConnectionString);
    bool isConnected() const { return connected_; }

    SQLHSTMT allocateStatement();
    // Whether `statement` is still allocated (the disconnection frees every statement).
    bool holds(SQLHSTMT statement) const;
    // Frees a statement of this session unless the disconnection already did.
    void freeStatement(SQLHSTMT statement);
    // Frees every statement and disconnects; the handle stays for a later owner to free.
    void disconnect();

private:
    std::shared_ptr<OdbcEnvironment> environment_;
    SQLHDBC handle_ = SQL_NULL_HDBC;
    bool connected_ = false;
    std::vector<SQLHSTMT> statements_;
};
