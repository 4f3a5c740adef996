#include "serialportlist.h"

#include "appsettings.h"
#include "eeprotocol.h"
#include "linkstate.h"
#include "platform.h"
#include "serialdevices.h"
#include "windowservices.h"

#include <algorithm>
#include <cctype>

const char *const NoSerialDeviceAdvice =
    "No serial device is present. Check that the programming cable is plugged in; run "
    "\"sudo dmesg | tail\" after plugging it in to see whether the system found the adapter; "
    "a USB adapter needs its driver (ftdi_sio, pl2303, ch341 or cp210x), which Debian loads by "
    "itself for the usual cables. A virtual radio appears once its pseudo-terminal is pinned to "
    "a Comm Port.";

namespace
{

std::string Joined(const std::string &id, const std::string &name)
{
    return id.empty() ? name : name.empty() ? id : id + " " + name;
}

std::string Lower(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// "comm3" or "Comm Port 3" gives 3, anything else 0.
int CommPortOfName(const std::string &name)
{
    const std::string lower = Lower(name);
    for (const std::string prefix : {"comm port ", "comm"}) {
        if (lower.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string digits = lower.substr(prefix.size());
        if (digits.empty() || digits.size() > 2 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            return 0;
        const int n = std::stoi(digits);
        return n >= 1 && n <= NumCommPorts ? n : 0;
    }
    return 0;
}

} // namespace

bool SerialPortRow::operator==(const SerialPortRow &o) const
{
    return stableName == o.stableName && kernelName == o.kernelName && vendor == o.vendor &&
           product == o.product && serialNumber == o.serialNumber && driver == o.driver &&
           access.access == o.access.access && access.holderPid == o.access.holderPid &&
           commPorts == o.commPorts && pinnedBy == o.pinnedBy && pseudoTerminal == o.pseudoTerminal;
}

std::vector<SerialPortRow> ListSerialPorts()
{
    std::vector<SerialPortRow> rows;
    for (const SerialDeviceFacts &d : FoundSerialDevices()) {
        SerialPortRow row;
        row.stableName = d.stableName.empty() ? d.kernelName : d.stableName;
        row.kernelName = d.kernelName;
        row.vendor = Joined(d.vendorId, d.manufacturer);
        row.product = Joined(d.productId, d.product);
        row.serialNumber = d.serialNumber;
        row.driver = d.driver;
        rows.push_back(row);
    }
    const std::array<std::string, NumCommPorts> pins = CommPortPins();
    const std::array<std::string, NumCommPorts> map = MapCommPorts(FoundSerialDevices(), pins);
    for (int port = 1; port <= NumCommPorts; ++port) {
        const std::string &device = map[port - 1];
        const std::string &pin = pins[port - 1];
        if (device.empty())
            continue;
        auto row = std::find_if(rows.begin(), rows.end(), [&device](const SerialPortRow &r) {
            return r.kernelName == device || r.stableName == device;
        });
        if (row == rows.end()) {
            SerialPortRow named;
            named.stableName = device;
            named.kernelName = device;
            named.pseudoTerminal = SerialDeviceExists(device);
            named.driver = named.pseudoTerminal ? "pseudo-terminal" : "";
            rows.push_back(named);
            row = rows.end() - 1;
        }
        row->commPorts.push_back(port);
        if (!pin.empty())
            row->pinnedBy.push_back(port);
    }
    for (SerialPortRow &row : rows) {
        if (platform().devices)
            row.access = platform().devices->access(row.stableName);
        else
            row.access.access =
                SerialDeviceExists(row.stableName) ? DeviceAccess::Unknown : DeviceAccess::Missing;
    }
    return rows;
}

bool AnySerialDevicePresent(const std::vector<SerialPortRow> &rows)
{
    return std::any_of(rows.begin(), rows.end(), [](const SerialPortRow &row) {
        return row.access.access != DeviceAccess::Missing;
    });
}

std::string AccessText(const DeviceAccessFacts &a, const std::string &user)
{
    switch (a.access) {
    case DeviceAccess::Allowed:
        return "yes";
    case DeviceAccess::NotMember:
        return "no: " + user + " is not in group " + a.group + " (sudo usermod -aG " + a.group +
               " " + user + ", then log in again)";
    case DeviceAccess::LogInAgain:
        return "no: log out and in again to use group " + a.group;
    case DeviceAccess::Busy:
        return "no: busy, held by " + (a.holder.empty() ? std::string("process") : a.holder) +
               " (pid " + std::to_string(a.holderPid) + ")";
    case DeviceAccess::Missing:
        return "no: missing (unplugged?)";
    case DeviceAccess::Unknown:
        break;
    }
    return "unknown";
}

std::string CommPortsText(const SerialPortRow &row)
{
    std::string text;
    for (int port : row.commPorts) {
        const bool pinned =
            std::find(row.pinnedBy.begin(), row.pinnedBy.end(), port) != row.pinnedBy.end();
        text += (text.empty() ? "" : ", ") + std::string("Comm Port ") + std::to_string(port) +
                (pinned ? " (pinned)" : "");
    }
    return text;
}

std::array<std::string, 8> SerialPortCells(const SerialPortRow &row, const std::string &user)
{
    return {row.stableName,
            row.kernelName,
            row.vendor,
            row.product,
            row.serialNumber,
            row.driver,
            AccessText(row.access, user),
            CommPortsText(row)};
}

void PinCommPort(int port, const std::string &device)
{
    if (port < 1 || port > NumCommPorts)
        return;
    // The open port may be the one whose device changes.
    if (m_bPortOpen)
        OpenCommPort(false);
    SaveSetting("Comm Port " + std::to_string(port) + " Device", device);
    RefreshSerialDevices();
    OptionsMenuChanged();
}

bool ResolvePortName(const std::string &given, std::string &device, std::string &why)
{
    device.clear();
    why.clear();
    if (const int port = CommPortOfName(given)) {
        device = CommPortDevice(port);
        if (device.empty())
            why = given + " stands for no serial device";
        else if (!SerialDeviceExists(device))
            why = given + " stands for " + device + ", which is not present";
        return why.empty();
    }
    if (SerialDeviceExists(given)) {
        device = given;
        return true;
    }
    // The last part of a stable name is unique enough to type.
    for (const SerialDeviceFacts &d : FoundSerialDevices()) {
        const std::string &stable = d.stableName;
        if (!stable.empty() && given.find('/') == std::string::npos &&
            stable.compare(stable.rfind('/') + 1, std::string::npos, given) == 0) {
            device = stable;
            return true;
        }
    }
    why = given + " is not present (tessaro ports lists the serial devices)";
    return false;
}
