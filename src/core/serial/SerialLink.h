#pragma once

#include <QString>

#include <memory>
#include <mutex>

class QSerialPort;

namespace quorvan {

// The controller's serial line. The program only holds the configured port open, exclusively, at 9600 baud,
// 8 data bits, no parity, one stop bit; it is closed and re-opened once a second by the main window's timer.
class SerialLink {
public:
    SerialLink();
    virtual ~SerialLink();

    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // Closes whatever port is open, then opens port n. Returns 1 when it opened, 0 otherwise (n <= 0 never opens).
    int openPort(int n);
    void closePort();

    int portNumber() const;
    int baudRate() const;
    bool isOpen() const;

    // Device path of port n: "/dev/ttyS<n-1>", or the pattern with %d replaced by n-1 (e.g. "/dev/ttyUSB%d").
    void setDevicePattern(const QString& pattern);
    static QString deviceName(int n, const QString& pattern);

private:
    void closeLocked();

    mutable std::mutex m_lock;
    int m_portNumber = 0;
    int m_baudRate = 0;
    std::unique_ptr<QSerialPort> m_port;
    QString m_pattern;
};

} // namespace quorvan
