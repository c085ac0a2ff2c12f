#pragma once

#include <QString>
#include <functional>

#include "data/ConnectionFields.h"
#include "data/TableList.h"

// The PostgreSQL side of the checks and listings.

// Whether a connection with the window's PostgreSQL string opens; the connection is closed
// again at once. A refused connection is no failure here: it is the answer false.
bool IsValidPostgreSQLConnection(const ConnectionFields& fields);

// Appends every user table of the database to `list` (without clearing it), each with its
// schema; the system schemas (pg_catalog, information_schema, pg_toast...) are left out.
// `processEvents` runs before each row. Failures pass to the caller.
void AddTablesToPostgreSQLListbox(const ConnectionFields& fields, TableList& list,
                                  const std::function<void()>& processEvents = {});

// A name as a PostgreSQL delimited identifier: in double quotes, inner quotes doubled.
QString postgreSQLIdentifier(const QString& name);

// The conversion's source query for a listed table: SELECT * FROM "schema"."name", or
// SELECT * FROM "name" when no schema is known.
QString postgreSQLSourceQuery(const QString& schema, const QString& name);
