#include "base/dwm_attribute.h"

namespace {

typedef HRESULT(WINAPI* DwmGetWindowAttributeFunction)(HWND, DWORD, PVOID, DWORD);

// From the system folder only, never one a program was started beside.
DwmGetWindowAttributeFunction DwmGetWindowAttributeOnce()
{
    static DwmGetWindowAttributeFunction function;
    static bool tried;
    if (!tried) {
        tried = true;
        wchar_t path[MAX_PATH];
        UINT const length = GetSystemDirectoryW(path, MAX_PATH);
        wchar_t const name[] = L"\\dwmapi.dll";
        if (length > 0 && length + sizeof name / sizeof name[0] <= MAX_PATH) {
            lstrcpyW(path + length, name);
            HMODULE dwm = LoadLibraryW(path);
            if (dwm != nullptr)
                function = reinterpret_cast<DwmGetWindowAttributeFunction>(
                    reinterpret_cast<void*>(GetProcAddress(dwm, "DwmGetWindowAttribute")));
        }
    }
    return function;
}

}  // namespace

HRESULT DwmWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size)
{
    DwmGetWindowAttributeFunction get = DwmGetWindowAttributeOnce();
    return get != nullptr ? get(window, attribute, value, size) : E_NOTIMPL;
}
