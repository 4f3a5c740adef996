#pragma once

#include "serialdevicetable.h"

#include <array>
#include <string>
#include <vector>

// One row of the serial port list that the port dialog and `tessaro ports` show.
struct SerialPortRow {
    std::string stableName; // the name a pin keeps: /dev/serial/by-id/... or the kernel name
    std::string kernelName;
    std::string vendor;  // "0403 FTDI"
    std::string product; // "6001 FT232R USB UART"
    std::string serialNumber;
    std::string driver;
    DeviceAccessFacts access;
    std::vector<int> commPorts;  // the Comm Ports that stand for it now
    std::vector<int> pinnedBy;   // those of them pinned to it
    bool pseudoTerminal = false; // named in the settings, not a device the system lists
    bool operator==(const SerialPortRow &other) const;
};

// The system's devices in Comm Port order, then the devices pins name that the system does not
// list (pseudo-terminals, and unplugged adapters marked missing).
std::vector<SerialPortRow> ListSerialPorts();

// "yes"; or "no: ..." with the cause and what to do about it.
std::string AccessText(const DeviceAccessFacts &access, const std::string &user);
// "Comm Port 1", "Comm Port 2 (pinned)", ...; "" for none.
std::string CommPortsText(const SerialPortRow &row);

// The column titles, shared by the table, `tessaro ports` and the port dialog.
constexpr std::array<const char *, 8> SerialPortColumns = {"Stable name", "Kernel name",   "Vendor",
                                                           "Product",     "Serial number", "Driver",
                                                           "Access",      "Comm Port"};

// The cells of one row in column order; a pseudo-terminal says so under Driver.
std::array<std::string, 8> SerialPortCells(const SerialPortRow &row, const std::string &user);

// Pins "Comm Port n" to a device for good; an empty device unpins it.
void PinCommPort(int port, const std::string &device);

// The device a --port value stands for: "comm1".."comm10" (or "Comm Port n") as the editor maps
// them, a device path or link, or the name of a stable link alone. False with why otherwise.
bool ResolvePortName(const std::string &given, std::string &device, std::string &why);

// False when every row is a pin to a device that is gone, or there is no row.
bool AnySerialDevicePresent(const std::vector<SerialPortRow> &rows);

// What to check when the machine shows no serial device at all.
extern const char *const NoSerialDeviceAdvice;
