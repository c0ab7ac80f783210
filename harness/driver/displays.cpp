// The driver's commands about displays: monitors and their DPI, and a
// program's manifest.
#include "harness/driver/driver.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param)
{
    int* index = reinterpret_cast<int*>(param);
    MONITORINFO info;
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        std::printf("monitor%d=%ld %ld %ld %ld\nwork%d=%ld %ld %ld %ld\n", *index, info.rcMonitor.left,
                    info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom, *index, info.rcWork.left,
                    info.rcWork.top, info.rcWork.right, info.rcWork.bottom);
    ++*index;
    return TRUE;
}

// monitors: each monitor and its work area as "left top right bottom", and
// the screen's DPI.
int PrintMonitors()
{
    int count = 0;
    EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, reinterpret_cast<LPARAM>(&count));
    HDC screen = GetDC(nullptr);
    std::printf("monitors=%d\ndpi=%d\n", count, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return count > 0 ? 0 : 1;
}

// manifest FILE: the application manifest resource of an executable.
int PrintManifest(wchar_t const* file)
{
    HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = module != nullptr ? FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)) : nullptr;
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    char const* text = loaded != nullptr ? static_cast<char const*>(LockResource(loaded)) : nullptr;
    if (text == nullptr) {
        if (module != nullptr)
            FreeLibrary(module);
        std::printf("error=no manifest\n");
        return 1;
    }
    std::fwrite(text, 1, SizeofResource(module, found), stdout);
    std::printf("\n");
    FreeLibrary(module);
    return 0;
}

}  // namespace

int OnMonitors(int, wchar_t**)
{
    return PrintMonitors();
}

int OnManifest(int, wchar_t** argv)
{
    return PrintManifest(argv[0]);
}
