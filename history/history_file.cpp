#include "history/history_file.h"

#include "base/system_calls.h"

#include <cstring>

namespace {

WCHAR g_path[MAX_PATH];
HistoryState g_state = HistoryState::Off;

DWORD const SHARE_ALL = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The file's last HISTORY_READ_LIMIT bytes, from the start of a line. Sets
// *cut when the file was longer.
bool ReadTail(std::vector<char>& text, bool* cut)
{
    *cut = false;
    text.clear();
    HANDLE file = CreateFileW(g_path, GENERIC_READ, SHARE_ALL, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) != FALSE;
    if (ok && size.QuadPart > HISTORY_READ_LIMIT) {
        *cut = true;
        // One byte before the tail, to tell whether the tail starts a line.
        LARGE_INTEGER at;
        at.QuadPart = size.QuadPart - HISTORY_READ_LIMIT - 1;
        ok = SetFilePointerEx(file, at, nullptr, FILE_BEGIN) != FALSE;
        size.QuadPart = HISTORY_READ_LIMIT + 1;
    }
    if (ok) {
        text.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = text.empty() || ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr) != FALSE;
        text.resize(ok ? read : 0);
    }
    CloseHandle(file);
    if (ok && *cut) {
        // Drops the byte before the tail and whatever of a line follows it.
        char const* const newline = static_cast<char const*>(std::memchr(text.data(), '\n', text.size()));
        size_t const skip = newline != nullptr ? static_cast<size_t>(newline - text.data()) + 1 : text.size();
        text.erase(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(skip));
    }
    return ok;
}

bool WriteAll(HANDLE file, char const* text, size_t length)
{
    DWORD written = 0;
    return WriteFile(file, text, static_cast<DWORD>(length), &written, nullptr) != FALSE && written == length;
}

// The kept records in a new file, which then takes the old one's place: a
// crash leaves one or the other whole.
void RewriteHistory(std::vector<HistoryRecord> const& kept)
{
    std::vector<char> text(HISTORY_HEADER, HISTORY_HEADER + sizeof HISTORY_HEADER - 1);
    text.push_back('\r');
    text.push_back('\n');
    char line[HISTORY_LINE_SIZE];
    for (HistoryRecord const& record : kept) {
        size_t const length = FormatHistoryLine(record, line, sizeof line);
        text.insert(text.end(), line, line + length);
    }
    WCHAR fresh[MAX_PATH + 8];
    if (lstrlenW(g_path) + 5 >= MAX_PATH)
        return;
    lstrcpyW(fresh, g_path);
    lstrcatW(fresh, L".new");
    HANDLE file = CreateFileW(fresh, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    bool const written = WriteAll(file, text.data(), text.size()) && FlushFileBuffers(file) != FALSE;
    CloseHandle(file);
    if (!written || !MoveFileExW(fresh, g_path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        DeleteFileW(fresh);
}

void TrimHistory(int64_t now)
{
    std::vector<char> text;
    bool cut = false;
    if (!ReadTail(text, &cut))
        return;
    std::vector<HistoryRecord> records;
    ParseHistory(text.data(), text.size(), INT64_MIN, now, records);
    bool const old = !records.empty() && records.front().time < now - HISTORY_KEPT;
    if (!old && !cut)
        return;
    std::vector<HistoryRecord> kept;
    for (HistoryRecord const& record : records) {
        if (record.time >= now - HISTORY_KEPT)
            kept.push_back(record);
    }
    RewriteHistory(kept);
}

// Opens the file to append; null when it cannot be written. A new (empty)
// file gets its header first; at start (mendLastLine), a file whose last
// line was cut off gets a line break, so the next line stands on its own.
HANDLE OpenToAppend(bool mendLastLine)
{
    HANDLE file = CreateFileW(g_path, FILE_APPEND_DATA | FILE_READ_DATA, SHARE_ALL, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        return nullptr;
    }
    char last = '\n';
    if (mendLastLine && size.QuadPart > 0) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(size.QuadPart - 1);
        at.OffsetHigh = static_cast<DWORD>((size.QuadPart - 1) >> 32);
        DWORD read = 0;
        if (!ReadFile(file, &last, 1, &read, &at) || read != 1)
            last = '\n';
    }
    bool ok = true;
    if (size.QuadPart == 0)
        ok = WriteAll(file, HISTORY_HEADER, sizeof HISTORY_HEADER - 1) && WriteAll(file, "\r\n", 2);
    else if (last != '\n')
        ok = WriteAll(file, "\r\n", 2);
    if (!ok) {
        CloseHandle(file);
        return nullptr;
    }
    return file;
}

}  // namespace

int64_t HistoryNow()
{
    FILETIME now;
    g_system.GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER ticks;
    ticks.LowPart = now.dwLowDateTime;
    ticks.HighPart = now.dwHighDateTime;
    // FILETIME counts 100 ns from 1601; 11644473600 s lie between 1601 and 1970.
    return static_cast<int64_t>(ticks.QuadPart / 10000000ULL) - 11644473600LL;
}

HistoryState OpenHistory(wchar_t const* path, bool enabled, int64_t now)
{
    g_path[0] = L'\0';
    if (!enabled)
        return g_state = HistoryState::Off;
    if (path == nullptr || path[0] == L'\0' || lstrlenW(path) >= MAX_PATH)
        return g_state = HistoryState::Unwritable;
    lstrcpyW(g_path, path);
    TrimHistory(now);
    HANDLE file = OpenToAppend(true);
    if (file == nullptr)
        return g_state = HistoryState::Unwritable;
    CloseHandle(file);
    return g_state = HistoryState::On;
}

HistoryState CurrentHistoryState()
{
    return g_state;
}

bool AppendHistory(HistoryRecord const& record)
{
    if (g_state != HistoryState::On)
        return false;
    char line[HISTORY_LINE_SIZE];
    size_t const length = FormatHistoryLine(record, line, sizeof line);
    if (length == 0)
        return false;
    // Opened for each line, so that a spreadsheet may open the file between
    // lines, and someone may delete it (then it starts again, header first).
    HANDLE file =
        CreateFileW(g_path, FILE_APPEND_DATA, SHARE_ALL, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND)
        file = OpenToAppend(false);
    if (file == nullptr || file == INVALID_HANDLE_VALUE)
        return false;
    bool const written = WriteAll(file, line, length);
    CloseHandle(file);
    return written;
}

void ReadHistory(int64_t from, int64_t now, std::vector<HistoryRecord>& out)
{
    out.clear();
    if (g_path[0] == L'\0')
        return;
    std::vector<char> text;
    bool cut = false;
    if (ReadTail(text, &cut))
        ParseHistory(text.data(), text.size(), from, now, out);
}
