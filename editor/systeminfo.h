#pragma once

#include "serialdevicetable.h"

#include <string>
#include <vector>

// The text of "System Info...": what a support request needs to know about this machine.

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
