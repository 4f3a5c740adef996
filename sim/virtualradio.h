#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

// Faults the virtual radio can be told to show.
struct RadioFaults {
    bool noHookAnswer = false;  // never answers the hook
    int stopAfterCommands = -1; // handles this many commands, then falls silent; -1 never
    int wrongFirstByte = -1;    // 0..255: the first byte of a reply is replaced by this
    int wrongFirstByteFor = -1; // ... only in replies to this command byte (-1: every reply)
    double replyDelay = 0.0;    // seconds before a reply starts (the host applies it)
    int corruptWriteAt = -1;    // a write to this address keeps its lowest bit inverted
    int noisyReadAt = -1;       // every second read of this address has its lowest bit inverted
    int babbleReadAt = -1;      // a read of this address gets a stray byte before its reply
};

// One reply of the radio and the line rate it goes out at (a rate change answers at the
// old rate and only then switches).
struct RadioReply {
    std::vector<std::uint8_t> bytes;
    long lineRate = 4800;
};

struct RadioTraceEntry {
    bool fromRadio; // false: received from the PC
    std::uint8_t byte;
};

// The radio's side of the programming protocol, over its own EEPROM image. Time-free: the
// host feeds received bytes and sends the replies when and how fast it likes.
class VirtualRadio
{
public:
    static constexpr int EepromSize = 65536;
    static constexpr std::uint8_t HookReply = 0x12;
    static constexpr std::uint8_t Ack = 0x01;

    // Handler of an extra command: its argument bytes in, its reply out (empty: no reply).
    using CommandHandler =
        std::function<std::vector<std::uint8_t>(VirtualRadio &, const std::vector<std::uint8_t> &)>;

    VirtualRadio();

    // Everything the radio answers to these bytes, in order.
    std::vector<RadioReply> receive(const std::vector<std::uint8_t> &bytes);

    // Adds a command with a fixed number of argument bytes, understood while hooked. The
    // alignment firmware's test commands come in this way.
    void addCommand(std::uint8_t code, int argumentBytes, CommandHandler handler);

    bool hooked() const { return m_hooked; }
    long lineRate() const { return m_lineRate; }
    int commandsHandled() const { return m_commands; }

    // Bytes received from the PC, and bytes the radio sent, in order.
    std::vector<std::uint8_t> received() const;
    std::vector<std::uint8_t> sent() const;
    void clearTrace() { trace.clear(); }

    long maxBaudRate = 115200; // highest rate a 0x05 request is accepted for
    RadioFaults faults;
    std::vector<std::uint8_t> eeprom;
    std::vector<RadioTraceEntry> trace;
    // Called after each command is handled: instruments watching the radio see the change.
    std::function<void()> afterCommand;

private:
    struct ExtraCommand {
        int argumentBytes;
        CommandHandler handler;
    };

    // Total length of the command in m_command, or 0 while that is not known yet.
    std::size_t CommandLength() const;
    void HandleCommand(std::vector<RadioReply> &replies);
    void WakeByte(std::uint8_t byte, std::vector<RadioReply> &replies);
    void Reply(std::vector<RadioReply> &replies, std::uint8_t command,
               std::vector<std::uint8_t> bytes);
    bool Silent() const;
    // The corruptWriteAt fault, after a write of count bytes from address.
    void CorruptWrite(int address, int count);

    bool m_hooked = false;
    long m_lineRate = 4800;
    int m_wakeState = 0; // 0 idle, 1 zeros seen, 2 +0x0A, 3 +0x14
    int m_commands = 0;
    int m_noisyReads = 0;
    std::vector<std::uint8_t> m_command;
    std::map<std::uint8_t, ExtraCommand> m_extra;
};
