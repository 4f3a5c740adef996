#include "fakeinstrument.h"

#include "clock.h"

bool FakeInstrument::connect(const std::string &addr, int timeoutMs)
{
    address = addr;
    if (refuseConnect) {
        if (m_clock)
            m_clock->sleepMs(timeoutMs);
        m_error = "Connection refused.";
        return false;
    }
    m_connected = true;
    return true;
}

bool FakeInstrument::Gone()
{
    ++calls;
    if (lostAfter >= 0 && calls > lostAfter)
        m_connected = false;
    if (!m_connected) {
        m_error = "The connection to the instrument was lost.";
        return true;
    }
    return false;
}

bool FakeInstrument::write(const std::string &command)
{
    if (Gone())
        return false;
    sent.push_back(command);
    return true;
}

bool FakeInstrument::query(const std::string &command, std::string &reply, int timeoutMs)
{
    if (Gone())
        return false;
    sent.push_back(command);
    bool answered = false;
    if (silentAfter < 0 || calls <= silentAfter) {
        auto it = replies.find(command);
        if (it != replies.end() && !it->second.empty()) {
            reply = it->second.front();
            if (it->second.size() > 1)
                it->second.pop_front();
            answered = true;
        } else if (answer) {
            answered = answer(command, reply);
        }
    }
    if (!answered) {
        if (m_clock)
            m_clock->sleepMs(timeoutMs);
        m_error = "The instrument did not answer \"" + command + "\".";
    }
    return answered;
}
