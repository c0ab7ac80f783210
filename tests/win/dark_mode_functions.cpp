// Stands in for base/system_library.cpp in app_mode_test: uxtheme's unnamed
// functions 135 (SetPreferredAppMode) and 136 (FlushMenuThemes) as Windows 10
// 1903 and later have them, and dwmapi's DwmSetWindowAttribute as a Windows
// 10 DWM takes the dark title bar, each recorded; Wine 8 has neither the
// ordinals nor a DWM that takes it. Every other function is looked up as
// the real file does.
#include <windows.h>

#include <string>

#include "base/system_library.h"
#include "tests/win/dark_mode_functions.h"

namespace dark_fakes {
std::vector<std::string> g_calls;
}

namespace {

int WINAPI SetPreferredAppMode(int mode)
{
    dark_fakes::g_calls.push_back("135(" + std::to_string(mode) + ")");
    return 0;
}

void WINAPI FlushMenuThemes()
{
    dark_fakes::g_calls.push_back("136");
}

HRESULT WINAPI SetWindowAttribute(HWND, DWORD attribute, LPCVOID value, DWORD size)
{
    dark_fakes::g_calls.push_back("dwm " + std::to_string(attribute) + " " +
                                  (size == sizeof(BOOL) ? std::to_string(*static_cast<BOOL const*>(value)) : "?"));
    return S_OK;
}

FARPROC Recorder(void (*function)())
{
    return reinterpret_cast<FARPROC>(function);
}

}  // namespace

FARPROC SystemLibraryFunction(wchar_t const* library, char const* name)
{
    if (lstrcmpiW(library, L"uxtheme.dll") == 0 && IS_INTRESOURCE(name)) {
        if (reinterpret_cast<UINT_PTR>(name) == 135)
            return Recorder(reinterpret_cast<void (*)()>(SetPreferredAppMode));
        if (reinterpret_cast<UINT_PTR>(name) == 136)
            return Recorder(reinterpret_cast<void (*)()>(FlushMenuThemes));
    }
    if (lstrcmpiW(library, L"dwmapi.dll") == 0 && !IS_INTRESOURCE(name) && lstrcmpA(name, "DwmSetWindowAttribute") == 0)
        return Recorder(reinterpret_cast<void (*)()>(SetWindowAttribute));
    wchar_t path[MAX_PATH];
    UINT const length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenW(library) + 1 > MAX_PATH)
        return nullptr;
    path[length] = L'\\';
    lstrcpyW(path + length + 1, library);
    HMODULE module = LoadLibraryW(path);
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}
