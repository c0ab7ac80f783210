#include "hook/window_record.h"

namespace {

// Kept open on purpose: the section must outlive the program's calls for the
// library to find it; it ends with the process.
void* g_view;

}  // namespace

void PublishWindowRecord(SharedWindowRecord const& record)
{
    if (g_view == nullptr) {
        HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                            SHARED_WINDOW_RECORD_SIZE, SHARED_WINDOW_RECORD_NAME);
        if (mapping == nullptr || mapping == INVALID_HANDLE_VALUE)
            return;
        g_view = MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, SHARED_WINDOW_RECORD_SIZE);
        if (g_view == nullptr) {
            CloseHandle(mapping);
            return;
        }
    }
    CopyMemory(g_view, &record, sizeof record);
}
