#pragma once

#include "serialdevices.h"
#include "serialport.h"

#include <array>
#include <functional>
#include <string>

// What the Options menu shows, kept here so the rules can be tested without widgets.
struct MenuItemState {
    bool visible = true;
    bool enabled = true;
    bool checked = false;
};

extern std::array<MenuItemState, NumCommPorts> mnuCommState; // "Use Comm Port 1".."10"
extern std::array<MenuItemState, 6> mnuBaudState;            // "Use 4800 BAUD Rate"..

// Items of ports 1..5 visible, 6..10 hidden, nothing checked (before the window loads).
void ResetPortChoice();

// Shows and enables the items of ports 6..10 that exist.
void BuildPortMenu();
// True when the device names a serial device that is present on the machine.
void IsCommPortInRegistry(const std::string &device, bool &found);
// True when the port cannot be opened (the cause is kept for the conflict message). The test
// is the open itself: a port found free is left open (or kept open when it is already ours),
// so a transfer opens its port once.
void PortIsInUse(int port, bool &inUse);

// Device and cause of the last PortIsInUse that found its port unusable.
struct PortProblem {
    std::string device;
    SerialError cause = SerialError::None;
    std::string detail;
};
const PortProblem &LastPortProblem();

void mnuComm_Click(int index);
void ApplyCommPort();
void mnuBaud_Click(int index);
void SetBaudRate();
void RestoreLastCommPort();
void RestoreLastBaudRate();
