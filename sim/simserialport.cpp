#include "simserialport.h"

#include <algorithm>
#include <cstdlib>

SimSerialPort::~SimSerialPort()
{
    m_held = false;
    close();
    hold(false);
}

bool SimSerialPort::setSettings(const std::string &settings)
{
    const long rate = std::strtol(settings.c_str(), nullptr, 10);
    if (rate <= 0)
        return false;
    m_rate = rate;
    return true;
}

bool SimSerialPort::open()
{
    if (m_open)
        return true;
    m_error = SerialError::None;
    m_errorText.clear();
    if (m_device.empty()) {
        m_error = SerialError::NoDevice;
        return false;
    }
    auto refused = refuse.find(m_device);
    if (refused != refuse.end()) {
        m_error = refused->second;
        m_errorText = "refused";
        return false;
    }
    if (locks) {
        const auto holder = locks->find(m_device);
        if (holder != locks->end() && holder->second != this) {
            m_error = SerialError::Busy;
            m_errorText = "locked";
            return false;
        }
        (*locks)[m_device] = this;
    }
    ++opens;
    m_open = true;
    return true;
}

void SimSerialPort::close()
{
    if (!m_open)
        return;
    ++closes;
    m_open = false;
    m_incoming.clear();
    if (locks && !m_held)
        locks->erase(m_device);
}

bool SimSerialPort::hold(bool on)
{
    m_held = on;
    if (!locks || m_open)
        return true;
    const auto holder = locks->find(m_device);
    if (!on) {
        if (holder != locks->end() && holder->second == this)
            locks->erase(holder);
        return true;
    }
    if (holder != locks->end() && holder->second != this) {
        m_held = false;
        return false;
    }
    (*locks)[m_device] = this;
    return true;
}

int SimSerialPort::Arrived() const
{
    return static_cast<int>(
        std::count_if(m_incoming.begin(), m_incoming.end(),
                      [this](const Arrival &a) { return a.at <= m_clock.now; }));
}

int SimSerialPort::bytesWaiting()
{
    return m_open ? Arrived() : 0;
}

void SimSerialPort::discardInput()
{
    // Bytes still on the wire are not in the buffer yet and survive.
    m_incoming.erase(std::remove_if(m_incoming.begin(), m_incoming.end(),
                                    [this](const Arrival &a) { return a.at <= m_clock.now; }),
                     m_incoming.end());
}

std::vector<std::uint8_t> SimSerialPort::readAll()
{
    std::vector<std::uint8_t> bytes;
    while (m_open && !m_incoming.empty() && m_incoming.front().at <= m_clock.now) {
        bytes.push_back(m_incoming.front().byte);
        m_incoming.pop_front();
    }
    return bytes;
}

bool SimSerialPort::write(const std::vector<std::uint8_t> &bytes)
{
    if (!m_open)
        return false;
    written.insert(written.end(), bytes.begin(), bytes.end());
    // At a different rate than the radio's the radio makes nothing of the bytes.
    if (m_rate != m_radio.lineRate())
        return true;
    const std::vector<RadioReply> replies = m_radio.receive(bytes);
    double at = m_clock.now + m_radio.faults.replyDelay;
    if (paceAtLineRate)
        at += static_cast<double>(bytes.size()) * 10.0 / static_cast<double>(m_rate);
    if (!m_incoming.empty())
        at = std::max(at, m_incoming.back().at);
    for (const RadioReply &reply : replies) {
        for (std::uint8_t byte : reply.bytes) {
            if (paceAtLineRate)
                at += 10.0 / static_cast<double>(reply.lineRate);
            m_incoming.push_back({at, byte});
        }
    }
    return true;
}

void SimSerialPort::waitForInput(int minBytes, int ms)
{
    ++waits;
    const double limit = m_clock.now + ms / 1000.0;
    if (m_open && minBytes >= 1 && static_cast<std::size_t>(minBytes) <= m_incoming.size()) {
        const double ready = m_incoming[static_cast<std::size_t>(minBytes) - 1].at;
        if (ready <= m_clock.now)
            return;
        if (ready <= limit) {
            m_clock.now = ready;
            return;
        }
    }
    m_clock.now = limit;
}

bool SimSerialPort::deviceExists(const std::string &device)
{
    return present.count(device) != 0 ||
           std::find(listed.begin(), listed.end(), device) != listed.end();
}

void SimSerialPort::injectInput(const std::vector<std::uint8_t> &bytes, double delay)
{
    for (std::uint8_t byte : bytes)
        m_incoming.push_back({m_clock.now + delay, byte});
    std::stable_sort(m_incoming.begin(), m_incoming.end(),
                     [](const Arrival &a, const Arrival &b) { return a.at < b.at; });
}
