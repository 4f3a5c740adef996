#pragma once

#include "instrument.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

class Clock;

// A scripted instrument: each query is answered from its own queue of replies (the last one
// repeats), or by the answer function when the script has none; everything sent is recorded.
// Silence and a lost connection are scripted too; silence lets the clock run for the time-out.
class FakeInstrument : public Instrument
{
public:
    explicit FakeInstrument(Clock *clock = nullptr) : m_clock(clock) {}

    bool connect(const std::string &address, int timeoutMs) override;
    void disconnect() override { m_connected = false; }
    bool isConnected() const override { return m_connected; }
    bool write(const std::string &command) override;
    bool query(const std::string &command, std::string &reply, int timeoutMs) override;
    std::string lastErrorText() const override { return m_error; }

    // The script.
    std::map<std::string, std::deque<std::string>> replies;
    std::function<bool(const std::string &command, std::string &reply)> answer;
    bool refuseConnect = false;
    int silentAfter = -1; // calls answered before the instrument falls silent
    int lostAfter = -1;   // calls before the connection drops

    // What happened.
    std::vector<std::string> sent; // every command, queries with their "?"
    std::string address;
    int calls = 0;

private:
    bool Gone();

    Clock *m_clock;
    bool m_connected = false;
    std::string m_error;
};
