#include "testcommands.h"

#include "appsettings.h"
#include "eeprotocol.h"
#include "linkstate.h"
#include "numtext.h"
#include "platform.h"

#include <cstdint>
#include <string>
#include <vector>

namespace
{

constexpr std::uint8_t Ack = 0x01;
constexpr double AckSeconds = 0.5;
constexpr double SampleSeconds = 10.0;
constexpr double NoiseSeconds = 2.0;
constexpr int NoiseBytes = 64;
constexpr int NoiseTailMs = 250;
constexpr int PollMs = 10;

struct TestCommand {
    std::uint8_t code;
};
constexpr TestCommand CmdEnableRXPath{0x32};
constexpr TestCommand CmdEnterTransparentTX{0xF3};
constexpr TestCommand CmdExitTransparentTX{0xF4};
constexpr TestCommand CmdSetDigitalPot{0xF8};
constexpr TestCommand CmdSelectTXTestSource{0xF9};
constexpr TestCommand CmdReadA2D{0xFA};
constexpr TestCommand CmdSetPowerCurveDAC{0xFB};
constexpr TestCommand CmdNoiseStream{0xFD};
constexpr TestCommand CmdNoiseStop{0x00};

bool Ready()
{
    return g_bHooked && platform().serial != nullptr && platform().clock != nullptr;
}

std::uint8_t Byte(int value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}

// Waits until input is there (true) or limit seconds have passed since start; blocks in the
// port between looks so the reply is taken the moment it arrives.
bool AwaitInput(int minBytes, double start, double limit)
{
    SerialPort &port = *platform().serial;
    Clock &clock = *platform().clock;
    // A reply is never there the moment its command went out: block first, then look.
    for (;;) {
        port.waitForInput(minBytes, PollMs);
        clock.processEvents();
        if (port.bytesWaiting() >= minBytes)
            return true;
        if (clock.seconds() - start > limit)
            return false;
    }
}

bool Run(const std::vector<std::uint8_t> &bytes)
{
    if (!Ready())
        return false;
    SerialPort &port = *platform().serial;
    port.discardInput();
    port.write(bytes);
    const double start = platform().clock->seconds();
    while (AwaitInput(1, start, AckSeconds)) {
        const std::vector<std::uint8_t> input = port.readAll();
        if (!input.empty() && input[0] == Ack)
            return true;
    }
    return false;
}

void Say(const std::string &text, const std::string &caption, MsgIcon icon)
{
    if (platform().dialogs)
        platform().dialogs->message(text, caption, MsgButtons::Ok, icon);
}

} // namespace

bool EnableRXPath()
{
    return Run({CmdEnableRXPath.code});
}

bool EnterTransparentTXMode()
{
    return Run({CmdEnterTransparentTX.code});
}

bool ExitTransparentTXMode()
{
    return Run({CmdExitTransparentTX.code});
}

bool SelectTXTestSource(int operand)
{
    return Run({CmdSelectTXTestSource.code, Byte(operand)});
}

bool SetDigitalPotValue(int selector, int value)
{
    // 16-bit arguments compared as unsigned: -1 is 65535 and out of range.
    if (static_cast<std::uint16_t>(selector) > 1) {
        Say("WARNING: Sub 'SetDigitalPotValue' was sent a 'Selector Code' of " +
                std::to_string(selector) + ", which is      \r\n" +
                "outside the acceptable range of 0 or 1 - cancelling the attempt!      ",
            ProgramTitle, MsgIcon::None);
        return false;
    }
    if (static_cast<std::uint16_t>(value) > 255) {
        Say("WARNING: Sub 'SetDigitalPotValue' was sent a digital      \r\n"
            " potentiometer value of " +
                std::to_string(value) + ", which is      \r\n" +
                "outside the acceptable range of 0 to 255 - cancelling the attempt!      ",
            ProgramTitle, MsgIcon::None);
        return false;
    }
    if (!Ready())
        return false;
    if (Run({CmdSetDigitalPot.code, Byte(selector), Byte(value)}))
        return true;
    Say("A COMM ERROR occurred in sub routine 'SetDigitalPotValue'.      ", "COMM ERROR",
        MsgIcon::Exclamation);
    return false;
}

bool SetPowerCurveDAC(int value, int operand)
{
    return Run({CmdSetPowerCurveDAC.code, Byte(value / 256), Byte(value % 256), Byte(operand)});
}

int ReadA2DVal(int count, int channel)
{
    constexpr int Failed = -1000;
    if (!Ready() || count < 1)
        return Failed;
    SerialPort &port = *platform().serial;
    long sum = 0;
    for (int i = 0; i < count; ++i) {
        port.discardInput();
        port.write({CmdReadA2D.code, Byte(channel)});
        if (!AwaitInput(1, platform().clock->seconds(), SampleSeconds))
            return Failed;
        const std::vector<std::uint8_t> input = port.readAll();
        if (input.empty())
            return Failed;
        sum += input[0];
    }
    return static_cast<int>(RoundHalfEven(static_cast<double>(sum) / count));
}

int ReadNoiseAverage()
{
    constexpr int Failed = -10000;
    if (platform().serial == nullptr || platform().clock == nullptr)
        return Failed;
    SendByte(CmdNoiseStream.code);
    if (!AwaitInput(NoiseBytes, platform().clock->seconds(), NoiseSeconds)) {
        UnhookRadio(true);
        return Failed;
    }
    SendByte(CmdNoiseStop.code);
    // The stream runs on until the radio sees the stop; what came meanwhile counts too.
    platform().clock->sleepMs(NoiseTailMs);
    const std::vector<std::uint8_t> input = platform().serial->readAll();
    if (input.empty())
        return Failed;
    long sum = 0;
    for (std::uint8_t byte : input)
        sum += byte;
    return static_cast<int>(RoundHalfEven(static_cast<double>(sum) / input.size()));
}

bool HookTDFx()
{
    for (;;) {
        if (HookRadio(m_iCommPort, 3, m_lBaudRate) == 1)
            return true;
        if (!AskHookRetry())
            return false;
    }
}
