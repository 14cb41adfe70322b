#pragma once

#include <QString>

#include <memory>
#include <mutex>

class QSerialPort;

namespace quorvan {

// The controller's serial line. The program only holds the configured port open, exclusively, at 9600 baud,
// 8 data bits, no parity, one stop bit. The main window's timer checks it once a second (holdPort): a healthy
// port stays open, because closing drops DTR and RTS, which resets some controllers.
class SerialLink {
public:
    SerialLink();
    virtual ~SerialLink();

    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // Closes whatever port is open, then opens port n. Returns 1 when it opened, 0 otherwise (n <= 0 never opens).
    int openPort(int n);
    // Keeps port n open: an open port stays as it is while it is port n on the same device, reports no error and
    // its device is still there; otherwise whatever is open is closed and port n opened (openPort). Returns 1
    // when port n is open afterwards.
    int holdPort(int n);
    void closePort();

    int portNumber() const;
    int baudRate() const;
    bool isOpen() const;
    // Successful opens since construction; a held port does not add to it.
    int openCount() const;

    // Device path of port n: "/dev/ttyS<n-1>", or the pattern with %d replaced by n-1 (e.g. "/dev/ttyUSB%d"); a
    // pattern without %d is the device's path itself ("/dev/ttyUSB0").
    void setDevicePattern(const QString& pattern);
    static QString deviceName(int n, const QString& pattern);

private:
    void closeLocked();
    int openLocked(int n);
    bool healthyLocked(int n) const;

    mutable std::mutex m_lock;
    int m_portNumber = 0;
    int m_baudRate = 0;
    std::unique_ptr<QSerialPort> m_port;
    QString m_pattern;
    QString m_deviceName; // the path the open port was opened by
    int m_openCount = 0;
};

} // namespace quorvan
