// The driver's commands about other programs' windows: finding, moving,
// activating, showing and hanging them, and what is in front.
#include "harness/driver/driver.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

// window W [timeout]: its place, its caption's rectangle and its state.
int OnWindow(int argc, wchar_t** argv)
{
    HWND window = WaitForTarget(argv[0], NumberOr(argc, argv, 1, 5000));
    if (window == nullptr)
        return Fail("no such window");
    WaitUntilIdle(window);
    TITLEBARINFO info{};
    info.cbSize = sizeof info;
    GetTitleBarInfo(window, &info);
    wchar_t title[128] = L"";
    GetWindowTextW(window, title, 128);
    std::printf("hwnd=%lu\ntitle=%ls\n", HandleNumber(window), title);
    PrintPlace(window);
    std::printf("captionleft=%ld\ncaptiontop=%ld\ncaptionright=%ld\ncaptionbottom=%ld\ncxsize=%d\nforeground=%d\n"
                "iconic=%d\nvisible=%d\n",
                info.rcTitleBar.left, info.rcTitleBar.top, info.rcTitleBar.right, info.rcTitleBar.bottom,
                GetSystemMetrics(SM_CXSIZE), GetForegroundWindow() == window ? 1 : 0, IsIconic(window) ? 1 : 0,
                IsWindowVisible(window) ? 1 : 0);
    return 0;
}

int OnSetPos(HWND window, int, wchar_t** argv)
{
    return SetWindowPos(window, nullptr, Number(argv[1]), Number(argv[2]), Number(argv[3]), Number(argv[4]),
                        SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : 1;
}

int OnActivate(HWND window, int, wchar_t**)
{
    if (!SetForegroundWindow(window))
        return 1;
    // The window's thread takes the activation from a message of its own:
    // wait for that, so that two quick activations are two events.
    DWORD const thread = GetWindowThreadProcessId(window, nullptr);
    Poll(5000, 10, [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) && info.hwndActive == window;
    });
    return 0;
}

int OnShow(HWND window, int, wchar_t** argv)
{
    ShowWindow(window, wcscmp(argv[1], L"minimize") == 0 ? SW_MINIMIZE
                       : wcscmp(argv[1], L"hide") == 0   ? SW_HIDE
                                                         : SW_RESTORE);
    return 0;
}

// hang W MS: a test window stops answering messages for MS milliseconds
// (harness/windows/test_window.cpp).
int OnHang(HWND window, int, wchar_t** argv)
{
    return PostMessageW(window, WM_APP + 1, static_cast<WPARAM>(Number(argv[1])), 0) ? 0 : 1;
}

int OnCloseWindow(HWND window, int, wchar_t**)
{
    return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
}

int OnForeground(int, wchar_t**)
{
    HWND foreground = GetForegroundWindow();
    wchar_t title[128] = L"", name[64] = L"";
    GetWindowTextW(foreground, title, 128);
    GetClassNameW(foreground, name, 64);
    std::printf("hwnd=%lu\ntitle=%ls\nclass=%ls\n", HandleNumber(foreground), title, name);
    return 0;
}

// ontop: the bar restacked above every window. Stands in for what Windows
// keeps by itself: in a Wine virtual desktop an activated window is raised
// above the topmost bar on X, though Win32 still reports the bar on top, and
// Wine restacks on X only for a change of the Win32 order.
int OnOnTop(HWND bar, int, wchar_t**)
{
    UINT const flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    return SetWindowPos(bar, HWND_NOTOPMOST, 0, 0, 0, 0, flags) && SetWindowPos(bar, HWND_TOPMOST, 0, 0, 0, 0, flags)
               ? 0
               : 1;
}

// The classes of the six front-most visible windows.
int OnZOrder(int, wchar_t**)
{
    int shown = 0;
    for (HWND w = GetTopWindow(nullptr); w != nullptr && shown < 6; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!IsWindowVisible(w))
            continue;
        wchar_t name[64] = L"";
        GetClassNameW(w, name, 64);
        std::printf("z%d=%ls%s\n", shown++, name, (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) ? " topmost" : "");
    }
    return 0;
}
