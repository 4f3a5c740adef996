#include "serialdevices.h"

#include "appsettings.h"
#include "platform.h"

#include <algorithm>
#include <cctype>

namespace
{

const char *const DeviceGroups[] = {"/dev/ttyUSB", "/dev/ttyACM", "/dev/ttyS"};

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

SerialPort *s_listedBy = nullptr; // the port whose devices s_found holds
std::vector<std::string> s_found;

} // namespace

std::vector<std::string> OrderSerialDevices(const std::vector<std::string> &devices)
{
    struct Entry {
        int group;
        long number;
        std::string name;
    };
    std::vector<Entry> entries;
    for (const std::string &device : devices) {
        Entry entry{0, 0, device};
        if (Classify(device, entry.group, entry.number))
            entries.push_back(entry);
    }
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return a.group != b.group ? a.group < b.group : a.number < b.number;
    });
    entries.erase(std::unique(entries.begin(), entries.end(),
                              [](const Entry &a, const Entry &b) { return a.name == b.name; }),
                  entries.end());
    std::vector<std::string> ordered;
    for (const Entry &entry : entries)
        ordered.push_back(entry.name);
    return ordered;
}

static const std::vector<std::string> &FoundDevices()
{
    SerialPort *port = platform().serial;
    if (!port) {
        s_found.clear();
    } else if (port != s_listedBy) {
        s_found = OrderSerialDevices(port->listDevices());
        s_listedBy = port;
    }
    return s_found;
}

std::string CommPortDevice(int port)
{
    if (port < 1 || port > 10)
        return {};
    const std::string chosen = GetSetting("Comm Port " + std::to_string(port) + " Device", "");
    if (!chosen.empty())
        return chosen;
    const std::vector<std::string> &found = FoundDevices();
    return static_cast<std::size_t>(port) <= found.size() ? found[port - 1] : std::string();
}

void RefreshSerialDevices()
{
    s_listedBy = nullptr;
}
