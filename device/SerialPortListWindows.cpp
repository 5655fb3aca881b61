// SPDX-License-Identifier: GPL-3.0-or-later
// The COM ports present, with the names Device Manager shows ("USB-SERIAL CH340 (COM5)"): from
// the COM-port device class, completed by the ports the registry's serial map lists.
#include "device/SerialPortListSystem.h"

#include <windows.h>

// initguid.h first, so that this file defines the device class it names.
#include <initguid.h>

#include <devguid.h>
#include <setupapi.h>

#include <algorithm>

namespace zorvikta::serial::system {

namespace {

constexpr DWORD kValueChars = 512;

QString fromWide(const wchar_t* text)
{
    return QString::fromWCharArray(text);
}

// A text property of a device, empty where the driver gives none.
QString deviceProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property)
{
    wchar_t value[kValueChars] = {};
    if (!::SetupDiGetDeviceRegistryPropertyW(devices, &device, property, nullptr,
                                             reinterpret_cast<BYTE*>(value), sizeof value - 2,
                                             nullptr))
        return {};
    return fromWide(value);
}

// The name the device answers to ("COM5"), kept by its driver under "PortName".
QString portName(HDEVINFO devices, SP_DEVINFO_DATA& device)
{
    const HKEY key =
        ::SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE)
        return {};
    wchar_t value[kValueChars] = {};
    DWORD size = sizeof value - 2;
    DWORD type = 0;
    const bool found = ::RegQueryValueExW(key, L"PortName", nullptr, &type,
                                          reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
                       type == REG_SZ;
    ::RegCloseKey(key);
    return found ? fromWide(value) : QString();
}

void addClassPorts(QList<SerialPortEntry>& entries)
{
    const HDEVINFO devices =
        ::SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
        const QString name = portName(devices, device);
        // Printer ports share the class; only COM ports can take the board's messages.
        if (!name.startsWith(u"COM", Qt::CaseInsensitive))
            continue;
        entries.append({name,
                        {},
                        deviceProperty(devices, device, SPDRP_FRIENDLYNAME),
                        deviceProperty(devices, device, SPDRP_MFG),
                        {}});
    }
    ::SetupDiDestroyDeviceInfoList(devices);
}

// The serial map names every port a driver has made, including those of drivers outside the
// port class (and Wine's).
void addMappedPorts(QList<SerialPortEntry>& entries)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ,
                        &key) != ERROR_SUCCESS)
        return;
    for (DWORD index = 0;; ++index) {
        wchar_t valueName[kValueChars] = {};
        wchar_t value[kValueChars] = {};
        DWORD nameChars = kValueChars - 1;
        DWORD size = sizeof value - 2;
        DWORD type = 0;
        if (::RegEnumValueW(key, index, valueName, &nameChars, nullptr, &type,
                            reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS)
            break;
        const QString name = fromWide(value);
        const bool known = std::any_of(entries.cbegin(), entries.cend(), [&](const auto& entry) {
            return entry.path.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (type == REG_SZ && !name.isEmpty() && !known)
            entries.append({name, {}, {}, {}, {}});
    }
    ::RegCloseKey(key);
}

} // namespace

QList<SerialPortEntry> presentPorts()
{
    QList<SerialPortEntry> entries;
    addClassPorts(entries);
    addMappedPorts(entries);
    return entries;
}

QString aliasFolder()
{
    // Windows keeps no links to its ports; the COM names are what the user chooses by.
    return {};
}

} // namespace zorvikta::serial::system
