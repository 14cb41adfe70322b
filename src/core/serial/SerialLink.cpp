#include "core/serial/SerialLink.h"

#include <QFile>
#include <QSerialPort>

#include <poll.h>
#include <sys/stat.h>

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
    m_deviceName.clear();
}

void SerialLink::closePort() {
    std::lock_guard guard(m_lock);
    closeLocked();
}

QString SerialLink::deviceName(int n, const QString& pattern) {
    const QString index = QString::number(n - 1);
    const QString device = pattern.trimmed();
    if (device.isEmpty())
        return QStringLiteral("/dev/ttyS") + index;
    // Without %d the setting names the device itself, whatever the port number.
    QString name = device;
    return name.replace(QStringLiteral("%d"), index);
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
    return openLocked(n);
}

int SerialLink::holdPort(int n) {
    std::lock_guard guard(m_lock);
    if (healthyLocked(n))
        return 1;
    closeLocked();
    return openLocked(n);
}

bool SerialLink::healthyLocked(int n) const {
    if (!m_port || !m_port->isOpen() || n <= 0 || m_portNumber != n || deviceName(n, m_pattern) != m_deviceName)
        return false;
    if (m_port->error() != QSerialPort::NoError)
        return false;
    const int fd = int(m_port->handle());
    // A hang-up (a removed adapter, the far side of a pseudo-terminal gone) shows on the descriptor.
    pollfd state{fd, 0, 0};
    if (::poll(&state, 1, 0) < 0 || (state.revents & (POLLHUP | POLLERR | POLLNVAL)))
        return false;
    // The path must still lead to the device that is open: a device that was unplugged and came back, or a
    // link now pointing elsewhere, is opened anew.
    struct stat byPath {};
    struct stat open {};
    if (::stat(QFile::encodeName(m_deviceName).constData(), &byPath) != 0 || ::fstat(fd, &open) != 0)
        return false;
    return byPath.st_rdev == open.st_rdev && byPath.st_ino == open.st_ino && byPath.st_dev == open.st_dev;
}

int SerialLink::openLocked(int n) {
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
    m_deviceName = deviceName(n, m_pattern);
    m_port = std::move(port);
    m_portNumber = n;
    m_baudRate = 9600;
    ++m_openCount;
    return 1;
}

int SerialLink::openCount() const {
    std::lock_guard guard(m_lock);
    return m_openCount;
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
