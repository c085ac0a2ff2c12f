#pragma once

#include <QString>

// Conversions applied to remembered texts when the main window restores them. Each throws a
// Failure with the number and words the user knows from the original program when the text
// cannot be converted, so the load step reports it and goes on.
namespace StoredValue {

// A check box state: the text as a 16-bit integer (rounded half to even), which must then be
// 0 (off), 1 (on) or 2 (grey).
int toCheckState(const QString& text);

// "True"/"False" in any letter case, or a number: zero is false, anything else true.
bool toTruth(const QString& text);

// How truth values are written back.
QString fromTruth(bool value);

}  // namespace StoredValue
