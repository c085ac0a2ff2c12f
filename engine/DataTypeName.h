#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The symbolic name of a data-access type number ("adVarWChar" for 202), or no value for a
// number the component does not name. Callers lower-case it; no value becomes the empty text.
std::optional<QString> DataTypeName(std::int16_t type);

// The lower-case name, or the empty text when the number has none.
QString lowerDataTypeName(int type);
