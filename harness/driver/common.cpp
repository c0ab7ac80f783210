#include "harness/driver/driver.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

long Number(wchar_t const* text)
{
    return static_cast<long>(wcstoll(text, nullptr, 0));
}

long NumberOr(int argc, wchar_t** argv, int index, long fallback)
{
    return index < argc ? Number(argv[index]) : fallback;
}

int Fail(char const* why)
{
    std::printf("error=%s\n", why);
    return 1;
}

void WaitUntilIdle(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (process == nullptr)
        return;
    WaitForInputIdle(process, 5000);
    CloseHandle(process);
}

bool HasClass(HWND window, wchar_t const* name)
{
    wchar_t found[64];
    return GetClassNameW(window, found, 64) && wcscmp(found, name) == 0;
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

wchar_t const* EnglishCaption(wchar_t const* chinese)
{
    wchar_t const* const captions[][2] = {{L"\x9009\x9879", L"Options"},
                                          {L"\x81EA\x52A8\x5173\x673A", L"Auto-shutdown"},
                                          {L"\x5173\x673A\x786E\x8BA4", L"Shut down"},
                                          {L"\x53D6\x6D88\x81EA\x52A8\x5173\x673A", L"Cancel auto-shutdown"},
                                          {L"\x5173\x4E8E", L"About"}};
    for (auto const& caption : captions)
        if (chinese != nullptr && wcscmp(chinese, caption[0]) == 0)
            return caption[1];
    return nullptr;
}

HWND Shown(wchar_t const* className, wchar_t const* caption)
{
    HWND window = FindWindowW(className, caption);
    if (window == nullptr && EnglishCaption(caption) != nullptr)
        window = FindWindowW(className, EnglishCaption(caption));
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

HWND TheBar(wchar_t**)
{
    HWND bar = WaitForBar(5000);
    if (bar == nullptr)
        Fail("no bar window");
    return bar;
}

HWND TheTarget(wchar_t** argv)
{
    HWND window = WaitForTarget(argv[0], 5000);
    if (window == nullptr)
        Fail("no such window");
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

// A line break in the text comes out as the two characters \n, so that a
// tooltip of several lines stays one value.
void PrintUtf8(char const* key, wchar_t const* text)
{
    std::wstring oneLine;
    for (wchar_t const* c = text; *c != L'\0'; ++c)
        oneLine += *c == L'\n' ? std::wstring(L"\\n") : std::wstring(1, *c);
    char bytes[2048];
    int const length = WideCharToMultiByte(CP_UTF8, 0, oneLine.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
    std::printf("%s=%s\n", key, length > 0 ? bytes : "");
}
