#include "core/serial/SerialLink.h"

#include <QSerialPort>

namespace quorvan {

SerialLink::SerialLink() = default;

SerialLink::~SerialLink() {
    std::lock_guard guard(m_lock);
    closeLocked();
}

void SerialLink::closeLocked() {
    m_portNumber = 0;
    m_baudRate = 0;
    if (m_port && m_port->isOpen())
        m_port->close();
    m_port.reset();
}

void SerialLink::closePort() {
    std::lock_guard guard(m_lock);
    closeLocked();
}

QString SerialLink::deviceName(int n, const QString& pattern) {
    const QString index = QString::number(n - 1);
    if (pattern.contains(QStringLiteral("%d"))) {
        QString name = pattern;
        return name.replace(QStringLiteral("%d"), index);
    }
    return QStringLiteral("/dev/ttyS") + index;
}

void SerialLink::setDevicePattern(const QString& pattern) {
    std::lock_guard guard(m_lock);
    m_pattern = pattern;
}

int SerialLink::openPort(int n) {
    {
        std::lock_guard guard(m_lock);
        closeLocked();
    }
    std::lock_guard guard(m_lock);
    if (n <= 0)
        return 0;
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(deviceName(n, m_pattern));
    // QSerialPort opens the device exclusively (lock file and TIOCEXCL) and in raw, binary mode.
    if (!port->open(QIODevice::ReadWrite))
        return 0; // nothing is kept: a failed open never counts as an open port
    port->setBaudRate(QSerialPort::Baud9600);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    m_port = std::move(port);
    m_portNumber = n;
    m_baudRate = 9600;
    return 1;
}

int SerialLink::portNumber() const {
    std::lock_guard guard(m_lock);
    return m_portNumber;
}

int SerialLink::baudRate() const {
    std::lock_guard guard(m_lock);
    return m_baudRate;
}

bool SerialLink::isOpen() const {
    std::lock_guard guard(m_lock);
    return m_port && m_port->isOpen();
}

} // namespace quorvan
