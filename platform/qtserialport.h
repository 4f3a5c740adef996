#pragma once

#include "serialport.h"

#include <QSerialPort>

// A serial device through Qt Serial Port. Reads and writes are synchronous: the link's
// waiting loops block here briefly instead of relying on the event loop.
class QtSerialPort : public SerialPort
{
public:
    void selectDevice(const std::string &device) override;
    std::string device() const override { return m_device; }
    bool setSettings(const std::string &settings) override;
    bool open() override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    SerialError lastError() const override { return m_error; }
    std::string lastErrorText() const override { return m_errorText; }

    int bytesWaiting() override;
    void discardInput() override;
    std::vector<std::uint8_t> readAll() override;
    bool write(const std::vector<std::uint8_t> &bytes) override;
    void waitForInput(int minBytes, int ms) override;

    std::vector<std::string> listDevices() override;
    bool deviceExists(const std::string &device) override;

private:
    // Moves what the driver holds into the port's buffer without blocking.
    void fetch();

    QSerialPort m_port;
    std::string m_device;
    qint32 m_rate = 4800;
    SerialError m_error = SerialError::None;
    std::string m_errorText;
};
