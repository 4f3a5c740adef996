#pragma once

#include "fakeclock.h"
#include "serialport.h"
#include "virtualradio.h"

#include <deque>
#include <map>
#include <set>

// A serial port wired to an in-process virtual radio, on a fake clock: replies arrive at the
// fake time the radio's delay (and, if asked, the line rate) says, and waiting advances it.
class SimSerialPort : public SerialPort
{
public:
    SimSerialPort(VirtualRadio &radio, FakeClock &clock) : m_radio(radio), m_clock(clock) {}
    ~SimSerialPort() override;

    void selectDevice(const std::string &device) override { m_device = device; }
    std::string device() const override { return m_device; }
    bool setSettings(const std::string &settings) override;
    bool open() override;
    void close() override;
    bool hold(bool on) override;
    bool isOpen() const override { return m_open; }
    SerialError lastError() const override { return m_error; }
    std::string lastErrorText() const override { return m_errorText; }

    int bytesWaiting() override;
    void discardInput() override;
    std::vector<std::uint8_t> readAll() override;
    bool write(const std::vector<std::uint8_t> &bytes) override;
    void waitForInput(int minBytes, int ms) override;

    std::vector<std::string> listDevices() override { return listed; }
    bool deviceExists(const std::string &device) override;

    long rate() const { return m_rate; }
    // Puts bytes on the wire towards the PC, arriving after delay seconds of fake time.
    void injectInput(const std::vector<std::uint8_t> &bytes, double delay);

    // Devices the machine lists, and further ones that merely exist (pseudo-terminals).
    std::vector<std::string> listed;
    std::set<std::string> present;
    // Devices whose open fails, and why.
    std::map<std::string, SerialError> refuse;
    // The machine's device locks, shared by the ports of one machine: device -> holder. Without
    // it every open succeeds.
    std::map<std::string, const SimSerialPort *> *locks = nullptr;
    // Replies take 10 bits per byte at the radio's rate, after the command's own wire time.
    bool paceAtLineRate = false;

    std::vector<std::uint8_t> written; // every byte written while open
    int opens = 0;
    int closes = 0;
    int waits = 0;

private:
    struct Arrival {
        double at;
        std::uint8_t byte;
    };
    int Arrived() const;

    bool m_held = false;
    VirtualRadio &m_radio;
    FakeClock &m_clock;
    std::string m_device;
    long m_rate = 9600;
    bool m_open = false;
    SerialError m_error = SerialError::None;
    std::string m_errorText;
    std::deque<Arrival> m_incoming;
};
