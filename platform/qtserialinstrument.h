#pragma once

#include "instrument.h"

#include <QSerialPort>

#include <string>

// A service monitor that speaks SCPI on a serial line ("serial:///dev/ttyUSB1?baud=9600").
// Synchronous: waits on the port itself, with no event loop.
class QtSerialInstrument : public Instrument
{
public:
    bool connect(const std::string &address, int timeoutMs) override;
    void disconnect() override;
    bool isConnected() const override { return m_port.isOpen(); }
    bool write(const std::string &command) override;
    bool query(const std::string &command, std::string &reply, int timeoutMs) override;
    std::string lastErrorText() const override { return m_error; }

private:
    bool Lost();

    QSerialPort m_port;
    QByteArray m_pending;
    std::string m_error;
};
