#pragma once

#include <memory>

#include "data/DataLink.h"

// Opens a connection through the unixODBC driver manager.
std::unique_ptr<DataLink::Backend> openOdbcConnection(const QString& connectionString,
                                                      const DataLink::Options& options);
