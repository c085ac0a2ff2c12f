#pragma once

#include <memory>

#include "data/DataLink.h"

// Opens a FoxPro target (folder of free tables or .dbc) in the embedded table engine.
std::unique_ptr<DataLink::Backend> openFoxProConnection(const QString& connectionString,
                                                        const DataLink::Options& options);
