#pragma once

#include <sql.h>

// The data-access type number that the Windows ODBC bridge reports for an ODBC SQL type.
int dataAccessType(SQLSMALLINT sqlType, bool isUnsigned);
