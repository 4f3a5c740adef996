#include "serialdevices.h"

#include "appsettings.h"
#include "platform.h"

#include <algorithm>
#include <cctype>

namespace
{

constexpr const char *DeviceGroups[] = {"/dev/ttyUSB", "/dev/ttyACM", "/dev/ttyS"};

// Group rank and number of a device name; false when it belongs to no group.
bool Classify(const std::string &device, int &group, long &number)
{
    for (int g = 0; g < 3; ++g) {
        const std::string prefix = DeviceGroups[g];
        if (device.size() <= prefix.size() || device.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string digits = device.substr(prefix.size());
        if (digits.size() > 6 || !std::all_of(digits.begin(), digits.end(),
                                              [](unsigned char c) { return std::isdigit(c); }))
            return false;
        group = g;
        number = std::stol(digits);
        return true;
    }
    return false;
}

struct Listing {
    const void *source = nullptr; // the table or port the devices came from
    std::vector<SerialDeviceFacts> devices;
};
Listing s_found;
std::string s_tested;

} // namespace

std::vector<SerialDeviceFacts> OrderSerialDevices(const std::vector<SerialDeviceFacts> &devices)
{
    struct Entry {
        int group;
        long number;
        const SerialDeviceFacts *facts;
    };
    std::vector<Entry> entries;
    for (const SerialDeviceFacts &device : devices) {
        Entry entry{0, 0, &device};
        if (Classify(device.kernelName, entry.group, entry.number))
            entries.push_back(entry);
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return a.group != b.group ? a.group < b.group : a.number < b.number;
    });
    entries.erase(std::unique(entries.begin(), entries.end(),
                              [](const Entry &a, const Entry &b) {
                                  return a.facts->kernelName == b.facts->kernelName;
                              }),
                  entries.end());
    std::vector<SerialDeviceFacts> ordered;
    for (const Entry &entry : entries)
        ordered.push_back(*entry.facts);
    return ordered;
}

std::vector<std::string> OrderSerialDevices(const std::vector<std::string> &devices)
{
    std::vector<SerialDeviceFacts> facts;
    for (const std::string &name : devices)
        facts.push_back(SerialDeviceFacts{name, {}, {}, {}, {}, {}, {}, {}});
    std::vector<std::string> ordered;
    for (const SerialDeviceFacts &device : OrderSerialDevices(facts))
        ordered.push_back(device.kernelName);
    return ordered;
}

std::array<std::string, NumCommPorts>
MapCommPorts(const std::vector<SerialDeviceFacts> &ordered,
             const std::array<std::string, NumCommPorts> &pins)
{
    std::array<std::string, NumCommPorts> map = pins;
    auto next = ordered.begin();
    const auto pinned = [&pins](const SerialDeviceFacts &d) {
        return std::any_of(pins.begin(), pins.end(), [&d](const std::string &pin) {
            return !pin.empty() && (pin == d.kernelName || pin == d.stableName);
        });
    };
    for (std::string &device : map) {
        if (!device.empty())
            continue;
        next = std::find_if_not(next, ordered.end(), pinned);
        if (next == ordered.end())
            break;
        device = (next++)->kernelName;
    }
    return map;
}

const std::vector<SerialDeviceFacts> &FoundSerialDevices()
{
    Platform &p = platform();
    const void *source =
        p.devices ? static_cast<const void *>(p.devices) : static_cast<const void *>(p.serial);
    if (!source) {
        s_found = Listing{};
    } else if (source != s_found.source) {
        s_found.devices = p.devices ? OrderSerialDevices(p.devices->devices())
                                    : OrderSerialDevices(std::vector<SerialDeviceFacts>());
        if (!p.devices)
            for (const std::string &name : OrderSerialDevices(p.serial->listDevices()))
                s_found.devices.push_back(SerialDeviceFacts{name, {}, {}, {}, {}, {}, {}, {}});
        s_found.source = source;
    }
    return s_found.devices;
}

std::string CommPortPin(int port)
{
    if (port < 1 || port > NumCommPorts)
        return {};
    return GetSetting("Comm Port " + std::to_string(port) + " Device", "");
}

std::array<std::string, NumCommPorts> CommPortPins()
{
    std::array<std::string, NumCommPorts> pins;
    for (int n = 1; n <= NumCommPorts; ++n)
        pins[n - 1] = CommPortPin(n);
    return pins;
}

std::array<std::string, NumCommPorts> CommPortDevices()
{
    return MapCommPorts(FoundSerialDevices(), CommPortPins());
}

std::string CommPortDevice(int port)
{
    if (port == TestedPort)
        return s_tested;
    if (port < 1 || port > NumCommPorts)
        return {};
    // A pinned port needs neither the other pins nor a scan of the devices.
    const std::string pin = CommPortPin(port);
    return pin.empty() ? CommPortDevices()[port - 1] : pin;
}

bool SerialDeviceExists(const std::string &path)
{
    Platform &p = platform();
    if (path.empty())
        return false;
    if (p.devices)
        return p.devices->exists(path);
    return p.serial && p.serial->deviceExists(path);
}

void RefreshSerialDevices()
{
    s_found.source = nullptr;
}

void SetTestedDevice(const std::string &device)
{
    s_tested = device;
}
