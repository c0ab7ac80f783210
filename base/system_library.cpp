#include "base/system_library.h"

FARPROC SystemLibraryFunction(wchar_t const* library, char const* name)
{
    wchar_t path[MAX_PATH];
    UINT const length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenW(library) + 1 > MAX_PATH)
        return nullptr;
    path[length] = L'\\';
    lstrcpyW(path + length + 1, library);
    // One already in the process (user32, ntdll) is only looked up.
    HMODULE module = GetModuleHandleW(path);
    if (module == nullptr)
        module = LoadLibraryW(path);
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}
