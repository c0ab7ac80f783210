// Stands in for base/system_library.cpp in app_mode_test: uxtheme's unnamed
// functions 135 (SetPreferredAppMode) and 136 (FlushMenuThemes), which Wine 8
// lacks, and dwmapi's DwmSetWindowAttribute, which Wine's DWM ignores, as
// Windows 10 and 11 have them, recording their calls; any other function as
// the real file finds it.
#include "base/system_library.h"
#include "tests/win/dark_mode_functions.h"

std::vector<std::string> dark_fakes::g_calls;

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

HRESULT WINAPI SetWindowAttribute(HWND, DWORD attribute, LPCVOID value, DWORD)
{
    dark_fakes::g_calls.push_back("dwm " + std::to_string(attribute) + " " +
                                  std::to_string(*static_cast<BOOL const*>(value)));
    return S_OK;
}

// Through void*, as GetProcAddress's callers cast back.
template <typename F>
FARPROC AsFarProc(F* function)
{
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(function));
}

}  // namespace

FARPROC SystemLibraryFunction(wchar_t const* library, char const* name)
{
    UINT_PTR const ordinal = IS_INTRESOURCE(name) ? reinterpret_cast<UINT_PTR>(name) : 0;
    if (lstrcmpiW(library, L"uxtheme.dll") == 0 && (ordinal == 135 || ordinal == 136))
        return ordinal == 135 ? AsFarProc(SetPreferredAppMode) : AsFarProc(FlushMenuThemes);
    if (ordinal == 0 && lstrcmpA(name, "DwmSetWindowAttribute") == 0)
        return AsFarProc(SetWindowAttribute);
    wchar_t path[MAX_PATH];
    UINT const length = GetSystemDirectoryW(path, MAX_PATH - 20);
    lstrcatW(path + length, L"\\");
    lstrcatW(path + length, library);
    HMODULE const module = LoadLibraryW(path);
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}
