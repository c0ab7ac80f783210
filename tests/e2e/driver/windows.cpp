// Other programs' windows, named by their title or by "class:NAME": the
// captions the bar rides on, what is in front, and the hooks' stand-in.
#include <cstdio>
#include <cwchar>

#include "tests/e2e/driver/driver.h"

namespace {

// window W [timeout]: its place, its caption's rectangle and its state.
int OnWindow(int argc, wchar_t** argv)
{
    HWND window = RequireTarget(argv[0], static_cast<int>(NumberOr(argc, argv, 1, 5000)));
    if (window == nullptr)
        return 1;
    TITLEBARINFO info;
    ZeroMemory(&info, sizeof info);
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

int OnSetPos(int, wchar_t** argv)
{
    HWND window = RequireTarget(argv[0]);
    return window != nullptr && SetWindowPos(window, nullptr, Number(argv[1]), Number(argv[2]), Number(argv[3]),
                                             Number(argv[4]), SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : 1;
}

int OnActivate(int, wchar_t** argv)
{
    HWND window = RequireTarget(argv[0]);
    return window != nullptr && SetForegroundWindow(window) ? 0 : 1;
}

// show W minimize|hide|restore
int OnShow(int, wchar_t** argv)
{
    HWND window = RequireTarget(argv[0]);
    if (window == nullptr)
        return 1;
    ShowWindow(window, wcscmp(argv[1], L"minimize") == 0 ? SW_MINIMIZE
                       : wcscmp(argv[1], L"hide") == 0   ? SW_HIDE
                                                         : SW_RESTORE);
    return 0;
}

int OnCloseWindow(int, wchar_t** argv)
{
    HWND window = RequireTarget(argv[0]);
    return window != nullptr && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
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

// hostpost MSG: a message to the stand-in program that switches the hooks.
int OnHostPost(int, wchar_t** argv)
{
    HWND host = WaitForTarget(L"class:BrisvaneHookHost", 5000);
    return host != nullptr && PostMessageW(host, static_cast<UINT>(Number(argv[0])), 0, 0) ? 0 : 1;
}

Command const kCommands[] = {
    {L"window", "W [timeout_ms]", OnWindow},
    {L"setpos", "W X Y CX CY", OnSetPos},
    {L"activate", "W", OnActivate},
    {L"show", "W minimize|hide|restore", OnShow},
    {L"closewin", "W", OnCloseWindow},
    {L"foreground", "", OnForeground},
    {L"zorder", "", OnZOrder},
    {L"hostpost", "MSG", OnHostPost},
};

}  // namespace

CommandTable WindowCommands()
{
    return TableOf(kCommands);
}
