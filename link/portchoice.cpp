#include "portchoice.h"

#include "appsettings.h"
#include "baudrates.h"
#include "eeprotocol.h"
#include "linkstate.h"
#include "platform.h"
#include "serialdevices.h"
#include "windowservices.h"

std::array<MenuItemState, NumCommPorts> mnuCommState;
std::array<MenuItemState, 6> mnuBaudState;

namespace
{

PortProblem s_problem;

} // namespace

void ResetPortChoice()
{
    for (int i = 0; i < NumCommPorts; ++i)
        mnuCommState[i] = MenuItemState{i < 5, true, false};
    for (MenuItemState &item : mnuBaudState)
        item = MenuItemState{};
    s_problem = PortProblem{};
    OptionsMenuChanged();
}

void IsCommPortInRegistry(const std::string &device, bool &found)
{
    found = SerialDeviceExists(device);
}

void BuildPortMenu()
{
    RefreshSerialDevices();
    std::array<bool, NumCommPorts> present{};
    int last = -1;
    for (int i = 5; i < NumCommPorts; ++i) {
        IsCommPortInRegistry(CommPortDevice(i + 1), present[i]);
        if (present[i])
            last = i;
    }
    for (int i = 5; i <= last; ++i) {
        mnuCommState[i].visible = true;
        mnuCommState[i].enabled = present[i];
    }
    OptionsMenuChanged();
}

void PortIsInUse(int port, bool &inUse)
{
    SerialPort *serial = platform().serial;
    const std::string device = CommPortDevice(port);
    inUse = true;
    if (!serial) {
        s_problem = PortProblem{device, SerialError::Other, "no serial support"};
        return;
    }
    // Our own open port is not held by another program.
    if (serial->isOpen() && serial->device() == device && !device.empty()) {
        inUse = false;
        return;
    }
    serial->close();
    serial->selectDevice(device);
    if (device.empty()) {
        s_problem = PortProblem{device, SerialError::NoDevice, {}};
        return;
    }
    if (!serial->open()) {
        s_problem = PortProblem{device, serial->lastError(), serial->lastErrorText()};
        return;
    }
    inUse = false;
}

const PortProblem &LastPortProblem()
{
    return s_problem;
}

void ApplyCommPort()
{
    if (m_bPortOpen)
        OpenCommPort(false);
    SaveSetting("Comm Port", std::to_string(m_iCommPort));
    for (int i = 0; i < NumCommPorts; ++i)
        mnuCommState[i].checked = i + 1 == m_iCommPort;
    OptionsMenuChanged();
}

void mnuComm_Click(int index)
{
    if (index < 0 || index >= NumCommPorts)
        return;
    m_iCommPort = index + 1;
    ApplyCommPort();
}

void mnuBaud_Click(int index)
{
    if (index < 0 || index >= NumBaudRates)
        return;
    if (index > m_iBaudIndex && platform().dialogs) {
        const MsgAnswer answer = platform().dialogs->message(
            "Not all radios and interface cables are capable\r\n"
            "of higher baud rates.  Please verify that your\r\n"
            "radio and interface cable are capable of supporting\r\n"
            "the baud rate you wish to select.",
            "SERIAL COMMUNICATIONS", MsgButtons::OkCancel, MsgIcon::Information);
        if (answer == MsgAnswer::Cancel) {
            OptionsMenuChanged();
            return;
        }
    }
    m_iBaudIndex = index;
    SetBaudRate();
}

void SetBaudRate()
{
    SaveSetting("Baud Rate Index", std::to_string(m_iBaudIndex));
    for (int i = 0; i < NumBaudRates; ++i)
        mnuBaudState[i].checked = i == m_iBaudIndex;
    m_lBaudRate = BaudRateOfIndex(m_iBaudIndex);
    OptionsMenuChanged();
}

void RestoreLastCommPort()
{
    m_iCommPort = GetSettingInt("Comm Port", 1);
    // A stored number outside the menu would leave no port checked.
    if (m_iCommPort < 1 || m_iCommPort > NumCommPorts)
        m_iCommPort = 1;
    mnuComm_Click(m_iCommPort - 1);
}

void RestoreLastBaudRate()
{
    m_iBaudIndex = GetSettingInt("Baud Rate Index", 0);
    // An index outside the table means 4800 bit/s; check that item so one rate stays checked.
    if (m_iBaudIndex < 0 || m_iBaudIndex >= NumBaudRates)
        m_iBaudIndex = 0;
    mnuBaud_Click(m_iBaudIndex);
}
