#pragma once

#include "serialdevicetable.h"

#include <array>
#include <string>
#include <vector>

constexpr int NumCommPorts = 10;

// The serial devices of the machine in "Comm Port" order: USB adapters (/dev/ttyUSB*), then
// /dev/ttyACM*, then /dev/ttyS*, each group in numeric order. Other names are left out.
std::vector<std::string> OrderSerialDevices(const std::vector<std::string> &devices);
std::vector<SerialDeviceFacts> OrderSerialDevices(const std::vector<SerialDeviceFacts> &devices);

// Device of each Comm Port 1..10 from the ordered devices and the "Comm Port n Device" pins:
// a pinned port keeps its pin whether present or not; the unpinned ports take, in order, the
// devices no pin names, so every device stays reachable and none has two ports.
std::array<std::string, NumCommPorts>
MapCommPorts(const std::vector<SerialDeviceFacts> &ordered,
             const std::array<std::string, NumCommPorts> &pins);

// The pin of "Comm Port n" (the setting "Comm Port n Device"), "" when the port is automatic.
std::string CommPortPin(int port);

// Device that "Comm Port n" (1..10) stands for now; "" when there is none.
std::string CommPortDevice(int port);
// The devices of all ten Comm Ports and their pins, read once.
std::array<std::string, NumCommPorts> CommPortPins();
std::array<std::string, NumCommPorts> CommPortDevices();

// The devices the system lists, in Comm Port order, kept until RefreshSerialDevices.
const std::vector<SerialDeviceFacts> &FoundSerialDevices();

// True when the path (a device or a link to one) exists.
bool SerialDeviceExists(const std::string &path);

// Listing the machine's devices takes a scan of the system, so the list is kept until this asks
// for a new one (the Options menu opening, a hook starting, the port dialog noticing a change).
void RefreshSerialDevices();

// The port number through which the link reaches a device tried outside the Comm Port map.
constexpr int TestedPort = 0;
// The device "Comm Port 0" stands for while a device is tried; "" ends that.
void SetTestedDevice(const std::string &device);
