#pragma once

#include <string>
#include <vector>

// What the system tells about one serial device, without opening it.
struct SerialDeviceFacts {
    std::string kernelName; // "/dev/ttyUSB0"
    std::string stableName; // "/dev/serial/by-id/usb-FTDI_..."; "" when the system made none
    std::string vendorId;   // USB ids as four hex digits; "" when not USB
    std::string productId;
    std::string manufacturer;
    std::string product;
    std::string serialNumber;
    std::string driver; // "ftdi_sio"
};

// Whether this account may open a device now, judged from its file and lock file only.
enum class DeviceAccess {
    Allowed,
    NotMember,  // the device's group (dialout) does not hold the account
    LogInAgain, // the account joined the group after this session began
    Busy,       // a lock file names a running process
    Missing,
    Unknown,
};

struct DeviceAccessFacts {
    DeviceAccess access = DeviceAccess::Unknown;
    std::string group;  // owning group of the device file
    long holderPid = 0; // Busy: the process the lock file names
    std::string holder; // its command name, "" when unknown
};

// The machine's serial devices. Nothing here opens a device.
class SerialDeviceTable
{
public:
    virtual ~SerialDeviceTable() = default;
    // The serial devices present, in no particular order; pseudo-terminals are not among them.
    virtual std::vector<SerialDeviceFacts> devices() = 0;
    // True when the path (a device or a link to one) exists.
    virtual bool exists(const std::string &path) = 0;
    virtual DeviceAccessFacts access(const std::string &path) = 0;
    // The account whose access is judged.
    virtual std::string userName() = 0;
};
