// The driver's commands about the screen: the bar's pixels, the tray icon,
// its tip and menu, the cursor.
#include "harness/driver/driver.h"

#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

#include "res/resource.h"

namespace {

// The pixels of a bitmap, 32 bits each, top row first.
struct Pixels {
    int width, height;
    std::vector<DWORD> bits;
};

// The pixels draw(memory, screen, bits) leaves in a bitmap of this size.
template <typename Draw>
bool Render(int width, int height, Pixels& out, Draw draw)
{
    out.width = width;
    out.height = height;
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096)
        return false;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ const old = SelectObject(memory, bitmap);
        draw(memory, screen, static_cast<DWORD*>(bits));
        GdiFlush();
        out.bits.assign(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + width * height);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap != nullptr;
}

bool GrabScreen(RECT const& rect, Pixels& out)
{
    int const width = rect.right - rect.left, height = rect.bottom - rect.top;
    return Render(width, height, out, [&](HDC memory, HDC screen, DWORD*) {
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    });
}

// An icon of the program's file as the tray draws it: loaded at the size the
// program loads it, drawn shrunk into a slot filled with the background.
bool RenderIcon(wchar_t const* file, int id, DWORD background, int slot, int border, Pixels& out)
{
    HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr)
        return false;
    HICON icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    FreeLibrary(module);
    if (icon == nullptr)
        return false;
    bool const ok = Render(slot, slot, out, [&](HDC memory, HDC, DWORD* bits) {
        std::fill(bits, bits + slot * slot, background);
        DrawIconEx(memory, border, border, icon, slot - 2 * border, slot - 2 * border, 0, nullptr, DI_NORMAL);
    });
    DestroyIcon(icon);
    return ok;
}

// How far two pictures are apart: the channel differences, summed.
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

HWND WaitForPopupMenu(int timeoutMs)
{
    return WaitForShown(L"#32768", nullptr, timeoutMs);
}

}  // namespace

// What the screen shows where the bar is: a hash of its pixels and how many
// of them are not black (keyed-out pixels show the black root window).
int OnPixels(HWND bar, int, wchar_t**)
{
    RECT rect;
    GetWindowRect(bar, &rect);
    Pixels shown;
    if (!GrabScreen(rect, shown))
        return Fail("cannot read the bar's pixels");
    unsigned long hash = 2166136261ul;
    long inked = 0;
    for (DWORD const pixel : shown.bits) {
        DWORD const colour = pixel & 0xFFFFFFu;
        if (colour != 0)
            ++inked;
        for (int b = 0; b < 3; ++b)
            hash = (hash ^ ((colour >> (8 * b)) & 0xFF)) * 16777619ul;
    }
    std::printf("hash=%08lx\ninked=%ld\n", hash, inked);
    return 0;
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
    LONG const top = rect.top + (rect.bottom - rect.top - slot) / 2;
    RECT const icon{rect.right - slot, top, rect.right, top + slot};
    Pixels shown;
    if (!GrabScreen(icon, shown))
        return Fail("cannot read the screen");
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
    HWND shown = WaitFor(NumberOr(argc, argv, 0, 0), 100, [&] {
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
    PrintPlace(shown);
    return 0;
}

// balloon [timeout_ms] [gone]: waits for a notification shown from a tray
// icon (Wine draws it as a balloon tooltip), or with "gone" for none; prints
// whether one is shown, its text and its place.
int OnBalloon(int argc, wchar_t** argv)
{
    bool const gone = argc > 1 && wcscmp(argv[1], L"gone") == 0;
    HWND balloon = nullptr;
    Poll(NumberOr(argc, argv, 0, 0), 100, [&] {
        balloon = nullptr;
        ForEachWindow([&](HWND window) {
            if (HasClass(window, L"tooltips_class32") && IsWindowVisible(window) &&
                (GetWindowLongW(window, GWL_STYLE) & TTS_BALLOON) != 0)
                balloon = window;
        });
        return (balloon == nullptr) == gone;
    });
    std::printf("shown=%d\n", balloon != nullptr ? 1 : 0);
    if (balloon != nullptr) {
        wchar_t text[256] = L"";
        SendTo(balloon, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
        PrintUtf8("text", text);
        PrintPlace(balloon);
    }
    return 0;
}

// powersetting percent|acdc VALUE [timeout_ms]: what Windows sends the bar
// when a registered power setting changes (Wine sends none): the record goes
// into the bar's process, whose address is WM_POWERBROADCAST's lParam. Prints
// how long the message took (sent_us) and, with a timeout, how long until
// the screen showed the bar changed (shown_us; -1 when it did not).
int OnPowerSetting(HWND bar, int argc, wchar_t** argv)
{
    GUID const percent = {0xa7ad8041, 0xb45a, 0x4cae, {0x87, 0xa3, 0xee, 0xcb, 0xb4, 0x68, 0xa9, 0xe1}};
    GUID const acdc = {0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}};
    struct {
        POWERBROADCAST_SETTING head;
        BYTE rest[sizeof(DWORD)];
    } record{};
    record.head.PowerSetting = wcscmp(argv[0], L"acdc") == 0 ? acdc : percent;
    record.head.DataLength = sizeof(DWORD);
    DWORD const value = static_cast<DWORD>(Number(argv[1]));
    memcpy(record.head.Data, &value, sizeof value);

    DWORD pid = 0;
    GetWindowThreadProcessId(bar, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr)
        return Fail("cannot open the bar's process");
    void* remote = VirtualAllocEx(process, nullptr, sizeof record, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote == nullptr || !WriteProcessMemory(process, remote, &record, sizeof record, nullptr)) {
        CloseHandle(process);
        return Fail("cannot write the record into the bar's process");
    }
    RECT rect;
    GetWindowRect(bar, &rect);
    Pixels before, now;
    bool const watch = argc > 2 && GrabScreen(rect, before);

    LARGE_INTEGER frequency, start, sent, shown;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(bar, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(remote),
                        SMTO_NORMAL, 10000, &result);
    QueryPerformanceCounter(&sent);
    auto micro = [&](LARGE_INTEGER const& t) { return (t.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart; };
    std::printf("result=%ld\nsent_us=%lld\n", static_cast<long>(result), static_cast<long long>(micro(sent)));
    if (watch) {
        long long shownUs = -1;
        DWORD const deadline = GetTickCount() + static_cast<DWORD>(Number(argv[2]));
        do {
            QueryPerformanceCounter(&shown);
            if (GrabScreen(rect, now) && now.bits != before.bits) {
                shownUs = micro(shown);
                break;
            }
            Sleep(1);
        } while (static_cast<LONG>(deadline - GetTickCount()) > 0);
        std::printf("shown_us=%lld\n", shownUs);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return 0;
}

// menu [timeout]: the popup menu on screen, its place and its items.
int OnMenu(int argc, wchar_t** argv)
{
    HWND window = WaitForPopupMenu(NumberOr(argc, argv, 0, 5000));
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
    if (window == nullptr)
        return Fail("no menu");
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
    return SetCursorPos(Number(argv[0]), Number(argv[1])) ? 0 : 1;
}

// The icon gone from the shell's side, as after a crash of the shell.
int OnForgetIcon(int, wchar_t**)
{
    NOTIFYICONDATAW data{};
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
