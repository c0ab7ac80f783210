#include "base/dwm_attribute.h"

#include "base/system_library.h"

namespace {

typedef HRESULT(WINAPI* DwmGetWindowAttributeFunction)(HWND, DWORD, PVOID, DWORD);

DwmGetWindowAttributeFunction DwmGetWindowAttributeOnce()
{
    static DwmGetWindowAttributeFunction function;
    static bool tried;
    if (!tried) {
        tried = true;
        function = reinterpret_cast<DwmGetWindowAttributeFunction>(
            reinterpret_cast<void*>(SystemLibraryFunction(L"dwmapi.dll", "DwmGetWindowAttribute")));
    }
    return function;
}

typedef HRESULT(WINAPI* DwmSetWindowAttributeFunction)(HWND, DWORD, LPCVOID, DWORD);

DwmSetWindowAttributeFunction DwmSetWindowAttributeOnce()
{
    static DwmSetWindowAttributeFunction function;
    static bool tried;
    if (!tried) {
        tried = true;
        function = reinterpret_cast<DwmSetWindowAttributeFunction>(
            reinterpret_cast<void*>(SystemLibraryFunction(L"dwmapi.dll", "DwmSetWindowAttribute")));
    }
    return function;
}

}  // namespace

HRESULT DwmWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size)
{
    DwmGetWindowAttributeFunction get = DwmGetWindowAttributeOnce();
    return get != nullptr ? get(window, attribute, value, size) : E_NOTIMPL;
}

HRESULT SetDwmWindowAttribute(HWND window, DWORD attribute, void const* value, DWORD size)
{
    DwmSetWindowAttributeFunction set = DwmSetWindowAttributeOnce();
    return set != nullptr ? set(window, attribute, value, size) : E_NOTIMPL;
}
