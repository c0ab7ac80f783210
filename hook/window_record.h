// Publishing the bar's handle and size for the hook library.
#pragma once

#include <windows.h>

#include "cbt/shared_window_record.h"

// Writes the record into the named section once; the handle and view stay
// open for the process's life. Failure is silent.
void PublishWindowRecord(SharedWindowRecord const& record);
