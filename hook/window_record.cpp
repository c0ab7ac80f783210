#include "hook/window_record.h"

void PublishWindowRecord(SharedWindowRecord const& record)
{
    // Kept open on purpose: the section must outlive this call for the
    // library to find it; it ends with the process.
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        SHARED_WINDOW_RECORD_SIZE, SHARED_WINDOW_RECORD_NAME);
    if (mapping == nullptr || mapping == INVALID_HANDLE_VALUE)
        return;
    void* view = MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, SHARED_WINDOW_RECORD_SIZE);
    if (view == nullptr)
        return;
    CopyMemory(view, &record, sizeof record);
}
