#pragma once
// The "C" locale as an object, for reading and writing numbers with a full stop whatever
// locale the process has set (the desktop program and bubblix-diagram take the system's).

#include <locale.h>

namespace bubblix {

// Made once for the whole run; null when the system cannot make it.
locale_t cLocale();

}  // namespace bubblix
