#pragma once

#include "serialdevicetable.h"

// The machine's serial devices through Qt Serial Port's list, /dev/serial/by-id, sysfs and the
// lock files of the serial programs.
class HostSerialDevices : public SerialDeviceTable
{
public:
    std::vector<SerialDeviceFacts> devices() override;
    bool exists(const std::string &path) override;
    DeviceAccessFacts access(const std::string &path) override;
    std::string userName() override;
};
