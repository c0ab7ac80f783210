// The battery class driver of a Windows laptop, for the tests that read the
// batteries: the device interfaces SetupDi lists for GUID_DEVCLASS_BATTERY
// and the answers of each device to IOCTL_BATTERY_QUERY_TAG and
// IOCTL_BATTERY_QUERY_INFORMATION, from fakes::g_batteries. Wine lists no
// battery device at all. Other files and handles go to the real calls.
#include <windows.h>
#include <setupapi.h>
#include <winioctl.h>
#include <batclass.h>

#include <cstring>
#include <string>

#include "tests/win/fakes.h"
#include "tools/system_stand_in.h"

namespace {

using namespace fakes;

GUID const BATTERY_CLASS = {0x72631e54, 0x78a4, 0x11d0, {0xbc, 0xf7, 0x00, 0xaa, 0x00, 0xb7, 0xb3, 0x2a}};
HDEVINFO const DEVICE_LIST = reinterpret_cast<HDEVINFO>(static_cast<UINT_PTR>(0xB47));
wchar_t const PATH_PREFIX[] = L"\\\\?\\acpi#pnp0c0a#";
ULONG const TAG_BASE = 0x100;

// The devices opened: a real (event) handle each, so CloseHandle works.
HANDLE g_opened[16];
int g_openedIndex[16];

template <typename Function>
Function Real(char const* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

HDEVINFO WINAPI ClassDevs(GUID const* guid, PCWSTR, HWND, DWORD flags)
{
    g_batteryClassFlags.push_back(flags);
    if (guid == nullptr || !IsEqualGUID(*guid, BATTERY_CLASS))
        return INVALID_HANDLE_VALUE;
    ++g_batteryListsOpen;
    return DEVICE_LIST;
}

BOOL WINAPI EnumInterfaces(HDEVINFO list, PSP_DEVINFO_DATA, GUID const*, DWORD index, PSP_DEVICE_INTERFACE_DATA data)
{
    if (list != DEVICE_LIST || index >= g_batteries.size() || data->cbSize != sizeof *data) {
        SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    data->Reserved = index;
    return TRUE;
}

BOOL WINAPI InterfaceDetail(HDEVINFO, PSP_DEVICE_INTERFACE_DATA data, PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail,
                            DWORD size, PDWORD needed, PSP_DEVINFO_DATA)
{
    std::wstring const path = PATH_PREFIX + std::to_wstring(data->Reserved);
    DWORD const required = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath) + (path.size() + 1) * sizeof(wchar_t);
    if (needed != nullptr)
        *needed = required;
    if (detail == nullptr || size < required) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(detail->DevicePath, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    return TRUE;
}

BOOL WINAPI DestroyList(HDEVINFO)
{
    --g_batteryListsOpen;
    return TRUE;
}

HANDLE WINAPI OpenFile(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD how,
                       DWORD flags, HANDLE from)
{
    size_t const prefix = ARRAYSIZE(PATH_PREFIX) - 1;
    if (std::wcsncmp(path, PATH_PREFIX, prefix) != 0)
        return Real<decltype(&CreateFileW)>("CreateFileW")(path, access, share, security, how, flags, from);
    g_batteryOpenAccess.push_back(access);
    for (int slot = 0; slot < 16; ++slot) {
        if (g_opened[slot] == nullptr) {
            g_opened[slot] = CreateEventW(nullptr, FALSE, FALSE, nullptr);
            g_openedIndex[slot] = _wtoi(path + prefix);
            return g_opened[slot];
        }
    }
    return INVALID_HANDLE_VALUE;
}

BOOL WINAPI CloseOne(HANDLE handle)
{
    for (HANDLE& opened : g_opened) {
        if (opened == handle)
            opened = nullptr;
    }
    return Real<decltype(&CloseHandle)>("CloseHandle")(handle);
}

BOOL Answer(void const* value, DWORD length, void* out, DWORD size, DWORD* returned)
{
    if (size < length) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(out, value, length);
    *returned = length;
    return TRUE;
}

BOOL WINAPI Control(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned,
                    LPOVERLAPPED)
{
    int index = -1;
    for (int slot = 0; slot < 16; ++slot) {
        if (g_opened[slot] != nullptr && g_opened[slot] == device)
            index = g_openedIndex[slot];
    }
    if (index < 0 || static_cast<size_t>(index) >= g_batteries.size()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    FakeBattery const& battery = g_batteries[index];
    if (code == IOCTL_BATTERY_QUERY_TAG) {
        ULONG const tag = TAG_BASE + index;
        return inSize == sizeof(ULONG) && Answer(&tag, sizeof tag, out, outSize, returned);
    }
    if (code != IOCTL_BATTERY_QUERY_INFORMATION || inSize != sizeof(BATTERY_QUERY_INFORMATION))
        return FALSE;
    auto const* query = static_cast<BATTERY_QUERY_INFORMATION const*>(in);
    g_batteryLevels.push_back(query->InformationLevel);
    if (query->BatteryTag != TAG_BASE + index) {
        SetLastError(ERROR_FILE_NOT_FOUND);  // a stale tag: the battery was changed
        return FALSE;
    }
    switch (query->InformationLevel) {
    case BatteryInformation: {
        BATTERY_INFORMATION information{};
        information.Capabilities = battery.capabilities;
        information.DesignedCapacity = battery.designed;
        information.FullChargedCapacity = battery.fullCharged;
        information.CycleCount = battery.cycles;
        return Answer(&information, sizeof information, out, outSize, returned);
    }
    case BatteryDeviceName:
        return Answer(battery.name.c_str(), static_cast<DWORD>((battery.name.size() + 1) * sizeof(wchar_t)), out,
                      outSize, returned);
    case BatteryManufactureName:
        return Answer(battery.maker.c_str(), static_cast<DWORD>((battery.maker.size() + 1) * sizeof(wchar_t)), out,
                      outSize, returned);
    default:
        SetLastError(ERROR_INVALID_FUNCTION);
        return FALSE;
    }
}

}  // namespace

STAND_IN(SetupDiGetClassDevsW, 16, ClassDevs);
STAND_IN(SetupDiEnumDeviceInterfaces, 20, EnumInterfaces);
STAND_IN(SetupDiGetDeviceInterfaceDetailW, 24, InterfaceDetail);
STAND_IN(SetupDiDestroyDeviceInfoList, 4, DestroyList);
STAND_IN(CreateFileW, 28, OpenFile);
STAND_IN(CloseHandle, 4, CloseOne);
STAND_IN(DeviceIoControl, 32, Control);
