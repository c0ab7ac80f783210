// The settings file and the Run value under Wine, with real INI files in a
// temporary folder and the real registry: defaults, the written layout,
// normalisation, directories too long for the buffers, the once-only save
// at the end of a session, and the autostart value with its fallback.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/monitors.h"
#include "settings/autostart.h"
#include "tests/win/fakes.h"

namespace {

std::wstring g_fakeModulePath;

// Behaves as GetModuleFileNameW does for a path of any length: a cut,
// terminated text and ERROR_INSUFFICIENT_BUFFER when it does not fit.
DWORD WINAPI FakeModuleFileName(HMODULE, LPWSTR path, DWORD size)
{
    DWORD const length = static_cast<DWORD>(g_fakeModulePath.size());
    if (length < size) {
        lstrcpyW(path, g_fakeModulePath.c_str());
        return length;
    }
    g_fakeModulePath.copy(path, size - 1);
    path[size - 1] = L'\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

HKEY g_deniedRoot;

LSTATUS WINAPI OpenDenyingOneRoot(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result)
{
    if (root == g_deniedRoot)
        return ERROR_ACCESS_DENIED;
    return RegOpenKeyExW(root, subKey, options, access, result);
}

LSTATUS WINAPI DenyEverything(HKEY, LPCWSTR, DWORD, REGSAM, PHKEY)
{
    return ERROR_ACCESS_DENIED;
}

WCHAR const RUN_KEY[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The Run value "Brisvane" under root: exists, its type, data and byte size.
struct RunValue {
    bool exists = false;
    DWORD type = 0;
    DWORD size = 0;
    std::wstring data;
};

RunValue ReadRunValue(HKEY root)
{
    RunValue value;
    HKEY key;
    if (RegOpenKeyExW(root, RUN_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return value;
    WCHAR data[1024] = L"";
    DWORD size = sizeof data - sizeof(WCHAR);
    if (RegQueryValueExW(key, L"Brisvane", nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size) ==
        ERROR_SUCCESS) {
        value.exists = true;
        value.size = size;
        value.data = data;
    }
    RegCloseKey(key);
    return value;
}

void PutRunValue(HKEY root, WCHAR const* data)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(root, RUN_KEY, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr));
    RegSetValueExW(key, L"Brisvane", 0, REG_SZ, reinterpret_cast<BYTE const*>(data),
                   static_cast<DWORD>((lstrlenW(data) + 1) * sizeof(WCHAR)));
    RegCloseKey(key);
}

void RemoveRunValues()
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        HKEY key;
        if (RegOpenKeyExW(root, RUN_KEY, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, L"Brisvane");
            RegCloseKey(key);
        }
    }
}

std::wstring TempRoot()
{
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"brisvane-settings-test";
}

void RemoveTree(std::wstring const& directory)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((directory + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring const name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring const path = directory + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(directory.c_str());
}

// Every file below directory, as paths relative to it.
void ListFiles(std::wstring const& directory, std::wstring const& prefix, std::vector<std::wstring>& files)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((directory + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring const name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListFiles(directory + L"\\" + name, prefix + name + L"\\", files);
        else
            files.push_back(prefix + name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// A directory below the temporary root whose full path is exactly length
// characters long, made of nested folders of at most 60 characters.
std::wstring MakeDirectoryOfLength(size_t length)
{
    std::wstring path = TempRoot();
    CreateDirectoryW(path.c_str(), nullptr);
    while (path.size() < length) {
        size_t const room = length - path.size() - 1;  // minus the backslash
        size_t part = room > 60 ? 60 : room;
        if (room > 60 && room - 60 < 2)
            part = room - 2;  // leave at least one character for the last folder
        path += L"\\" + std::wstring(part, L'd');
        CreateDirectoryW(path.c_str(), nullptr);
    }
    return path;
}

std::string ReadFileBytes(std::wstring const& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0)
        bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

void WriteFileBytes(std::wstring const& path, std::string const& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// ASCII text as a UTF-16LE file with its byte order mark.
std::string Utf16(std::string const& text)
{
    std::string bytes = "\xFF\xFE";
    for (char c : text) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

bool FileExists(std::wstring const& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The file's non-empty lines, without line ends; a UTF-16 file (with its
// byte order mark) is read as the ASCII it holds.
std::vector<std::string> Lines(std::string const& bytes)
{
    std::string text;
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += bytes[i + 1] == 0 ? bytes[i] : '?';
    } else {
        text = bytes;
    }
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            if (!line.empty())
                lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

std::vector<std::string> ExpectedLines(char const* autoRun, char const* adhere, char const* ignoreDUI,
                                       long barWidth, long interval, long alpha, long x, long y,
                                       char const* battery = "0 20 0", char const* language = "",
                                       char const* action = "shutdown")
{
    long barText = 0, alertLow = 0, alertHigh = 0;
    std::sscanf(battery, "%ld %ld %ld", &barText, &alertLow, &alertHigh);
    return {"[Brisvane]",
            std::string("AutoRun=") + autoRun,
            std::string("Adhere=") + adhere,
            std::string("IgnoreDUI=") + ignoreDUI,
            "BarWidth=" + std::to_string(barWidth),
            "Interval=" + std::to_string(interval),
            "Alpha=" + std::to_string(alpha),
            "BarText=" + std::to_string(barText),
            "AlertLow=" + std::to_string(alertLow),
            "AlertHigh=" + std::to_string(alertHigh),
            std::string("Language=") + language,
            "ForceClose=1",
            std::string("ShutdownAction=") + action,
            "History=1",
            "[Position]",
            "X=" + std::to_string(x),
            "Y=" + std::to_string(y)};
}

class Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakes();
        RemoveTree(TempRoot());
        directory = TempRoot() + L"\\app";
        CreateDirectoryW(TempRoot().c_str(), nullptr);
        CreateDirectoryW(directory.c_str(), nullptr);
        UseModulePath(directory + L"\\settings_test.exe");
        ini = directory + L"\\Brisvane.ini";
        RemoveRunValues();
    }

    void TearDown() override
    {
        if (window != nullptr)
            DestroyWindow(window);
        ResetFakes();  // the real module path again, before the folder goes
        RemoveRunValues();
        RemoveTree(TempRoot());
    }

    void UseModulePath(std::wstring const& path)
    {
        g_fakeModulePath = path;
        g_system.GetModuleFileNameW = FakeModuleFileName;
    }

    // A plain window standing in for the bar at a given position.
    HWND WindowAt(int x, int y)
    {
        window = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"bar", WS_POPUP, x, y, 75, 17, nullptr, nullptr,
                                 nullptr, nullptr);
        return window;
    }

    void ExpectDefaults()
    {
        EXPECT_EQ(0, g_settings.autoRun);
        EXPECT_EQ(1, g_settings.adhere);
        EXPECT_EQ(1, g_settings.ignoreDUI);
        EXPECT_EQ(50, g_settings.barWidth);
        EXPECT_EQ(5000, g_settings.interval);
        EXPECT_EQ(240, g_settings.alpha);
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) - 4 * GetSystemMetrics(SM_CYCAPTION) - 74, g_settings.positionX);
        EXPECT_EQ(4, g_settings.positionY);
        EXPECT_FALSE(IsAutoShutdownRunning());
    }

    void Scramble()
    {
        g_settings.autoRun = g_settings.adhere = g_settings.ignoreDUI = 7;
        g_settings.barWidth = g_settings.interval = g_settings.positionX = g_settings.positionY = 12345;
        g_settings.alpha = 3;
        g_settings.barText = g_settings.alertLow = g_settings.alertHigh = 55;
    }

    std::wstring directory;
    std::wstring ini;
    HWND window = nullptr;
};

TEST_F(Settings, MissingFileGivesTheDefaultsAndClearsAPendingShutdown)
{
    Scramble();
    LoadSettings();
    ExpectDefaults();
}

TEST_F(Settings, SaveCreatesTheFileWithEveryKeyInOrder)
{
    LoadSettings();
    SaveSettings(WindowAt(-120, -30));
    EXPECT_EQ(ExpectedLines("0", "1", "1", 50, 5000, 240, -120, -30), Lines(ReadFileBytes(ini)));
}

TEST_F(Settings, ShutdownActionKeptAsItsWord)
{
    WriteFileBytes(ini, "[Brisvane]\r\nShutdownAction=hibernate\r\n");
    LoadSettings();
    EXPECT_EQ(ACTION_HIBERNATE, g_settings.shutdownAction);
    DeleteFileW(ini.c_str());
    SaveSettings(WindowAt(1, 2));
    EXPECT_EQ(ExpectedLines("0", "1", "1", 50, 5000, 240, 1, 2, "0 20 0", "", "hibernate"), Lines(ReadFileBytes(ini)));
}

TEST_F(Settings, ValuesAreKeptNormalisedAndWrittenBack)
{
    WriteFileBytes(ini, "[Brisvane]\r\nAutoRun=-1\r\nAdhere=2\r\nIgnoreDUI=0\r\nBarWidth=-5\r\n"
                        "Interval=250\r\nAlpha=300\r\nBarText=0\r\nAlertLow=20\r\nAlertHigh=0\r\nLanguage=EN-us\r\n"
                        "ForceClose=1\r\nShutdownAction=nap\r\n[Position]\r\nX=-1500\r\nY=-20\r\n");
    Scramble();
    LoadSettings();
    EXPECT_EQ(1, g_settings.autoRun);
    EXPECT_EQ(1, g_settings.adhere);
    EXPECT_EQ(0, g_settings.ignoreDUI);
    EXPECT_EQ(-5, g_settings.barWidth);
    EXPECT_EQ(250, g_settings.interval);
    EXPECT_EQ(44, g_settings.alpha);
    EXPECT_EQ(-1500, g_settings.positionX);
    EXPECT_EQ(-20, g_settings.positionY);
    EXPECT_EQ(LanguageChoice::English, g_settings.language);
    EXPECT_FALSE(IsAutoShutdownRunning());

    SaveSettings(WindowAt(-1500, -20));
    EXPECT_EQ(ExpectedLines("1", "1", "0", -5, 250, 44, -1500, -20, "0 20 0", "en-US"), Lines(ReadFileBytes(ini)));
}

// The battery's keys take only what they mean: anything else is the default,
// and the default is what the file gets back.
TEST_F(Settings, BatteryKeysOutOfRangeGetTheirDefaults)
{
    struct Case {
        char const* file;
        char const* kept;  // BarText AlertLow AlertHigh
    } const cases[] = {
        {"BarText=1\r\nAlertLow=35\r\nAlertHigh=80\r\n", "1 35 80"},
        {"BarText=2\r\nAlertLow=abc\r\nAlertHigh=101\r\n", "0 20 0"},
        {"BarText=-1\r\nAlertLow=0\r\nAlertHigh=100\r\n", "0 0 100"},
        {"BarText=\r\nAlertLow=15x\r\nAlertHigh=-80\r\n", "0 20 0"},
    };
    for (Case const& c : cases) {
        WriteFileBytes(ini, std::string("[Brisvane]\r\n") + c.file);
        Scramble();
        LoadSettings();
        char kept[32];
        std::snprintf(kept, sizeof kept, "%ld %ld %ld", static_cast<long>(g_settings.barText),
                      static_cast<long>(g_settings.alertLow), static_cast<long>(g_settings.alertHigh));
        EXPECT_EQ(std::string(c.kept), kept) << c.file;
        DeleteFileW(ini.c_str());  // written anew, so in the keys' own order
        SaveSettings(WindowAt(10, 20));
        EXPECT_EQ(ExpectedLines("0", "1", "1", 50, 5000, 240, 10, 20, c.kept), Lines(ReadFileBytes(ini))) << c.file;
    }
}

TEST_F(Settings, DefaultXFollowsTheBarWidthInTheFile)
{
    WriteFileBytes(ini, "[Brisvane]\r\nBarWidth=80\r\n");
    LoadSettings();
    EXPECT_EQ(80, g_settings.barWidth);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) - 4 * GetSystemMetrics(SM_CYCAPTION) - 104, g_settings.positionX);
    EXPECT_EQ(1, g_settings.adhere);  // the keys not in the file keep their defaults
}

TEST_F(Settings, SavesOncePerLoad)
{
    LoadSettings();
    SaveSettings(WindowAt(10, 20));
    ASSERT_TRUE(FileExists(ini));
    DeleteFileW(ini.c_str());
    SaveSettings(window);
    EXPECT_FALSE(FileExists(ini)) << "a second save in the same run";

    LoadSettings();
    SaveSettings(window);
    EXPECT_TRUE(FileExists(ini));
}

// 246 characters is the longest directory whose "\Brisvane.ini" fits in
// MAX_PATH; one more and a cut path would name "...\Brisvane.i".
TEST_F(Settings, DirectoryTooLongForTheIniPathUsesDefaultsAndWritesNothing)
{
    std::wstring const fits = MakeDirectoryOfLength(246);
    ASSERT_EQ(246u, fits.size());
    UseModulePath(fits + L"\\B.exe");
    // Keys in the written order, so the rewritten file keeps it.
    WriteFileBytes(fits + L"\\Brisvane.ini", "[Brisvane]\r\nAutoRun=0\r\nAdhere=1\r\nIgnoreDUI=1\r\nBarWidth=80\r\n");
    LoadSettings();
    EXPECT_EQ(80, g_settings.barWidth);
    SaveSettings(WindowAt(1, 2));
    EXPECT_EQ(ExpectedLines("0", "1", "1", 80, 5000, 240, 1, 2), Lines(ReadFileBytes(fits + L"\\Brisvane.ini")));
    DestroyWindow(window);
    window = nullptr;

    RemoveTree(TempRoot());
    std::wstring const tooLong = MakeDirectoryOfLength(247);
    ASSERT_EQ(247u, tooLong.size());
    ASSERT_TRUE(FileExists(tooLong));
    UseModulePath(tooLong + L"\\B.exe");
    WriteFileBytes(tooLong + L"\\Brisvane.i", "[Brisvane]\r\nBarWidth=80\r\n");
    Scramble();
    LoadSettings();
    ExpectDefaults();
    DeleteFileW((tooLong + L"\\Brisvane.i").c_str());
    SaveSettings(WindowAt(1, 2));
    std::vector<std::wstring> files;
    ListFiles(TempRoot(), L"", files);
    EXPECT_TRUE(files.empty()) << "wrote " << (files.empty() ? "" : std::string(files[0].begin(), files[0].end()));
}

// A module path cut by GetModuleFileNameW would end at some folder above
// the real one: its INI must not be read nor written.
TEST_F(Settings, CutModulePathUsesDefaultsAndWritesNothing)
{
    std::wstring const deep = MakeDirectoryOfLength(245);
    WriteFileBytes(deep + L"\\Brisvane.ini", "[Brisvane]\r\nBarWidth=80\r\n");
    std::string const before = ReadFileBytes(deep + L"\\Brisvane.ini");
    UseModulePath(deep + L"\\" + std::wstring(40, L'e') + L"\\Brisvane.exe");
    Scramble();
    LoadSettings();
    ExpectDefaults();
    SaveSettings(WindowAt(1, 2));
    EXPECT_EQ(before, ReadFileBytes(deep + L"\\Brisvane.ini"));
    WCHAR path[MAX_PATH] = L"x";
    EXPECT_FALSE(ModuleDirectory(path, MAX_PATH, L"Brisvane.ini"));
    EXPECT_EQ(L'\0', path[0]);
}

TEST_F(Settings, GarbledFilesGiveNumbersOrDefaultsAndAreRewritten)
{
    std::string const files[] = {
        "[Brisvane]\r\nAutoRun=yes\r\nAdhere=\r\nBarWidth=abc\r\nInterval=99999999999999\r\nAlpha=-1\r\n"
        "Language=fr-FR\r\n",
        std::string("\xFF\xFE[\0B\0\x01\x02\x03\xFF\0\0\x80", 15),
        "[Brisvane\r\n=\r\n==\r\n[]\r\nBarWidth\r\n[Position]\r\nX=2000000000\r\nY=-2147483648\r\n"
        "[Brisvane]\r\nLanguage=zh-CNzh-CNzh-CNzh-CN\r\n",
        std::string(70000, 'x'),
        Utf16("[Brisvane]\r\nAdhere=0\r\nAlpha=100\r\n[Position]\r\nX=-3\r\n"),
        "",
    };
    for (std::string const& bytes : files) {
        WriteFileBytes(ini, bytes);
        LoadSettings();
        SaveSettings(WindowAt(5, 6));
        DestroyWindow(window);
        window = nullptr;
        std::vector<std::string> const lines = Lines(ReadFileBytes(ini));
        // Whatever was made of the file, the keys we write are there with our values.
        for (std::string const& expected :
             {std::string("Alpha=") + std::to_string(g_settings.alpha), std::string("X=5"), std::string("Y=6")}) {
            bool found = false;
            for (std::string const& line : lines)
                found = found || line == expected;
            EXPECT_TRUE(found) << expected;
        }
        EXPECT_TRUE(g_settings.adhere == 0 || g_settings.adhere == 1);
        EXPECT_EQ(LanguageChoice::AsWindows, g_settings.language) << "an odd language reads as Windows";
    }
}

TEST_F(Settings, AutostartNamesBrisvaneExeBesideTheRunningProgram)
{
    // The real module path: this test program is not called Brisvane.exe.
    g_system.GetModuleFileNameW = GetModuleFileNameW;
    WCHAR self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring directory(self);
    directory.erase(directory.rfind(L'\\'));

    UpdateAutostartEntry(1);
    RunValue const value = ReadRunValue(HKEY_CURRENT_USER);
    ASSERT_TRUE(value.exists);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type);
    std::wstring const expected = L"\"" + directory + L"\\Brisvane.exe\"";
    EXPECT_EQ(expected, value.data);
    EXPECT_EQ((expected.size() + 1) * 2, value.size);
    EXPECT_FALSE(ReadRunValue(HKEY_LOCAL_MACHINE).exists) << "never machine-wide, even where it may";

    UpdateAutostartEntry(0);
    EXPECT_FALSE(ReadRunValue(HKEY_CURRENT_USER).exists);
}

// The user's key only; off also clears a machine-wide value an earlier
// version left, where the user may, and the user's own where not.
TEST_F(Settings, AutostartGoesToTheUserAndOffClearsBoth)
{
    g_deniedRoot = HKEY_LOCAL_MACHINE;
    g_system.RegOpenKeyExW = OpenDenyingOneRoot;
    UpdateAutostartEntry(1);
    EXPECT_FALSE(ReadRunValue(HKEY_LOCAL_MACHINE).exists);
    RunValue const value = ReadRunValue(HKEY_CURRENT_USER);
    ASSERT_TRUE(value.exists);
    EXPECT_EQ(L"\"" + directory + L"\\Brisvane.exe\"", value.data);
    UpdateAutostartEntry(0);
    EXPECT_FALSE(ReadRunValue(HKEY_CURRENT_USER).exists);

    g_system.RegOpenKeyExW = RegOpenKeyExW;
    UpdateAutostartEntry(1);
    PutRunValue(HKEY_LOCAL_MACHINE, L"\"C:\\old\\Brisvane.exe\"");
    UpdateAutostartEntry(0);
    EXPECT_FALSE(ReadRunValue(HKEY_LOCAL_MACHINE).exists);
    EXPECT_FALSE(ReadRunValue(HKEY_CURRENT_USER).exists);

    // Neither key writable: nothing anywhere, and no harm.
    g_deniedRoot = nullptr;
    g_system.RegOpenKeyExW = DenyEverything;
    UpdateAutostartEntry(1);
    UpdateAutostartEntry(0);
    g_system.RegOpenKeyExW = RegOpenKeyExW;
    EXPECT_FALSE(ReadRunValue(HKEY_LOCAL_MACHINE).exists);
    EXPECT_FALSE(ReadRunValue(HKEY_CURRENT_USER).exists);
}

// The data is built in 256 characters: a directory of 240 fills them
// exactly ("\"" + 240 + "\\Brisvane.exe\"" + terminator), 241 is too long.
TEST_F(Settings, AutostartSkipsADirectoryTooLongForTheValue)
{
    std::wstring const fits = L"C:\\" + std::wstring(237, L'r');
    UseModulePath(fits + L"\\Other.exe");
    UpdateAutostartEntry(1);
    RunValue const value = ReadRunValue(HKEY_CURRENT_USER);
    ASSERT_TRUE(value.exists);
    EXPECT_EQ(L"\"" + fits + L"\\Brisvane.exe\"", value.data);
    EXPECT_EQ(256u * 2, value.size);
    UpdateAutostartEntry(0);

    UseModulePath(fits + L"r\\Other.exe");
    UpdateAutostartEntry(1);
    EXPECT_FALSE(ReadRunValue(HKEY_LOCAL_MACHINE).exists);
    EXPECT_FALSE(ReadRunValue(HKEY_CURRENT_USER).exists);

    // Switching off still clears an old entry.
    PutRunValue(HKEY_LOCAL_MACHINE, L"\"C:\\old\\Brisvane.exe\"");
    UpdateAutostartEntry(0);
    EXPECT_FALSE(ReadRunValue(HKEY_LOCAL_MACHINE).exists);
}

// The real bar window: the end of a session saves at once, and the
// teardown that may follow does not save a second time.
class SessionEnd : public Settings {
protected:
    void SetUp() override
    {
        Settings::SetUp();
        WriteFileBytes(ini, "[Brisvane]\r\nAutoRun=0\r\nAdhere=0\r\n[Position]\r\nX=200\r\nY=300\r\n");
    }

    void Start()
    {
        ASSERT_TRUE(InitInstance(GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE));
        window = g_barWindow;
        RECT rect;
        GetWindowRect(window, &rect);
        EXPECT_EQ(200, rect.left);
        EXPECT_EQ(300, rect.top);
        SetWindowPos(window, nullptr, -40, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void Destroy()
    {
        DestroyWindow(window);
        window = nullptr;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
};

TEST_F(SessionEnd, EndingSessionSavesOnceAndTheTeardownDoesNotRepeatIt)
{
    Start();
    std::string const before = ReadFileBytes(ini);
    SendMessageW(window, WM_QUERYENDSESSION, 0, 0);
    SendMessageW(window, WM_ENDSESSION, FALSE, 0);  // cancelled: nothing written
    EXPECT_EQ(before, ReadFileBytes(ini));

    EXPECT_EQ(0, SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF));
    EXPECT_EQ(ExpectedLines("0", "0", "1", 50, 5000, 240, -40, 500), Lines(ReadFileBytes(ini)));

    DeleteFileW(ini.c_str());
    Destroy();
    EXPECT_FALSE(FileExists(ini)) << "saved again at teardown";
}

TEST_F(SessionEnd, TeardownAloneSavesTheMovedPosition)
{
    Start();
    Destroy();
    EXPECT_EQ(ExpectedLines("0", "0", "1", 50, 5000, 240, -40, 500), Lines(ReadFileBytes(ini)));
}

// Odd numbers in the file: the bar refreshes at 1 s .. 1 h and is no wider
// than its monitor's work area, and the file keeps what the user wrote.
TEST_F(SessionEnd, OddIntervalsAndWidthsAreHeldInBoundsAndKept)
{
    struct Case {
        char const* interval;
        uint32_t period;
    } const cases[] = {{"0", 1000}, {"-1", 1000}, {"250", 1000}, {"2147483647", 3600000}};
    for (Case const& c : cases) {
        SCOPED_TRACE(c.interval);
        WriteFileBytes(ini, std::string("[Brisvane]\r\nAdhere=0\r\nBarWidth=2000000000\r\nInterval=") + c.interval +
                                "\r\n[Position]\r\nX=0\r\nY=0\r\n");
        ASSERT_TRUE(InitInstance(GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE));
        window = g_barWindow;
        EXPECT_EQ(c.period, RefreshPeriodInUse());
        RECT bar;
        GetWindowRect(window, &bar);
        RECT const area = WorkAreaNear(window);
        EXPECT_LE(bar.right - bar.left, area.right - area.left);
        EXPECT_GT(bar.right - bar.left, (area.right - area.left) / 2) << "as wide as it may be";
        Destroy();
        std::vector<std::string> const lines = Lines(ReadFileBytes(ini));
        EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), std::string("Interval=") + c.interval));
        EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "BarWidth=2000000000"));
    }
}

}  // namespace
