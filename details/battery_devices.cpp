#include "details/battery_devices.h"

#include <windows.h>
#include <setupapi.h>
#include <winioctl.h>
#include <batclass.h>

#include <cstring>

namespace {

// GUID_DEVCLASS_BATTERY (the battery devices' interface class too), spelt
// out: the SDK's constant needs a GUID library the product does not link.
GUID const BATTERY_CLASS = {0x72631e54, 0x78a4, 0x11d0, {0xbc, 0xf7, 0x00, 0xaa, 0x00, 0xb7, 0xb3, 0x2a}};

bool Query(HANDLE device, ULONG tag, BATTERY_QUERY_INFORMATION_LEVEL level, void* out, DWORD size)
{
    BATTERY_QUERY_INFORMATION query{};
    query.BatteryTag = tag;
    query.InformationLevel = level;
    DWORD returned = 0;
    return DeviceIoControl(device, IOCTL_BATTERY_QUERY_INFORMATION, &query, sizeof query, out, size, &returned,
                           nullptr) != FALSE &&
           returned > 0;
}

// A device's text answer, terminated whatever it sent.
void QueryText(HANDLE device, ULONG tag, BATTERY_QUERY_INFORMATION_LEVEL level, wchar_t* out)
{
    std::memset(out, 0, BATTERY_TEXT_SIZE * sizeof(wchar_t));
    if (!Query(device, tag, level, out, (BATTERY_TEXT_SIZE - 1) * sizeof(wchar_t)))
        out[0] = L'\0';
}

// One battery, by its device path; false when it has none in it (no tag).
bool ReadBattery(wchar_t const* path, BatteryFacts* facts)
{
    HANDLE device = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (device == INVALID_HANDLE_VALUE)
        return false;
    ULONG wait = 0, tag = 0;
    DWORD returned = 0;
    bool const tagged = DeviceIoControl(device, IOCTL_BATTERY_QUERY_TAG, &wait, sizeof wait, &tag, sizeof tag,
                                        &returned, nullptr) != FALSE &&
                        tag != 0;
    if (tagged) {
        std::memset(facts, 0, sizeof *facts);
        BATTERY_INFORMATION information{};
        if (Query(device, tag, BatteryInformation, &information, sizeof information)) {
            facts->haveInformation = true;
            facts->capabilities = information.Capabilities;
            facts->designed = information.DesignedCapacity;
            facts->fullCharged = information.FullChargedCapacity;
            facts->cycles = information.CycleCount;
        }
        QueryText(device, tag, BatteryDeviceName, facts->name);
        QueryText(device, tag, BatteryManufactureName, facts->maker);
    }
    CloseHandle(device);
    return tagged;
}

}  // namespace

int ReadBatteryDevices(BatteryFacts* facts, int max)
{
    HDEVINFO devices = SetupDiGetClassDevsW(&BATTERY_CLASS, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (devices == INVALID_HANDLE_VALUE)
        return 0;
    int found = 0;
    for (DWORD index = 0; found < max && index < 32; ++index) {
        SP_DEVICE_INTERFACE_DATA interfaceData{};
        interfaceData.cbSize = sizeof interfaceData;
        if (!SetupDiEnumDeviceInterfaces(devices, nullptr, &BATTERY_CLASS, index, &interfaceData))
            break;
        DWORD needed = 0;
        SetupDiGetDeviceInterfaceDetailW(devices, &interfaceData, nullptr, 0, &needed, nullptr);
        if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) || needed > 4096)
            continue;
        alignas(SP_DEVICE_INTERFACE_DETAIL_DATA_W) unsigned char buffer[4096];
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer);
        detail->cbSize = sizeof *detail;
        if (SetupDiGetDeviceInterfaceDetailW(devices, &interfaceData, detail, needed, nullptr, nullptr) &&
            ReadBattery(detail->DevicePath, &facts[found]))
            ++found;
    }
    SetupDiDestroyDeviceInfoList(devices);
    return found;
}
