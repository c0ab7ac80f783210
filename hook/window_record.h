// Publishing the bar's handle and size for the hook library.
#pragma once

#include <windows.h>

#include "cbt/shared_window_record.h"

// Writes the record into the named section; the first call opens it, and
// the handle and view stay open for the process's life, so later calls
// (the bar's size changed) rewrite the same record. Failure is silent.
void PublishWindowRecord(SharedWindowRecord const& record);
