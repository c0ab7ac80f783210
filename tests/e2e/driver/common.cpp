// What the commands share: numbers, finding windows, printing, reading the screen.
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "tests/e2e/driver/driver.h"

long Number(wchar_t const* text)
{
    return static_cast<long>(wcstoll(text, nullptr, 0));
}

long NumberOr(int argc, wchar_t** argv, int index, long fallback)
{
    return index < argc ? Number(argv[index]) : fallback;
}

bool HasClass(HWND window, wchar_t const* name)
{
    wchar_t found[64];
    return GetClassNameW(window, found, 64) && wcscmp(found, name) == 0;
}

bool HasTitle(HWND window, wchar_t const* title)
{
    wchar_t found[64];
    return GetWindowTextW(window, found, 64) && wcscmp(found, title) == 0;
}

DWORD ProcessOf(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

Found FindBars()
{
    return FindWindows([](HWND window) { return HasClass(window, L"BRISVANE"); });
}

HWND WaitForBar(int timeoutMs)
{
    return WaitFor(timeoutMs, 100, [] { return FindBars().first; });
}

HWND RequireBar(int timeoutMs)
{
    HWND bar = WaitForBar(timeoutMs);
    if (bar == nullptr)
        std::printf("error=no bar window\n");
    return bar;
}

HWND Shown(wchar_t const* className, wchar_t const* caption)
{
    HWND window = FindWindowW(className, caption);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

HWND WaitForShown(wchar_t const* className, wchar_t const* caption, int timeoutMs, int stepMs)
{
    return WaitFor(timeoutMs, stepMs, [=] { return Shown(className, caption); });
}

HWND WaitForTarget(wchar_t const* name, int timeoutMs)
{
    bool const byClass = wcsncmp(name, L"class:", 6) == 0;
    return WaitFor(timeoutMs, 100,
                   [=] { return byClass ? FindWindowW(name + 6, nullptr) : FindWindowW(nullptr, name); });
}

HWND RequireTarget(wchar_t const* name, int timeoutMs)
{
    HWND window = WaitForTarget(name, timeoutMs);
    if (window == nullptr)
        std::printf("error=no such window\n");
    return window;
}

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

unsigned long HandleNumber(HWND window)
{
    return static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window));
}

void PrintPlace(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    std::printf("x=%ld\ny=%ld\nwidth=%ld\nheight=%ld\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
}

void PrintUtf8(char const* key, wchar_t const* text)
{
    char bytes[512];
    int const length = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    std::printf("%s=%s\n", key, length > 0 ? bytes : "");
}

BITMAPINFO TopDownBitmapInfo(int width, int height)
{
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

bool GrabScreen(RECT const& rect, Pixels& out)
{
    out.width = rect.right - rect.left;
    out.height = rect.bottom - rect.top;
    if (out.width <= 0 || out.height <= 0 || out.width > 4096 || out.height > 4096)
        return false;
    out.bits.assign(static_cast<size_t>(out.width) * out.height, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, out.width, out.height);
    HGDIOBJ const old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, out.width, out.height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info = TopDownBitmapInfo(out.width, out.height);
    bool const ok = GetDIBits(memory, bitmap, 0, out.height, out.bits.data(), &info, DIB_RGB_COLORS) == out.height;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}
