#pragma once

#include <sql.h>
#include <sqlext.h>

#include <QString>

#include "core/Failure.h"

// Turns the diagnostics the driver manager or driver left on a handle into the program's
// failure: the first record's native number, and the text of every record, one per line.
namespace OdbcDiagnostics {

Failure failure(SQLSMALLINT handleType, SQLHANDLE handle, const QString& fallback);

// Throws that failure unless `rc` reports success (with or without information).
inline void check(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, const char* what) {
    if (SQL_SUCCEEDED(rc)) return;
    throw failure(handleType, handle, QString::fromLatin1(what));
}

// The SQLSTATE of the first diagnostic record, empty when there is none.
QString firstState(SQLSMALLINT handleType, SQLHANDLE handle);

}  // namespace OdbcDiagnostics
