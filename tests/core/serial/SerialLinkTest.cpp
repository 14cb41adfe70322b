#include "core/serial/SerialLink.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <pty.h>
#include <termios.h>
#include <unistd.h>

using quorvan::SerialLink;

namespace {

// A pseudo-terminal whose slave side is reachable as "<tmp>/ttyQ0", so that a SerialLink with the device pattern
// "<tmp>/ttyQ%d" finds it as port 1. The lock file QSerialPort takes is named after the full path, so every
// instance has its own lock and parallel test runs do not collide.
class PseudoTerminal {
public:
    PseudoTerminal() {
        if (::openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) != 0)
            return;
        const char* slaveName = ::ttyname(m_slave);
        if (slaveName && m_dir.isValid())
            m_linked = QFile::link(QString::fromLocal8Bit(slaveName), m_dir.path() + QStringLiteral("/ttyQ0"));
    }
    ~PseudoTerminal() {
        if (m_slave >= 0)
            ::close(m_slave);
        if (m_master >= 0)
            ::close(m_master);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool ready() const { return m_master >= 0 && m_slave >= 0 && m_linked; }
    // Port 1 is the terminal; port 2 names a device that does not exist.
    QString pattern() const { return m_dir.path() + QStringLiteral("/ttyQ%d"); }

    termios lineSettings() const {
        termios t{};
        EXPECT_EQ(::tcgetattr(m_slave, &t), 0);
        return t;
    }

    // Puts the line into a state unlike the one the connection must set: 19200 baud, two stop bits, canonical
    // mode with echo and output processing. (The pty driver keeps every slave at 8 data bits without parity, so
    // those two cannot be scrambled here.)
    void scrambleLine() const {
        termios t = lineSettings();
        t.c_cflag |= CSTOPB;
        t.c_lflag |= ICANON | ECHO;
        t.c_oflag |= OPOST;
        t.c_iflag |= ISTRIP;
        cfsetispeed(&t, B19200);
        cfsetospeed(&t, B19200);
        ASSERT_EQ(::tcsetattr(m_slave, TCSANOW, &t), 0);
        const termios now = lineSettings();
        ASSERT_NE(now.c_cflag & CSTOPB, 0u);
        ASSERT_NE(now.c_lflag & ICANON, 0u);
        ASSERT_EQ(cfgetospeed(&now), speed_t(B19200));
    }

private:
    QTemporaryDir m_dir;
    int m_master = -1;
    int m_slave = -1;
    bool m_linked = false;
};

void expectClosed(const SerialLink& com) {
    EXPECT_FALSE(com.isOpen());
    EXPECT_EQ(com.portNumber(), 0);
    EXPECT_EQ(com.baudRate(), 0);
}

void expectOpenOnPort1(const SerialLink& com) {
    EXPECT_TRUE(com.isOpen());
    EXPECT_EQ(com.portNumber(), 1);
    EXPECT_EQ(com.baudRate(), 9600);
}

// 9600 baud, 8N1, raw: bytes pass both ways unchanged.
void expectLineConfigured(const termios& t) {
    EXPECT_EQ(cfgetospeed(&t), speed_t(B9600));
    EXPECT_EQ(cfgetispeed(&t), speed_t(B9600));
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(t.c_cflag & PARENB, 0u);
    EXPECT_EQ(t.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_iflag & ISTRIP, 0u);
}

} // namespace

TEST(SerialLinkTest, StartsClosed) {
    SerialLink com;
    expectClosed(com);
    com.closePort(); // closing with nothing open is harmless
    expectClosed(com);
}

TEST(SerialLinkTest, OpensAndConfiguresTheLine) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.ready());
    pty.scrambleLine();

    SerialLink com;
    com.setDevicePattern(pty.pattern());
    ASSERT_EQ(com.openPort(1), 1);
    expectOpenOnPort1(com);
    expectLineConfigured(pty.lineSettings());

    // The timer re-opens the same port every second: it must stay open and configured each time.
    pty.scrambleLine();
    EXPECT_EQ(com.openPort(1), 1);
    expectOpenOnPort1(com);
    expectLineConfigured(pty.lineSettings());
    EXPECT_EQ(com.openPort(1), 1);
    expectOpenOnPort1(com);
}

TEST(SerialLinkTest, PortNumbersBelowOneNeverOpenAndCloseTheOpenPort) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.ready());

    SerialLink com;
    com.setDevicePattern(pty.pattern());
    ASSERT_EQ(com.openPort(1), 1);
    EXPECT_EQ(com.openPort(0), 0);
    expectClosed(com);

    // The port really was released: another connection can take it now.
    {
        SerialLink other;
        other.setDevicePattern(pty.pattern());
        EXPECT_EQ(other.openPort(1), 1);
    }

    ASSERT_EQ(com.openPort(1), 1);
    EXPECT_EQ(com.openPort(-1), 0);
    expectClosed(com);
    EXPECT_EQ(com.openPort(-2147483647 - 1), 0);
    expectClosed(com);
}

TEST(SerialLinkTest, FailedOpenLeavesNothingOpenAndTheNextOpenWorks) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.ready());

    SerialLink com;
    com.setDevicePattern(pty.pattern());
    EXPECT_EQ(com.openPort(2), 0); // <tmp>/ttyQ1 does not exist
    expectClosed(com);
    EXPECT_EQ(com.openPort(2), 0);
    expectClosed(com);

    ASSERT_EQ(com.openPort(1), 1);
    expectOpenOnPort1(com);

    // Switching from a working port to a missing one closes the working one first.
    EXPECT_EQ(com.openPort(2), 0);
    expectClosed(com);
    SerialLink other;
    other.setDevicePattern(pty.pattern());
    EXPECT_EQ(other.openPort(1), 1);
}

TEST(SerialLinkTest, ClosePortClearsAndReleasesThePort) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.ready());

    SerialLink com;
    com.setDevicePattern(pty.pattern());
    ASSERT_EQ(com.openPort(1), 1);
    com.closePort();
    expectClosed(com);
    com.closePort();
    expectClosed(com);

    SerialLink other;
    other.setDevicePattern(pty.pattern());
    EXPECT_EQ(other.openPort(1), 1);
}

TEST(SerialLinkTest, PortIsHeldExclusively) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.ready());

    SerialLink first;
    first.setDevicePattern(pty.pattern());
    SerialLink second;
    second.setDevicePattern(pty.pattern());

    ASSERT_EQ(first.openPort(1), 1);
    EXPECT_EQ(second.openPort(1), 0);
    expectClosed(second);
    expectOpenOnPort1(first); // the failed attempt does not disturb the holder

    first.closePort();
    EXPECT_EQ(second.openPort(1), 1);
    EXPECT_EQ(first.openPort(1), 0);
    expectClosed(first);

    // Destroying the holder releases the port.
    {
        SerialLink holder;
        holder.setDevicePattern(pty.pattern());
        second.closePort();
        ASSERT_EQ(holder.openPort(1), 1);
        EXPECT_EQ(first.openPort(1), 0);
    }
    EXPECT_EQ(first.openPort(1), 1);
}

TEST(SerialLinkTest, DeviceNames) {
    EXPECT_EQ(SerialLink::deviceName(1, {}), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(SerialLink::deviceName(12, {}), QStringLiteral("/dev/ttyS11"));
    EXPECT_EQ(SerialLink::deviceName(1, QStringLiteral("/dev/ttyUSB%d")), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(SerialLink::deviceName(11, QStringLiteral("/dev/ttyUSB%d")), QStringLiteral("/dev/ttyUSB10"));
    EXPECT_EQ(SerialLink::deviceName(3, QStringLiteral("/tmp/x/ttyQ%d")), QStringLiteral("/tmp/x/ttyQ2"));
}
