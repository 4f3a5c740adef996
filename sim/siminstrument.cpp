#include "siminstrument.h"

bool SimInstrument::connect(const std::string &, int)
{
    m_connected = true;
    return true;
}

bool SimInstrument::write(const std::string &command)
{
    if (!m_connected) {
        m_error = "No instrument is connected.";
        return false;
    }
    sent.push_back(command);
    std::string ignored;
    m_bench.Handle(command, ignored);
    return true;
}

bool SimInstrument::query(const std::string &command, std::string &reply, int)
{
    if (!m_connected) {
        m_error = "No instrument is connected.";
        return false;
    }
    sent.push_back(command);
    if (m_bench.Handle(command, reply))
        return true;
    m_error = "The instrument did not answer \"" + command + "\".";
    return false;
}
