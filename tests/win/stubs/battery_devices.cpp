// The battery class driver of a Windows laptop, for the tests that read the
// batteries: the device interfaces SetupDi lists for GUID_DEVCLASS_BATTERY
// and each device's answers to IOCTL_BATTERY_QUERY_TAG and
// IOCTL_BATTERY_QUERY_INFORMATION, from fakes::g_batteries. Wine lists no
// battery device at all. Other files go to the real CreateFileW.
#include <windows.h>
#include <setupapi.h>
#include <winioctl.h>
#include <batclass.h>

#include <cstring>
#include <string>

#include "tests/win/fakes.h"
#include "harness/system_stand_in.h"

namespace {

using namespace fakes;

GUID const BATTERY_CLASS = {0x72631e54, 0x78a4, 0x11d0, {0xbc, 0xf7, 0x00, 0xaa, 0x00, 0xb7, 0xb3, 0x2a}};
HDEVINFO const DEVICE_LIST = reinterpret_cast<HDEVINFO>(static_cast<UINT_PTR>(0xB47));
std::wstring const PATH_PREFIX = L"\\\\?\\acpi#pnp0c0a#";
ULONG const TAG_BASE = 0x100;

// The device opened last (the program reads one at a time): an event
// handle, so that the real CloseHandle takes it.
HANDLE g_device;
size_t g_deviceIndex;

HDEVINFO WINAPI ClassDevs(GUID const* guid, PCWSTR, HWND, DWORD flags)
{
    g_batteryClassFlags.push_back(flags);
    bool const battery = guid != nullptr && IsEqualGUID(*guid, BATTERY_CLASS);
    g_batteryListsOpen += battery ? 1 : 0;
    return battery ? DEVICE_LIST : INVALID_HANDLE_VALUE;
}

BOOL WINAPI EnumInterfaces(HDEVINFO list, PSP_DEVINFO_DATA, GUID const*, DWORD index, PSP_DEVICE_INTERFACE_DATA data)
{
    data->Reserved = index;
    SetLastError(ERROR_NO_MORE_ITEMS);
    return list == DEVICE_LIST && index < g_batteries.size() && data->cbSize == sizeof *data;
}

BOOL WINAPI InterfaceDetail(HDEVINFO, PSP_DEVICE_INTERFACE_DATA data, PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail,
                            DWORD size, PDWORD needed, PSP_DEVINFO_DATA)
{
    std::wstring const path = PATH_PREFIX + std::to_wstring(data->Reserved);
    DWORD const bytes = static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t));
    DWORD const required = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath) + bytes;
    if (needed != nullptr)
        *needed = required;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    if (detail == nullptr || size < required)
        return FALSE;
    std::memcpy(detail->DevicePath, path.c_str(), bytes);
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
    if (std::wcsncmp(path, PATH_PREFIX.c_str(), PATH_PREFIX.size()) != 0) {
        auto real = reinterpret_cast<decltype(&CreateFileW)>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "CreateFileW")));
        return real(path, access, share, security, how, flags, from);
    }
    g_batteryOpenAccess.push_back(access);
    g_deviceIndex = static_cast<size_t>(_wtoi(path + PATH_PREFIX.size()));
    return g_device = CreateEventW(nullptr, FALSE, FALSE, nullptr);
}

BOOL Answer(void const* value, DWORD length, void* out, DWORD size, DWORD* returned)
{
    if (size < length)
        return FALSE;
    std::memcpy(out, value, length);
    *returned = length;
    return TRUE;
}

BOOL WINAPI Control(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned,
                    LPOVERLAPPED)
{
    if (device != g_device || g_deviceIndex >= g_batteries.size())
        return FALSE;
    FakeBattery const& battery = g_batteries[g_deviceIndex];
    ULONG const tag = TAG_BASE + static_cast<ULONG>(g_deviceIndex);
    if (code == IOCTL_BATTERY_QUERY_TAG)
        return inSize == sizeof(ULONG) && Answer(&tag, sizeof tag, out, outSize, returned);
    auto const* query = static_cast<BATTERY_QUERY_INFORMATION const*>(in);
    if (code != IOCTL_BATTERY_QUERY_INFORMATION || inSize != sizeof *query)
        return FALSE;
    g_batteryLevels.push_back(query->InformationLevel);
    if (query->BatteryTag != tag)  // a stale tag: the battery was changed
        return FALSE;
    BATTERY_INFORMATION information{};
    information.Capabilities = battery.capabilities;
    information.DesignedCapacity = battery.designed;
    information.FullChargedCapacity = battery.fullCharged;
    information.CycleCount = battery.cycles;
    std::wstring const& text = query->InformationLevel == BatteryDeviceName ? battery.name : battery.maker;
    if (query->InformationLevel == BatteryInformation)
        return Answer(&information, sizeof information, out, outSize, returned);
    if (query->InformationLevel == BatteryDeviceName || query->InformationLevel == BatteryManufactureName)
        return Answer(text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)), out, outSize, returned);
    return FALSE;
}

}  // namespace

STAND_IN(SetupDiGetClassDevsW, 16, ClassDevs);
STAND_IN(SetupDiEnumDeviceInterfaces, 20, EnumInterfaces);
STAND_IN(SetupDiGetDeviceInterfaceDetailW, 24, InterfaceDetail);
STAND_IN(SetupDiDestroyDeviceInfoList, 4, DestroyList);
STAND_IN(CreateFileW, 28, OpenFile);
STAND_IN(DeviceIoControl, 32, Control);
