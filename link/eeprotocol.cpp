#include "eeprotocol.h"

#include "baudrates.h"
#include "linkstate.h"
#include "platform.h"
#include "portchoice.h"
#include "serialdevices.h"

#include <algorithm>
#include <string>

namespace
{

// Between two looks at the input the loops block this long in the port, so they do not spin.
constexpr int PollMs = 10;

constexpr double HookReplySeconds = 1.0;
constexpr double BaudReplySeconds = 0.25;
constexpr double BlockReplySeconds = 2.0;
constexpr double ByteWriteReplySeconds = 0.25;

SerialPort &Port()
{
    return *platform().serial;
}

Clock &Time()
{
    return *platform().clock;
}

// Without a port or a clock (a host that installed neither) every routine fails quietly.
bool LinkReady()
{
    return platform().serial != nullptr && platform().clock != nullptr;
}

// Set by an exact read that succeeded: until the next command, any input is surplus of its reply.
bool s_exactReplyRead = false;

void Send(const std::vector<std::uint8_t> &bytes)
{
    s_exactReplyRead = false;
    Port().write(bytes);
}

// Waits up to limit seconds for a chunk of input that starts with expected; other chunks are
// dropped and the wait goes on.
bool AwaitReplyByte(std::uint8_t expected, double start, double limit, int blockMs)
{
    do {
        Time().processEvents();
        Port().waitForInput(1, blockMs);
        if (Port().bytesWaiting() > 0) {
            const std::vector<std::uint8_t> input = Port().readAll();
            if (!input.empty() && input[0] == expected)
                return true;
        }
    } while (Time().seconds() - start <= limit);
    return false;
}

// The line under a COMM ERROR: whether the device went away or the radio fell silent.
std::string LinkLossLine()
{
    const std::string device = Port().device();
    if (!Port().deviceExists(device))
        return device + " is gone: its cable or USB adapter was unplugged. Plug it in and try "
                        "again.";
    return device + " is there, but the radio did not answer as expected: check that it is on "
                    "and its cable is seated, then try again.";
}

void ShowCommError(const std::string &routine)
{
    if (platform().dialogs)
        platform().dialogs->message("A COMM ERROR occurred in sub routine '" + routine +
                                        "'.      \r\n" + LinkLossLine(),
                                    "COMM ERROR", MsgButtons::OkCancel, MsgIcon::Exclamation);
}

// The line added under the conflict message: which device, and what to do about it.
std::string PortProblemLine(int port)
{
    const PortProblem &problem = LastPortProblem();
    const std::string &device = problem.device;
    switch (problem.cause) {
    case SerialError::NoDevice:
        return "Comm Port " + std::to_string(port) +
               " stands for no serial device: check the cable and the 'Comm Port' menu "
               "selection.";
    case SerialError::NotFound:
        return device + " was not found: check the cable and the 'Comm Port' menu selection.";
    case SerialError::Permission:
        return device + " may not be opened by your account: add your account to the 'dialout' "
                        "group, then log in again.";
    case SerialError::Busy:
        return device + " is held by another program.";
    case SerialError::None:
    case SerialError::Other:
        break;
    }
    return device + " could not be opened" +
           (problem.detail.empty() ? std::string(".") : ": " + problem.detail + ".");
}

void ShowPortConflict(int port)
{
    if (!platform().dialogs)
        return;
    platform().dialogs->message("The Comm Port is already in use by another      \r\n"
                                "program.  Please select an available port      \r\n"
                                "and connect the unit, then make sure the      \r\n"
                                "'Comm Port' menu selection matches.\r\n" +
                                    PortProblemLine(port),
                                "COMM PORT CONFLICT", MsgButtons::Ok, MsgIcon::Information);
}

void SelectBaudIndex(int index)
{
    m_iBaudIndex = index;
    SetBaudRate();
}

} // namespace

int OpenCommPort(bool open)
{
    SerialPort *serial = platform().serial;
    if (!LinkReady()) {
        m_bPortOpen = false;
        return 0;
    }
    if (open) {
        bool inUse = false;
        PortIsInUse(g_iCommPort, inUse);
        if (inUse) {
            m_bPortOpen = serial->isOpen();
            ShowPortConflict(g_iCommPort);
            return 2;
        }
        if (!serial->isOpen())
            serial->open();
    } else if (serial->isOpen()) {
        serial->close();
    }
    m_bPortOpen = serial->isOpen();
    if (m_bPortOpen != open) {
        serial->close();
        m_bPortOpen = false;
        return 0;
    }
    return 1;
}

int HookRadio(int port, int tries, long baud)
{
    // A cable plugged in since the last look is found now.
    RefreshSerialDevices();
    g_iCommPort = port;
    int index = BaudIndexOfRate(baud);
    if (index == 0)
        SelectBaudIndex(0);
    g_bHooked = false;

    for (int attempt = 0;;) {
        if (OpenCommPort(false) != 1)
            return -1;
        Port().selectDevice(CommPortDevice(g_iCommPort));
        Port().setSettings(BaudRates[0].settings);
        if (OpenCommPort(true) != 1)
            return -1;
        for (int i = 0; i < 10; ++i)
            Send({0x00});
        Port().discardInput();
        Time().sleepMs(60);
        Send({0x0A});
        Send({0x14});
        const double t0 = Time().seconds();
        Send({0x28});
        if (AwaitReplyByte(0x12, t0, HookReplySeconds, 50))
            break;
        if (++attempt >= tries)
            return 0;
    }
    g_bHooked = true;
    if (BaudRateOfIndex(index) <= 4800)
        return 1;

    // The radio answers a rate it can do with 0x01 and then switches; silence means no.
    for (;;) {
        const double t1 = Time().seconds();
        Send({0x05, static_cast<std::uint8_t>(index)});
        if (AwaitReplyByte(0x01, t1, BaudReplySeconds, PollMs))
            break;
        if (index <= 1) {
            SelectBaudIndex(0);
            return 1;
        }
        --index;
        SelectBaudIndex(index);
    }
    Port().setSettings(BaudRates[index].settings);
    const long accepted = BaudRates[index].rate;
    if (accepted != baud && platform().dialogs) {
        platform().dialogs->message(
            "Unable to establish communications at the requested baud rate of " +
                std::to_string(baud) + ".      \r\n\r\nThe baud rate has been changed to " +
                std::to_string(accepted) +
                ".\r\n\r\nIf you wish to change the baud rate again, please use the 'Options' "
                "menu above.",
            "NEW BAUD RATE", MsgButtons::Ok, MsgIcon::Information);
    }
    return 1;
}

void UnhookRadio(bool close)
{
    g_bHooked = false;
    if (!LinkReady())
        return;
    SerialPort &serial = Port();
    if (!serial.isOpen())
        serial.open();
    Send({0x01});
    g_bHooked = false;
    if (close)
        serial.close();
    m_bPortOpen = serial.isOpen();
}

static bool ReadBlock(int high, int low, int count, std::vector<std::uint8_t> &buffer, bool exact)
{
    const bool afterExact = s_exactReplyRead;
    // A count byte outside 1..256 would ask the radio for a different length than we await.
    if (!g_bHooked || count < 1 || count > 256 || !LinkReady())
        return false;
    if (exact && afterExact && !InputIsQuiet()) {
        UnhookRadio(true);
        ShowCommError("ReadMultiEEBytes");
        return false;
    }
    Port().discardInput();
    std::vector<std::uint8_t> command = {0xC7, static_cast<std::uint8_t>(high),
                                         static_cast<std::uint8_t>(low),
                                         static_cast<std::uint8_t>(count & 0xFF)};
    if (count != 1)
        command.push_back(0xFF);
    Send(command);

    const double start = Time().seconds();
    for (;;) {
        Time().processEvents();
        if (Port().bytesWaiting() >= count)
            break;
        if (Time().seconds() - start > BlockReplySeconds) {
            UnhookRadio(true);
            ShowCommError("ReadMultiEEBytes");
            return false;
        }
        Port().waitForInput(count, PollMs);
    }
    Time().processEvents();
    const std::vector<std::uint8_t> input = Port().readAll();
    // A line that adds bytes shifts the reply: the bytes cannot be told apart any more.
    if (exact && input.size() > static_cast<std::size_t>(count)) {
        UnhookRadio(true);
        ShowCommError("ReadMultiEEBytes");
        return false;
    }
    if (buffer.size() < static_cast<std::size_t>(count))
        buffer.resize(count);
    const std::size_t n = std::min(input.size(), static_cast<std::size_t>(count));
    std::copy(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(n), buffer.begin());
    s_exactReplyRead = exact;
    return true;
}

bool ReadMultiEEBytes(int high, int low, int count, std::vector<std::uint8_t> &buffer)
{
    return ReadBlock(high, low, count, buffer, false);
}

bool ReadExactEEBytes(int high, int low, int count, std::vector<std::uint8_t> &buffer)
{
    return ReadBlock(high, low, count, buffer, true);
}

bool InputIsQuiet()
{
    if (!LinkReady())
        return true;
    Time().processEvents();
    return Port().bytesWaiting() == 0;
}

bool WriteEEByte(int high, int low, int mask, int value)
{
    if (!LinkReady())
        return false;
    Port().discardInput();
    Send({0xD3, static_cast<std::uint8_t>(high), static_cast<std::uint8_t>(low),
          static_cast<std::uint8_t>(mask), static_cast<std::uint8_t>(value)});
    if (AwaitReplyByte(0x01, Time().seconds(), ByteWriteReplySeconds, PollMs))
        return true;
    UnhookRadio(true);
    ShowCommError("WriteEEByte");
    return false;
}

bool WriteMultiEEBytes(int high, int low, int count, const std::vector<std::uint8_t> &buffer)
{
    if (!g_bHooked || count < 1 || count > 256 || buffer.size() < static_cast<std::size_t>(count) ||
        !LinkReady())
        return false;
    std::vector<std::uint8_t> command(4 + static_cast<std::size_t>(count));
    command[0] = 0xD5;
    command[1] = static_cast<std::uint8_t>(high);
    command[2] = static_cast<std::uint8_t>(low);
    command[3] = static_cast<std::uint8_t>(count & 0xFF);
    std::copy(buffer.begin(), buffer.begin() + count, command.begin() + 4);
    Port().discardInput();
    Send(command);
    if (AwaitReplyByte(0x01, Time().seconds(), BlockReplySeconds, PollMs))
        return true;
    UnhookRadio(true);
    ShowCommError("WriteMultiEEBytes");
    return false;
}

void SendByte(int value)
{
    if (g_bHooked && LinkReady())
        Send({static_cast<std::uint8_t>(value)});
}

void ShowHookError()
{
    if (platform().dialogs)
        platform().dialogs->message(
            "Unable to 'Hook' radio.  Please check all connections and try again.", "COMM ERROR",
            MsgButtons::Ok, MsgIcon::Exclamation);
}

bool AskHookRetry()
{
    if (!platform().dialogs)
        return false;
    return platform().dialogs->message(
               "Unable to 'Hook' radio.  Please check all connections and try again.", "COMM ERROR",
               MsgButtons::RetryCancel, MsgIcon::Exclamation) != MsgAnswer::Cancel;
}
