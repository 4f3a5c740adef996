#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Why a serial device could not be opened.
enum class SerialError { None, NoDevice, NotFound, Permission, Busy, Other };

// One serial port of the PC, always 8 data bits, no parity, 1 stop bit.
class SerialPort
{
public:
    virtual ~SerialPort() = default;

    // Device to use from the next open on, e.g. "/dev/ttyUSB0"; "" selects nothing.
    virtual void selectDevice(const std::string &device) = 0;
    virtual std::string device() const = 0;
    // Rate from a settings text such as "19200,n,8,1"; applied at once when the port is open.
    virtual bool setSettings(const std::string &settings) = 0;
    virtual bool open() = 0;
    virtual void close() = 0;
    // With on, keeps the selected device locked against other programs from now on, also while
    // the port is closed, until hold(false). False when another program holds it.
    virtual bool hold(bool on) = 0;
    virtual bool isOpen() const = 0;
    // Cause of the last failed open.
    virtual SerialError lastError() const = 0;
    virtual std::string lastErrorText() const = 0;

    virtual int bytesWaiting() = 0;
    virtual void discardInput() = 0;
    virtual std::vector<std::uint8_t> readAll() = 0;
    virtual bool write(const std::vector<std::uint8_t> &bytes) = 0;
    // Blocks until at least minBytes are waiting or ms pass, so waiting loops do not spin.
    virtual void waitForInput(int minBytes, int ms) = 0;

    // Serial devices of the machine as the port layer lists them (unordered).
    virtual std::vector<std::string> listDevices() = 0;
    virtual bool deviceExists(const std::string &device) = 0;
};
