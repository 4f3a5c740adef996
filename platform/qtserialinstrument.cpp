#include "qtserialinstrument.h"

#include "instrumentaddress.h"

#include <QElapsedTimer>

namespace
{

constexpr int WriteTimeoutMs = 2000;

QSerialPort::Parity ParityOf(char p)
{
    return p == 'E' ? QSerialPort::EvenParity
                    : (p == 'O' ? QSerialPort::OddParity : QSerialPort::NoParity);
}

} // namespace

bool QtSerialInstrument::connect(const std::string &address, int timeoutMs)
{
    (void)timeoutMs; // opening a local device does not wait
    disconnect();
    InstrumentAddress a;
    if (!ParseInstrumentAddress(address, a, m_error))
        return false;
    if (a.kind != InstrumentAddress::Kind::Serial) {
        m_error = "\"" + address + "\" is no serial line.";
        return false;
    }
    m_port.setPortName(QString::fromStdString(a.device));
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_error = "Cannot open " + a.device + ": " + m_port.errorString().toStdString() + ".";
        return false;
    }
    const bool set =
        m_port.setBaudRate(a.baud) &&
        m_port.setDataBits(static_cast<QSerialPort::DataBits>(a.dataBits)) &&
        m_port.setParity(ParityOf(a.parity)) &&
        m_port.setStopBits(a.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
        m_port.setFlowControl(a.rtsCts ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl);
    if (!set) {
        m_error = "Cannot set " + a.device + " to " + std::to_string(a.baud) + " bit/s.";
        m_port.close();
        return false;
    }
    m_port.clear();
    m_pending.clear();
    return true;
}

void QtSerialInstrument::disconnect()
{
    if (m_port.isOpen())
        m_port.close();
}

bool QtSerialInstrument::Lost()
{
    m_error = "The serial line " + m_port.portName().toStdString() +
              " failed: " + m_port.errorString().toStdString() + ".";
    disconnect();
    return false;
}

bool QtSerialInstrument::write(const std::string &command)
{
    if (!m_port.isOpen()) {
        m_error = "No instrument is connected.";
        return false;
    }
    const QByteArray line = QByteArray::fromStdString(command) + "\n";
    if (m_port.write(line) != line.size())
        return Lost();
    QElapsedTimer timer;
    timer.start();
    while (m_port.bytesToWrite() > 0) {
        if (timer.elapsed() > WriteTimeoutMs || !m_port.waitForBytesWritten(100)) {
            if (m_port.error() != QSerialPort::NoError &&
                m_port.error() != QSerialPort::TimeoutError)
                return Lost();
            if (timer.elapsed() > WriteTimeoutMs) {
                m_error = "The serial line does not take \"" + command + "\".";
                return false;
            }
        }
    }
    return true;
}

bool QtSerialInstrument::query(const std::string &command, std::string &reply, int timeoutMs)
{
    // Whatever is left of a reply that came too late answers nothing.
    m_pending.clear();
    m_port.readAll();
    if (!write(command))
        return false;
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        const int end = static_cast<int>(m_pending.indexOf('\n'));
        if (end >= 0) {
            QByteArray line = m_pending.left(end);
            m_pending.remove(0, end + 1);
            if (line.endsWith('\r'))
                line.chop(1);
            reply = line.toStdString();
            return true;
        }
        const qint64 left = timeoutMs - timer.elapsed();
        if (left <= 0) {
            m_error = "The instrument did not answer \"" + command + "\".";
            return false;
        }
        if (m_port.waitForReadyRead(static_cast<int>(std::min<qint64>(left, 100))))
            m_pending += m_port.readAll();
        else if (m_port.error() != QSerialPort::NoError &&
                 m_port.error() != QSerialPort::TimeoutError)
            return Lost();
    }
}
