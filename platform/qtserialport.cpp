#include "qtserialport.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStandardPaths>
#include <QThread>

#include <cstdlib>
#include <unistd.h>

// The lock file Qt Serial Port takes while it has the device open, in the first usable one of
// its folders; holding the same file keeps other programs off between our opens.
static QString LockFilePath(const std::string &device)
{
    QString name = QString::fromStdString(device);
    if (name.startsWith(QLatin1String("/dev/")))
        name.remove(0, 5);
    name.replace(QLatin1Char('/'), QLatin1Char('_')).prepend(QLatin1String("/LCK.."));
    for (const char *folder : {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                               "/tmp", "/var/tmp", "/var/lock/lockdev", "/run/lock"}) {
        const QFileInfo info(QString::fromLatin1(folder));
        const QString path = info.filePath() + name;
        if (info.isReadable() && (QFile::exists(path) || info.isWritable()))
            return path;
    }
    return QStandardPaths::writableLocation(QStandardPaths::TempLocation) + name;
}

bool QtSerialPort::lockDevice()
{
    auto lock = std::make_unique<QLockFile>(LockFilePath(m_device));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);
    return true;
}

bool QtSerialPort::hold(bool on)
{
    m_held = on;
    if (!on || m_port.isOpen()) {
        m_lock.reset();
        return true;
    }
    if (m_lock || lockDevice())
        return true;
    m_held = false;
    return false;
}

void QtSerialPort::selectDevice(const std::string &device)
{
    m_device = device;
}

bool QtSerialPort::setSettings(const std::string &settings)
{
    // "19200,n,8,1": the framing is always 8N1, only the rate varies.
    const long rate = std::strtol(settings.c_str(), nullptr, 10);
    if (rate <= 0)
        return false;
    m_rate = static_cast<qint32>(rate);
    return !m_port.isOpen() || m_port.setBaudRate(m_rate);
}

bool QtSerialPort::open()
{
    if (m_port.isOpen())
        return true;
    m_error = SerialError::None;
    m_errorText.clear();
    if (m_device.empty()) {
        m_error = SerialError::NoDevice;
        return false;
    }
    m_port.setPortName(QString::fromStdString(m_device));
    m_lock.reset(); // the port takes the same lock file
    if (!m_port.open(QIODevice::ReadWrite)) {
        if (m_held)
            lockDevice();
        m_errorText = m_port.errorString().toStdString();
        switch (m_port.error()) {
        case QSerialPort::DeviceNotFoundError:
            m_error = SerialError::NotFound;
            break;
        case QSerialPort::PermissionError:
            // Qt reports a lock held by another program the same way as a denied access.
            m_error = ::access(m_device.c_str(), R_OK | W_OK) == 0 ? SerialError::Busy
                                                                   : SerialError::Permission;
            break;
        default:
            m_error = SerialError::Other;
            break;
        }
        m_port.clearError();
        return false;
    }
    const bool framed = m_port.setBaudRate(m_rate) && m_port.setDataBits(QSerialPort::Data8) &&
                        m_port.setParity(QSerialPort::NoParity) &&
                        m_port.setStopBits(QSerialPort::OneStop) &&
                        m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!framed) {
        m_error = SerialError::Other;
        m_errorText = m_port.errorString().toStdString();
        close();
        return false;
    }
    return true;
}

void QtSerialPort::close()
{
    if (m_port.isOpen())
        m_port.close();
    if (m_held && !m_lock)
        lockDevice();
}

void QtSerialPort::fetch()
{
    if (m_port.isOpen() && !m_port.waitForReadyRead(0) &&
        m_port.error() == QSerialPort::TimeoutError)
        m_port.clearError();
}

int QtSerialPort::bytesWaiting()
{
    fetch();
    return static_cast<int>(m_port.bytesAvailable());
}

void QtSerialPort::discardInput()
{
    if (m_port.isOpen())
        m_port.clear(QSerialPort::Input);
}

std::vector<std::uint8_t> QtSerialPort::readAll()
{
    fetch();
    const QByteArray data = m_port.readAll();
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

bool QtSerialPort::write(const std::vector<std::uint8_t> &bytes)
{
    if (!m_port.isOpen())
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    if (m_port.write(reinterpret_cast<const char *>(bytes.data()), size) != size)
        return false;
    // Out before we wait for the answer, and before a close could drop it.
    while (m_port.bytesToWrite() > 0) {
        if (!m_port.waitForBytesWritten(2000))
            return false;
    }
    return true;
}

void QtSerialPort::waitForInput(int minBytes, int ms)
{
    QDeadlineTimer deadline(ms);
    if (!m_port.isOpen()) {
        QThread::msleep(static_cast<unsigned long>(ms > 0 ? ms : 0));
        return;
    }
    while (m_port.bytesAvailable() < minBytes) {
        const qint64 remaining = deadline.remainingTime();
        if (remaining <= 0)
            return;
        if (!m_port.waitForReadyRead(static_cast<int>(remaining))) {
            // A failing device would return at once; do not turn that into a busy loop.
            if (m_port.error() != QSerialPort::TimeoutError)
                QThread::msleep(static_cast<unsigned long>(deadline.remainingTime()));
            m_port.clearError();
            return;
        }
    }
}

std::vector<std::string> QtSerialPort::listDevices()
{
    std::vector<std::string> devices;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        devices.push_back(info.systemLocation().toStdString());
    return devices;
}

bool QtSerialPort::deviceExists(const std::string &device)
{
    return !device.empty() && QFileInfo::exists(QString::fromStdString(device));
}
