#include "fakeserialdevices.h"

bool FakeSerialDevices::exists(const std::string &path)
{
    if (path.empty())
        return false;
    if (present.count(path))
        return true;
    for (const SerialDeviceFacts &d : listed)
        if (d.kernelName == path || d.stableName == path)
            return true;
    return false;
}

DeviceAccessFacts FakeSerialDevices::access(const std::string &path)
{
    const auto it = accessOf.find(path);
    if (it != accessOf.end())
        return it->second;
    DeviceAccessFacts facts;
    facts.access = exists(path) ? DeviceAccess::Allowed : DeviceAccess::Missing;
    facts.group = "dialout";
    return facts;
}
