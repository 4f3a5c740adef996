#pragma once

#include "serialport.h"

#include <QLockFile>
#include <QSerialPort>

#include <memory>

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
    bool hold(bool on) override;
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
    // Takes the device's lock file while the port is closed.
    bool lockDevice();

    QSerialPort m_port;
    bool m_held = false;
    std::unique_ptr<QLockFile> m_lock;
    std::string m_device;
    qint32 m_rate = 4800;
    SerialError m_error = SerialError::None;
    std::string m_errorText;
};
