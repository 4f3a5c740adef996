#pragma once

#include "serialdevicetable.h"

#include <map>
#include <set>

// A device table in memory: devices listed, further paths that merely exist, access by path.
class FakeSerialDevices : public SerialDeviceTable
{
public:
    std::vector<SerialDeviceFacts> devices() override
    {
        ++listings;
        return listed;
    }
    bool exists(const std::string &path) override;
    DeviceAccessFacts access(const std::string &path) override;
    std::string userName() override { return user; }

    std::vector<SerialDeviceFacts> listed;
    std::set<std::string> present; // pseudo-terminals and other paths nothing lists
    std::map<std::string, DeviceAccessFacts> accessOf; // unlisted: Allowed when it exists
    std::string user = "tech";
    int listings = 0;
};
