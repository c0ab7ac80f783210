// The library as on Windows 10 and 11, with what Wine lacks stood in for
// (tests/win/elevated_window_query.cpp, dwm_caption_buttons.cpp,
// windows10_version.cpp): a window of an elevated program refuses the
// library's hit tests and its WM_GETTITLEBARINFOEX; the bar then ends left
// of DWM's buttons where DWM tells them, and stays off a caption whose
// buttons nothing tells.
#include <windows.h>

#include <gtest/gtest.h>

#include "cbt/cbt.h"
#include "cbt/named_section.h"
#include "cbt/shared_window_record.h"
#include "tests/win/dwm_caption_buttons.h"

namespace {

TEST(UnansweringWindow, RefusedQueriesTakeDwmsButtonsOrNone)
{
    int const cap = GetSystemMetrics(SM_CYCAPTION);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BRISVANE";
    RegisterClassW(&wc);
    wc.lpszClassName = L"Plain";  // answers hit tests as the system does
    RegisterClassW(&wc);
    HWND bar = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, L"BRISVANE", L"", WS_POPUP, 0, 0,
                               75, cap - 8, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, bar);
    SharedWindowRecord const record{static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(bar)), 75, cap - 8, cap, 1};
    NamedSection section = OpenNamedSection(SHARED_WINDOW_RECORD_NAME, SHARED_WINDOW_RECORD_SIZE, true);
    ASSERT_NE(nullptr, section.view);
    CopyMemory(section.view, &record, sizeof record);
    struct Case {
        wchar_t const* title;
        bool carries;
        bool byDwm;  // the bar ends left of DWM's buttons
    } const cases[] = {
        {L"elevated, dwm answers", true, true},
        {L"elevated, nothing answers", false, false},
        {L"answers itself", true, false},  // Wine's own hit test and report
    };
    for (Case const& c : cases) {
        HWND w = CreateWindowExW(0, L"Plain", c.title, WS_OVERLAPPEDWINDOW, 100, 100, 500, 200, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        ShowWindow(w, SW_SHOWNOACTIVATE);
        TITLEBARINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetTitleBarInfo(w, &info));
        RECT r{1, 2, 3, 4};
        EXPECT_EQ(c.carries, CanAdhere(w, &r) != 0) << c.title;
        if (c.byDwm)
            EXPECT_EQ(info.rcTitleBar.right - 3 * DWM_BUTTON - 2, r.right) << c.title;
        else if (c.carries)
            EXPECT_LE(r.right, info.rcTitleBar.right - 3 * GetSystemMetrics(SM_CXSIZE)) << c.title;
        else
            EXPECT_EQ(3, r.right) << c.title;
        DestroyWindow(w);
    }
    DestroyWindow(bar);
    CloseNamedSection(&section);
}

}  // namespace
