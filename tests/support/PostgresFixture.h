#pragma once

#include <QString>
#include <QStringList>

#include "data/ConnectionFields.h"

// Databases of the test script's throwaway PostgreSQL server, set up through psql.
namespace PostgresFixture {

// Drops and creates `database`, then runs `setupSql` in it (psql stops at the first error).
// Returns psql's error output, empty on success.
QString recreate(const QString& database, const QString& setupSql = QString());

// Runs SQL in `database` through psql; returns its unaligned, tuples-only output. An error is
// returned as "ERROR: ..." text in `error` when given.
QString query(const QString& database, const QString& sql, QString* error = nullptr);

// Connection fields that reach `database` on the test server, with a folder target.
ConnectionFields fields(const QString& database, const QString& folder);

}  // namespace PostgresFixture
