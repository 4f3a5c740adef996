#pragma once

#include "instrument.h"

#include <string>

// An LXI instrument through liblxi: raw SCPI over TCP ("tcp://HOST:PORT") or VXI-11
// ("vxi11://HOST"). Replies end at a line feed.
class LxiInstrument : public Instrument
{
public:
    LxiInstrument();
    ~LxiInstrument() override;
    LxiInstrument(const LxiInstrument &) = delete;
    LxiInstrument &operator=(const LxiInstrument &) = delete;

    bool connect(const std::string &address, int timeoutMs) override;
    void disconnect() override;
    bool isConnected() const override { return m_device >= 0; }
    bool write(const std::string &command) override;
    bool query(const std::string &command, std::string &reply, int timeoutMs) override;
    std::string lastErrorText() const override { return m_error; }

private:
    bool Send(const std::string &command);
    bool ReceiveLine(std::string &line, int timeoutMs);
    bool Alive() const;
    void Lost();

    int m_device = -1;
    int m_socket = -1; // the raw connection's socket, which we wait on ourselves
    bool m_raw = true;
    bool m_stale = false; // a reply may still arrive for a query that timed out
    std::string m_pending;
    std::string m_address;
    std::string m_error;
};
