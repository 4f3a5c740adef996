#pragma once

#include <string>
#include <vector>

// The text of "System Info...": what a support request needs to know about this machine.

// Whether the user may open a serial device, judged by the device's group.
enum class DeviceAccess {
    Allowed,    // read and write permitted
    LogInAgain, // the account is in the group, but this session started before it was added
    NotMember,  // the account is not in the group
    Unknown,    // the device could not be examined
};

struct SerialDeviceInfo {
    std::string path;        // e.g. /dev/ttyUSB0
    std::string usbIdentity; // "0403:6001 FTDI FT232R USB UART, serial A10K3B2Z"; "" when not USB
    std::string group;       // group owning the device file
    DeviceAccess access = DeviceAccess::Unknown;
};

struct SystemInfo {
    std::string programVersion;
    std::string qtVersion; // running, and the one built against
    std::string system;    // distribution and CPU architecture
    std::string userName;
    std::string settingsFile;
    std::string dataFolder;
    std::string backupFolder;
    std::string helpFolder;
    std::vector<SerialDeviceInfo> devices;
    std::vector<std::string> commPorts; // device of Comm Port 1..10, "" for none
};

// One line per item, lines joined with CR LF.
std::string SystemInformationText(const SystemInfo &info);
