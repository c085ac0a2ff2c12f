#pragma once

#include <QCursor>
#include <QString>

// Windows cursor files (.cur) as Qt pointers.
namespace HandPointer {

// Whether the file is there: its modification time can be read. Never throws.
bool exists(const QString& path);

// Reads the cursor image and its hotspot; throws a Failure when the file cannot be read or is
// not a cursor image.
QCursor load(const QString& path);

}  // namespace HandPointer
