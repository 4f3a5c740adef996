#pragma once

#include <string>

// Where an instrument is reached: "tcp://HOST:PORT" (raw SCPI, port 5025 when left out),
// "vxi11://HOST" or "serial:///dev/ttyUSB1?baud=9600".
struct InstrumentAddress {
    enum class Kind { Tcp, Vxi11, Serial };
    Kind kind = Kind::Tcp;
    std::string host;   // Tcp, Vxi11
    int port = 5025;    // Tcp
    std::string device; // Serial
    int baud = 9600;    // Serial
    int dataBits = 8;
    char parity = 'N'; // N, E or O
    int stopBits = 1;
    bool rtsCts = false;
};

inline constexpr int RawScpiPort = 5025;

// False with a sentence for the user when text is no address of the three kinds.
bool ParseInstrumentAddress(const std::string &text, InstrumentAddress &address,
                            std::string &error);
