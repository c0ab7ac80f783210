#include "cbt/shared_views.h"

#include "base/win32_values.h"

namespace {

void* volatile g_recordView;
void* volatile g_followView;

void* OpenView(wchar_t const* name, DWORD size, bool create)
{
    HANDLE mapping = create ? CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name)
                            : OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, name);
    if (mapping == nullptr || mapping == INVALID_HANDLE_VALUE)
        return nullptr;
    void* view = MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, size);
    // A view keeps its section alive, but the program's process holds the
    // handle too, so the section outlives hooked processes that come and go.
    if (!create || view == nullptr)
        CloseHandle(mapping);
    return view;
}

void* Ensure(void* volatile* slot, wchar_t const* name, DWORD size, bool create)
{
    void* current = *slot;
    if (current != nullptr)
        return current;
    void* view = OpenView(name, size, create);
    if (view == nullptr)
        return nullptr;
    // Another thread of this process may have been quicker.
    void* previous = InterlockedCompareExchangePointer(const_cast<void**>(slot), view, nullptr);
    if (previous != nullptr) {
        UnmapViewOfFile(view);
        return previous;
    }
    return view;
}

}  // namespace

HWND BarWindowOf(SharedViews const& views)
{
    if (views.record == nullptr)
        return nullptr;
    return WindowOfHandle(views.record->barWindow);
}

SharedViews OpenSharedViews(bool create)
{
    SharedViews views;
    views.record = static_cast<SharedWindowRecord volatile*>(
        Ensure(&g_recordView, SHARED_WINDOW_RECORD_NAME, SHARED_WINDOW_RECORD_SIZE, false));
    views.follow = static_cast<FollowState volatile*>(
        Ensure(&g_followView, FOLLOW_STATE_NAME, sizeof(FollowState), create));
    return views;
}
