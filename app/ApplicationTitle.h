#pragma once

#include <QString>

// The title that message boxes show when they bring none of their own. It is derived from the
// product name once, when the main window loads, and then holds for the whole program run.
namespace ApplicationTitle {

// Cuts the name at its last blank, at least once, until at most 40 characters remain. A name
// without a blank stays whole (cut to 40 characters if it is longer).
QString fromProductName(const QString& name);

void set(const QString& title);
QString current();

}  // namespace ApplicationTitle
