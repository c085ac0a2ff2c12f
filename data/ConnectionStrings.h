#pragma once

#include <QString>

#include "data/ConnectionFields.h"

// The two connection strings, rebuilt from the window's fields at every use.

enum class CollatingSequence { Machine, General };

// A field's value as it stands after its key: unchanged, unless it holds ";", "=", "{" or "}"
// or begins or ends with a blank; then it is enclosed in braces with every "}" doubled, so a
// password such as "a;b=c" connects instead of breaking the string into other keywords.
QString connectionStringField(const QString& value);

// "Driver={PostgreSQL Unicode};Server=...;Port=...;Uid=...;Pwd=...;Database=..."
QString postgreSQLConnectionString(const ConnectionFields& fields);

// "Provider=vfpoledb.1;Data Source=<container or folder>;Collating Sequence=<sequence>;"
QString foxProConnectionString(const ConnectionFields& fields, CollatingSequence sequence);

// The string the connection check and the table listing open: "machine" for a database
// container, "general" for a folder of free tables.
QString foxProCheckConnectionString(const ConnectionFields& fields);
