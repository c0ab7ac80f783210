#include "hook/window_record.h"

#include "cbt/named_section.h"

namespace {

// Kept open on purpose: the library opens the section by name whenever it
// needs the record; it ends with the process.
NamedSection g_section;

}  // namespace

void PublishWindowRecord(SharedWindowRecord const& record)
{
    if (g_section.view == nullptr)
        g_section = OpenNamedSection(SHARED_WINDOW_RECORD_NAME, SHARED_WINDOW_RECORD_SIZE, true);
    if (g_section.view != nullptr)
        CopyMemory(g_section.view, &record, sizeof record);
}
