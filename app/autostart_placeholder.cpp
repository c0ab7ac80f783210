// TEMPORARY stand-in so the program links before the real autostart entry
// lands on this branch. Remove together with its line in cmake/windows.cmake.
#include "app/autostart.h"

void UpdateAutostartEntry(LONG) {}
