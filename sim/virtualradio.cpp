#include "virtualradio.h"

#include <utility>

namespace
{

constexpr std::uint8_t CmdUnhook = 0x01;
constexpr std::uint8_t CmdBaud = 0x05;
constexpr std::uint8_t CmdRead = 0xC7;
constexpr std::uint8_t CmdWriteByte = 0xD3;
constexpr std::uint8_t CmdWriteBlock = 0xD5;
constexpr std::uint8_t WakeLast = 0x28;

constexpr long RateOfIndex[] = {4800, 9600, 19200, 38400, 57600, 115200};

int BlockCount(std::uint8_t countByte)
{
    return countByte == 0 ? 256 : countByte;
}

} // namespace

VirtualRadio::VirtualRadio() : eeprom(EepromSize, 0) {}

void VirtualRadio::addCommand(std::uint8_t code, int argumentBytes, CommandHandler handler)
{
    m_extra[code] = ExtraCommand{argumentBytes, std::move(handler)};
}

bool VirtualRadio::Silent() const
{
    return faults.stopAfterCommands >= 0 && m_commands >= faults.stopAfterCommands;
}

std::vector<RadioReply> VirtualRadio::receive(const std::vector<std::uint8_t> &bytes)
{
    std::vector<RadioReply> replies;
    for (std::uint8_t byte : bytes) {
        trace.push_back({false, byte});
        if (Silent())
            continue;
        if (m_command.empty()) {
            const bool known = byte == CmdUnhook || byte == CmdBaud || byte == CmdRead ||
                               byte == CmdWriteByte || byte == CmdWriteBlock ||
                               m_extra.count(byte) != 0;
            // Outside programming mode, and between commands, only the wake-up counts.
            if (!m_hooked || !known) {
                WakeByte(byte, replies);
                continue;
            }
            m_wakeState = 0;
        }
        m_command.push_back(byte);
        const std::size_t length = CommandLength();
        if (length != 0 && m_command.size() >= length) {
            HandleCommand(replies);
            if (afterCommand)
                afterCommand();
        }
    }
    return replies;
}

std::size_t VirtualRadio::CommandLength() const
{
    switch (m_command[0]) {
    case CmdUnhook:
        return 1;
    case CmdBaud:
        return 2;
    case CmdWriteByte:
        return 5;
    case CmdRead:
        if (m_command.size() < 4)
            return 0;
        return m_command[3] == 1 ? 4 : 5; // a count other than 1 is followed by 0xFF
    case CmdWriteBlock:
        if (m_command.size() < 4)
            return 0;
        return 4 + static_cast<std::size_t>(BlockCount(m_command[3]));
    default:
        break;
    }
    auto extra = m_extra.find(m_command[0]);
    return extra == m_extra.end() ? 1 : 1 + static_cast<std::size_t>(extra->second.argumentBytes);
}

void VirtualRadio::WakeByte(std::uint8_t byte, std::vector<RadioReply> &replies)
{
    // Wake-up: a run of 0x00, then 0x0A 0x14 0x28.
    if (byte == 0x00) {
        m_wakeState = 1;
    } else if (m_wakeState == 1 && byte == 0x0A) {
        m_wakeState = 2;
    } else if (m_wakeState == 2 && byte == 0x14) {
        m_wakeState = 3;
    } else if (m_wakeState == 3 && byte == WakeLast) {
        m_wakeState = 0;
        ++m_commands;
        if (faults.noHookAnswer)
            return;
        m_hooked = true;
        m_lineRate = 4800;
        Reply(replies, WakeLast, {HookReply});
    } else {
        m_wakeState = 0;
    }
}

void VirtualRadio::CorruptWrite(int address, int count)
{
    const int at = faults.corruptWriteAt;
    if (at >= address && at < address + count)
        eeprom[static_cast<std::size_t>(at)] ^= 0x01;
}

void VirtualRadio::HandleCommand(std::vector<RadioReply> &replies)
{
    const std::vector<std::uint8_t> command = std::move(m_command);
    m_command.clear();
    ++m_commands;
    const std::uint8_t code = command[0];
    const int address = command.size() >= 3 ? command[1] * 256 + command[2] : 0;
    switch (code) {
    case CmdUnhook:
        m_hooked = false;
        m_lineRate = 4800;
        return;
    case CmdBaud: {
        const int index = command[1];
        if (index < 1 || index > 5 || RateOfIndex[index] > maxBaudRate)
            return; // a rate it cannot do is refused by silence
        Reply(replies, code, {Ack});
        m_lineRate = RateOfIndex[index];
        return;
    }
    case CmdRead: {
        std::vector<std::uint8_t> data(static_cast<std::size_t>(BlockCount(command[3])));
        for (std::size_t i = 0; i < data.size(); ++i)
            data[i] = eeprom[(address + i) % EepromSize];
        const int noisy = faults.noisyReadAt - address;
        if (noisy >= 0 && noisy < static_cast<int>(data.size()) && m_noisyReads++ % 2 == 1)
            data[static_cast<std::size_t>(noisy)] ^= 0x01;
        const int babble = faults.babbleReadAt - address;
        if (babble >= 0 && babble < static_cast<int>(data.size()))
            data.insert(data.begin(), 0x5A);
        Reply(replies, code, std::move(data));
        return;
    }
    case CmdWriteByte: {
        std::uint8_t &cell = eeprom[static_cast<std::size_t>(address)];
        const std::uint8_t mask = command[3];
        cell = static_cast<std::uint8_t>((cell & ~mask) | (command[4] & mask));
        CorruptWrite(address, 1);
        Reply(replies, code, {Ack});
        return;
    }
    case CmdWriteBlock:
        for (std::size_t i = 4; i < command.size(); ++i)
            eeprom[(address + i - 4) % EepromSize] = command[i];
        CorruptWrite(address, static_cast<int>(command.size()) - 4);
        Reply(replies, code, {Ack});
        return;
    default:
        break;
    }
    auto extra = m_extra.find(code);
    if (extra == m_extra.end())
        return;
    std::vector<std::uint8_t> reply =
        extra->second.handler(*this, std::vector<std::uint8_t>(command.begin() + 1, command.end()));
    if (!reply.empty())
        Reply(replies, code, std::move(reply));
}

void VirtualRadio::Reply(std::vector<RadioReply> &replies, std::uint8_t command,
                         std::vector<std::uint8_t> bytes)
{
    if (faults.wrongFirstByte >= 0 &&
        (faults.wrongFirstByteFor < 0 || faults.wrongFirstByteFor == command))
        bytes[0] = static_cast<std::uint8_t>(faults.wrongFirstByte);
    for (std::uint8_t byte : bytes)
        trace.push_back({true, byte});
    replies.push_back(RadioReply{std::move(bytes), m_lineRate});
}

std::vector<std::uint8_t> VirtualRadio::received() const
{
    std::vector<std::uint8_t> bytes;
    for (const RadioTraceEntry &entry : trace) {
        if (!entry.fromRadio)
            bytes.push_back(entry.byte);
    }
    return bytes;
}

std::vector<std::uint8_t> VirtualRadio::sent() const
{
    std::vector<std::uint8_t> bytes;
    for (const RadioTraceEntry &entry : trace) {
        if (entry.fromRadio)
            bytes.push_back(entry.byte);
    }
    return bytes;
}
