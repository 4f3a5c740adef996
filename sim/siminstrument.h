#pragma once

// The virtual bench's test set in-process: an Instrument whose lines go straight to a
// BenchInstrument, for tests that need no socket. Any address connects.

#include "benchinstrument.h"
#include "instrument.h"

class SimInstrument : public Instrument
{
public:
    explicit SimInstrument(BenchInstrument &bench) : m_bench(bench) {}

    bool connect(const std::string &address, int timeoutMs) override;
    void disconnect() override { m_connected = false; }
    bool isConnected() const override { return m_connected; }
    bool write(const std::string &command) override;
    bool query(const std::string &command, std::string &reply, int timeoutMs) override;
    std::string lastErrorText() const override { return m_error; }

    std::vector<std::string> sent; // every line, in order

private:
    BenchInstrument &m_bench;
    bool m_connected = false;
    std::string m_error;
};
