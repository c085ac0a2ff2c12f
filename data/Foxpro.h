#pragma once

#include <functional>

#include "core/ErrorReporter.h"
#include "data/ConnectionFields.h"
#include "data/TableList.h"

// The FoxPro side of the checks and listings.

// Whether the FoxPro target (container or folder) opens. Failures outside the opening are
// reported through `reporter`; a refused opening is the answer false.
bool IsValidFoxProConnection(const ConnectionFields& fields, ErrorReporter& reporter);

// Clears `list` and fills it with the target's table names. A step that fails is reported;
// when the target does not open or gives no table list, the listing ends there, list empty.
void AddTablesToFoxproListbox(const ConnectionFields& fields, TableList& list,
                              ErrorReporter& reporter,
                              const std::function<void()>& processEvents = {});
