#pragma once

#include <memory>

#include "data/DataLink.h"

// Opens a connection through the unixODBC driver manager.
std::unique_ptr<DataLink::Backend> openOdbcConnection(const QString& connectionString,
                                                      const DataLink::Options& options);

// What the driver is handed: the program's connection string unchanged, followed by the
// driver options the cursor location needs (psqlODBC's declare/fetch streaming for server-side
// cursors, booleans as truth values always).
QString odbcDriverConnectionString(const QString& connectionString, int cursorLocation);
