#pragma once

#include <string>

// One connection to an RF test instrument that speaks SCPI: LXI over TCP (raw socket or
// VXI-11) or an older service monitor on a serial line. Addresses read "tcp://HOST:PORT",
// "vxi11://HOST" or "serial:///dev/ttyUSB1?baud=9600".
class Instrument
{
public:
    virtual ~Instrument() = default;

    virtual bool connect(const std::string &address, int timeoutMs) = 0;
    virtual void disconnect() = 0;
    virtual bool isConnected() const = 0;
    // Sends one command line; false when the instrument is gone.
    virtual bool write(const std::string &command) = 0;
    // Sends one command and waits for its reply line (without the line end); false on
    // silence within timeoutMs or a lost connection.
    virtual bool query(const std::string &command, std::string &reply, int timeoutMs) = 0;
    // Why the last call failed, in plain words.
    virtual std::string lastErrorText() const = 0;
};
