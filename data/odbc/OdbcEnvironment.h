#pragma once

#include <sql.h>

#include <QString>
#include <memory>

// The driver manager's environment with ODBC 3 behaviour. Every connection holds a share of
// the one environment of the process, so it lives until the last connection is gone.
class OdbcEnvironment {
public:
    ~OdbcEnvironment();
    OdbcEnvironment(const OdbcEnvironment&) = delete;
    OdbcEnvironment& operator=(const OdbcEnvironment&) = delete;

    // The shared environment, allocated on first use; throws a Failure numbered 3706 when the
    // driver manager gives none.
    static std::shared_ptr<OdbcEnvironment> shared();

    SQLHENV handle() const { return handle_; }

    // Whether the driver manager knows a driver by this name (odbcinst.ini).
    bool hasDriver(const QString& name) const;

private:
    explicit OdbcEnvironment(SQLHENV handle) : handle_(handle) {}

    SQLHENV handle_;
};
