#pragma once

#include <string>
#include <vector>

// The serial devices of the machine in "Comm Port" order: USB adapters (/dev/ttyUSB*), then
// /dev/ttyACM*, then /dev/ttyS*, each group in numeric order. Other names are left out.
std::vector<std::string> OrderSerialDevices(const std::vector<std::string> &devices);

// Device that "Comm Port n" (1..10) stands for: the setting "Comm Port n Device" when set,
// else the n-th device found on the machine; "" when there is none.
std::string CommPortDevice(int port);

// Listing the machine's devices takes a scan of the system, so the list is kept until this asks
// for a new one (the Options menu opening, a hook starting).
void RefreshSerialDevices();
