// The notification area of Wine's explorer, the tray menu and tooltips.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>

#include "res/resource.h"
#include "tests/e2e/driver/driver.h"

namespace {

// An icon of the program's file as the tray draws it: loaded at the size the
// program loads it, drawn shrunk into a slot filled with the background.
bool RenderIcon(wchar_t const* file, int id, DWORD background, int slot, int border, Pixels& out)
{
    out.width = out.height = slot;
    HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr)
        return false;
    HICON icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    FreeLibrary(module);
    if (icon == nullptr)
        return false;
    BITMAPINFO info = TopDownBitmapInfo(slot, slot);
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ const old = SelectObject(memory, dib);
    DWORD* const pixels = static_cast<DWORD*>(bits);
    std::fill(pixels, pixels + slot * slot, background);
    DrawIconEx(memory, border, border, icon, slot - 2 * border, slot - 2 * border, 0, nullptr, DI_NORMAL);
    GdiFlush();
    out.bits.assign(pixels, pixels + slot * slot);
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DestroyIcon(icon);
    return true;
}

// Sum over the pixels of the largest channel difference.
long Distance(Pixels const& a, Pixels const& b)
{
    long sum = 0;
    for (size_t i = 0; i < a.bits.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8) {
            int const d = static_cast<int>((a.bits[i] >> shift) & 0xFF) - static_cast<int>((b.bits[i] >> shift) & 0xFF);
            sum += d < 0 ? -d : d;
        }
    return sum;
}

// tray [EXE]: the taskbar's notification area and what its rightmost icon
// slot shows; with the program's file, which of its two icons that is
// (icon=normal, shutdown or none) by the nearer picture.
int OnTray(int argc, wchar_t** argv)
{
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (tray == nullptr) {
        std::printf("tray=0\n");
        return 1;
    }
    RECT rect;
    GetWindowRect(tray, &rect);
    // Wine's explorer lays icons right to left, each a small icon plus a
    // 2-pixel border on every side, centred in the taskbar's height.
    int const border = 2;
    int const slot = GetSystemMetrics(SM_CXSMICON) + 2 * border;
    RECT icon;
    icon.right = rect.right;
    icon.left = icon.right - slot;
    icon.top = rect.top + (rect.bottom - rect.top - slot) / 2;
    icon.bottom = icon.top + slot;
    Pixels shown;
    if (!GrabScreen(icon, shown)) {
        std::printf("error=cannot read the screen\n");
        return 1;
    }
    DWORD const background = shown.bits[0] & 0xFFFFFFu;
    long inked = 0;
    for (DWORD const pixel : shown.bits)
        if ((pixel & 0xFFFFFFu) != background)
            ++inked;
    std::printf("tray=%lu\n", HandleNumber(tray));
    PrintPlace(tray);
    std::printf("iconx=%ld\nicony=%ld\nslot=%d\ninked=%ld\n", icon.left + slot / 2, icon.top + slot / 2, slot, inked);
    if (argc == 0)
        return 0;
    Pixels normal, shutdown;
    if (!RenderIcon(argv[0], IDI_BRISVANE, background, slot, border, normal) ||
        !RenderIcon(argv[0], IDI_SHUTDOWN, background, slot, border, shutdown)) {
        std::printf("error=cannot load the icons of %ls\n", argv[0]);
        return 1;
    }
    long const toNormal = Distance(shown, normal), toShutdown = Distance(shown, shutdown);
    std::printf("normaldistance=%ld\nshutdowndistance=%ld\nicon=%s\n", toNormal, toShutdown,
                inked == 0 ? "none" : toNormal < toShutdown ? "normal" : "shutdown");
    return 0;
}

// traytip [timeout]: the tooltip on screen (waiting for one to show) and its
// text, which a tooltip gives for WM_GETTEXT while it shows.
int OnTrayTip(int argc, wchar_t** argv)
{
    int count = 0, visible = 0;
    HWND shown = WaitFor(static_cast<int>(NumberOr(argc, argv, 0, 0)), 100, [&] {
        count = visible = 0;
        HWND last = nullptr;
        ForEachWindow([&](HWND window) {
            if (!HasClass(window, L"tooltips_class32"))
                return;
            ++count;
            if (IsWindowVisible(window)) {
                ++visible;
                last = window;
            }
        });
        return last;
    });
    std::printf("tooltips=%d\nvisible=%d\n", count, visible);
    if (shown == nullptr)
        return 0;
    wchar_t text[128] = L"";
    SendTo(shown, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));
    PrintUtf8("tip", text);
    return 0;
}

HWND WaitForPopupMenu(int timeoutMs)
{
    return WaitForShown(L"#32768", nullptr, timeoutMs);
}

// menu [timeout]: the popup menu on screen, its place and its items.
int OnMenu(int argc, wchar_t** argv)
{
    HWND window = WaitForPopupMenu(static_cast<int>(NumberOr(argc, argv, 0, 5000)));
    std::printf("open=%d\n", window != nullptr ? 1 : 0);
    if (window == nullptr)
        return 0;
    PrintPlace(window);
    POINT cursor;
    GetCursorPos(&cursor);
    std::printf("cursorx=%ld\ncursory=%ld\nbarprocess=%d\n", cursor.x, cursor.y,
                ProcessOf(window) == ProcessOf(FindBars().first) ? 1 : 0);
    HMENU menu = reinterpret_cast<HMENU>(SendTo(window, MN_GETHMENU, 0, 0));
    int const count = menu != nullptr ? GetMenuItemCount(menu) : -1;
    std::printf("items=%d\n", count);
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = L"";
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        char key[16];
        std::snprintf(key, sizeof key, "item%d", i);
        PrintUtf8(key, text);
        std::printf("id%d=%u\n", i, GetMenuItemID(menu, i));
    }
    return 0;
}

// menukey down|up|return|escape...: keys for the open popup menu, as its
// tracking loop reads them from the queue.
int OnMenuKey(int argc, wchar_t** argv)
{
    HWND window = WaitForPopupMenu(5000);
    if (window == nullptr) {
        std::printf("error=no menu\n");
        return 1;
    }
    for (int i = 0; i < argc; ++i) {
        UINT const key = wcscmp(argv[i], L"down") == 0     ? VK_DOWN
                         : wcscmp(argv[i], L"up") == 0     ? VK_UP
                         : wcscmp(argv[i], L"return") == 0 ? VK_RETURN
                                                           : VK_ESCAPE;
        PostMessageW(window, WM_KEYDOWN, key, 1);
        PostMessageW(window, WM_KEYUP, key, 0xC0000001);
        Sleep(200);
    }
    return 0;
}

int OnCursor(int, wchar_t** argv)
{
    return SetCursorPos(static_cast<int>(Number(argv[0])), static_cast<int>(Number(argv[1]))) ? 0 : 1;
}

// The icon gone from the shell's side, as after a crash of the shell.
int OnForgetIcon(int, wchar_t**)
{
    NOTIFYICONDATAW data;
    ZeroMemory(&data, sizeof data);
    data.cbSize = NOTIFYICONDATAW_V3_SIZE;
    data.hWnd = FindBars().first;
    data.uID = 1;
    return data.hWnd != nullptr && Shell_NotifyIconW(NIM_DELETE, &data) ? 0 : 1;
}

// What the shell broadcasts when its taskbar comes up.
int OnTaskbarCreated(int, wchar_t**)
{
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG,
                               5000, &ignored)
               ? 0
               : 1;
}

Command const kCommands[] = {
    {L"tray", "[EXE]", OnTray},
    {L"traytip", "[timeout_ms]", OnTrayTip},
    {L"menu", "[timeout_ms]", OnMenu},
    {L"menukey", "[down|up|return|escape...]", OnMenuKey},
    {L"cursor", "X Y", OnCursor},
    {L"forgeticon", "", OnForgetIcon},
    {L"taskbarcreated", "", OnTaskbarCreated},
};

}  // namespace

CommandTable TrayCommands()
{
    return TableOf(kCommands);
}
