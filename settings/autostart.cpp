#include "settings/autostart.h"

#include "base/system_calls.h"
#include "settings/settings.h"

namespace {

WCHAR const RUN_SUBKEY[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
WCHAR const RUN_VALUE_NAME[] = L"Brisvane";
size_t const RUN_DATA_SIZE = 256;

void WriteRunValue(HKEY root, WCHAR const* data)
{
    HKEY key;
    if (g_system.RegOpenKeyExW(root, RUN_SUBKEY, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    DWORD const size = static_cast<DWORD>((lstrlenW(data) + 1) * sizeof(WCHAR));
    RegSetValueExW(key, RUN_VALUE_NAME, 0, REG_SZ, reinterpret_cast<BYTE const*>(data), size);
    RegCloseKey(key);
}

void DeleteRunValue(HKEY root)
{
    HKEY key;
    if (g_system.RegOpenKeyExW(root, RUN_SUBKEY, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueW(key, RUN_VALUE_NAME);
    RegCloseKey(key);
}

}  // namespace

void UpdateAutostartEntry(bool enabled)
{
    if (!enabled) {
        DeleteRunValue(HKEY_CURRENT_USER);
        // Left by an earlier version; removed where this user has the right.
        DeleteRunValue(HKEY_LOCAL_MACHINE);
        return;
    }
    // The program's own file name is ignored: the entry always starts
    // Brisvane.exe from the directory it runs in.
    WCHAR data[RUN_DATA_SIZE];
    data[0] = L'"';
    if (!ModuleDirectory(data + 1, RUN_DATA_SIZE - 1, L"Brisvane.exe\""))
        return;
    // The user's own key only: a machine-wide value pointing into a folder
    // that ordinary users can write would run their code in every session.
    WriteRunValue(HKEY_CURRENT_USER, data);
}
