#include "details/details_window.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "base/instance.h"
#include "base/messages.h"
#include "base/monitors.h"
#include "base/place_window.h"
#include "base/ui_resources.h"
#include "details/battery_devices.h"
#include "details/details_paint.h"
#include "history/history_file.h"
#include "res/resource.h"

namespace {

// Sizes at 96 DPI.
int const DEFAULT_WIDTH = 520, DEFAULT_HEIGHT = 560;
int const MIN_WIDTH = 360, MIN_HEIGHT = 380;
UINT const CLOCK_PERIOD = 60 * 1000;

HWND g_window;
GraphRange g_range = GraphRange::Day;
std::vector<HistoryRecord> g_records;
BatteryFacts g_facts[MAX_BATTERIES];
int g_factCount;
UINT g_dpi = 96;
HFONT g_font, g_bold;
DetailsHits g_hits;
// The size the user last gave the window, at 96 DPI, for the next opening.
SIZE g_size = {DEFAULT_WIDTH, DEFAULT_HEIGHT};

int32_t LocalOffset()
{
    TIME_ZONE_INFORMATION zone;
    DWORD const which = GetTimeZoneInformation(&zone);
    LONG bias = zone.Bias;
    if (which == TIME_ZONE_ID_DAYLIGHT)
        bias += zone.DaylightBias;
    else if (which == TIME_ZONE_ID_STANDARD)
        bias += zone.StandardBias;
    return -bias * 60;
}

// The message font at the window's DPI, and a bold one beside it.
void CreateFonts(UINT dpi)
{
    if (g_font != nullptr)
        DeleteObject(g_font);
    if (g_bold != nullptr)
        DeleteObject(g_bold);
    NONCLIENTMETRICSW metrics;
    ZeroMemory(&metrics, sizeof metrics);
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    // The metrics are at the system's DPI.
    HDC screen = GetDC(nullptr);
    int const systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), systemDpi > 0 ? systemDpi : 96);
    g_font = CreateFontIndirectW(&font);
    font.lfWeight = FW_BOLD;
    g_bold = CreateFontIndirectW(&font);
}

DetailsView ViewNow()
{
    return DetailsView{g_range, &g_records, g_facts, g_factCount, CurrentHistoryState(), HistoryNow(),
                       LocalOffset(), g_dpi, g_font, g_bold};
}

// A language chosen in Options meanwhile shows in the title too.
void KeepTitle(HWND window)
{
    WCHAR title[64] = L"", shown[64] = L"";
    LoadUiString(IDS_DETAILS_TITLE, title, 64);
    GetWindowTextW(window, shown, 64);
    if (lstrcmpW(title, shown) != 0)
        SetWindowTextW(window, title);
}

// Drawn off screen and copied, so that a growing graph does not flicker.
void OnPaint(HWND window)
{
    KeepTitle(window);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right > 0 ? client.right : 1, client.bottom > 0 ? client.bottom : 1);
    HGDIOBJ const old = SelectObject(memory, bitmap);
    PaintDetails(memory, client, ViewNow(), &g_hits);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(window, &paint);
}

void ChooseRange(HWND window, GraphRange range)
{
    if (g_range == range)
        return;
    g_range = range;
    InvalidateRect(window, nullptr, FALSE);
}

void OnClick(HWND window, LPARAM lParam)
{
    POINT const at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (PtInRect(&g_hits.day, at))
        ChooseRange(window, GraphRange::Day);
    else if (PtInRect(&g_hits.week, at))
        ChooseRange(window, GraphRange::Week);
}

void OnKey(HWND window, WPARAM key)
{
    if (key == VK_ESCAPE)
        DestroyWindow(window);
    else if (key == VK_LEFT || key == VK_RIGHT || key == VK_TAB)
        ChooseRange(window, g_range == GraphRange::Day ? GraphRange::Week : GraphRange::Day);
}

void OnSize(HWND window, WPARAM kind)
{
    if (kind == SIZE_RESTORED) {
        RECT rect;
        GetWindowRect(window, &rect);
        g_size = SIZE{MulDiv(rect.right - rect.left, 96, static_cast<int>(g_dpi)),
                      MulDiv(rect.bottom - rect.top, 96, static_cast<int>(g_dpi))};
    }
    InvalidateRect(window, nullptr, FALSE);
}

void OnMinMaxInfo(MINMAXINFO* info)
{
    info->ptMinTrackSize.x = ScaleForDpi(MIN_WIDTH, g_dpi);
    info->ptMinTrackSize.y = ScaleForDpi(MIN_HEIGHT, g_dpi);
}

// The system's suggested place and size at the new DPI.
void OnDpiChanged(HWND window, WPARAM wParam, RECT const* suggested)
{
    g_dpi = HIWORD(wParam);
    CreateFonts(g_dpi);
    SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, FALSE);
}

void OnDestroy(HWND window)
{
    KillTimer(window, IDT_DETAILS_CLOCK);
    DeleteObject(g_font);
    DeleteObject(g_bold);
    g_font = g_bold = nullptr;
    g_window = nullptr;
    std::vector<HistoryRecord>().swap(g_records);
}

LRESULT CALLBACK DetailsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint covers the whole client area
    case WM_LBUTTONDOWN:
        OnClick(window, lParam);
        return 0;
    case WM_KEYDOWN:
        OnKey(window, wParam);
        return 0;
    case WM_SIZE:
        OnSize(window, wParam);
        return 0;
    case WM_GETMINMAXINFO:
        OnMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(window, wParam, reinterpret_cast<RECT const*>(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == IDT_DETAILS_CLOCK)
            InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_SETTINGCHANGE:
        CreateFonts(g_dpi);
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_SYSCOLORCHANGE:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterDetailsClass()
{
    WNDCLASSEXW wc;
    ZeroMemory(&wc, sizeof wc);
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DetailsWindowProc;
    wc.hInstance = g_instance;
    wc.hIcon = LoadIconW(g_instance, MAKEINTRESOURCEW(IDI_BRISVANE));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = DETAILS_WINDOW_CLASS;
    wc.hIconSm = wc.hIcon;
    RegisterClassExW(&wc);  // fails harmlessly once registered
}

// At the DPI of the monitor it lies on, near the tray of the bar's monitor.
void SizeAndPlace(HWND window, HWND bar)
{
    for (int pass = 0; pass < 2; ++pass) {
        g_dpi = DpiOfWindow(pass == 0 ? bar : window);
        SetWindowPos(window, nullptr, 0, 0, ScaleForDpi(g_size.cx, g_dpi), ScaleForDpi(g_size.cy, g_dpi),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        PlaceAtBottomRight(window, bar);
        if (DpiOfWindow(window) == g_dpi)
            break;
    }
    // Placed as the dialogs are, but a window one keeps open need not stay on top.
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CreateFonts(g_dpi);
}

}  // namespace

void ShowDetailsWindow(HWND bar)
{
    if (g_window != nullptr) {
        if (IsIconic(g_window))
            ShowWindow(g_window, SW_RESTORE);
        SetForegroundWindow(g_window);
        return;
    }
    RegisterDetailsClass();
    g_factCount = ReadBatteryDevices(g_facts, MAX_BATTERIES);
    int64_t const now = HistoryNow();
    ReadHistory(now - 7 * HISTORY_DAY, now, g_records);

    WCHAR title[64] = L"";
    LoadUiString(IDS_DETAILS_TITLE, title, 64);
    HWND window = CreateWindowExW(0, DETAILS_WINDOW_CLASS, title, WS_OVERLAPPEDWINDOW, 0, 0, DEFAULT_WIDTH,
                                  DEFAULT_HEIGHT, nullptr, nullptr, g_instance, nullptr);
    if (window == nullptr)
        return;
    g_window = window;
    SizeAndPlace(window, bar);
    SetTimer(window, IDT_DETAILS_CLOCK, CLOCK_PERIOD, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetForegroundWindow(window);
}

void ShowDetailsTextsAgain()
{
    if (g_window != nullptr)
        InvalidateRect(g_window, nullptr, FALSE);
}

void DetailsHistoryGrew(HistoryRecord const& record)
{
    if (g_window == nullptr)
        return;
    g_records.push_back(record);
    if (g_records.size() >= 2 && g_records[g_records.size() - 2].time > record.time)
        std::stable_sort(g_records.begin(), g_records.end(),
                         [](HistoryRecord const& a, HistoryRecord const& b) { return a.time < b.time; });
    InvalidateRect(g_window, nullptr, FALSE);
}
