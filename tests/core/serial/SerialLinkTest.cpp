#include "PseudoTerminal.h"

#include "core/serial/SerialLink.h"

#include <gtest/gtest.h>

#include <termios.h>

using quorvan::SerialLink;
using quorvan::test::PseudoTerminal;

namespace {

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
    // A pattern without %d names the device, for every port number.
    EXPECT_EQ(SerialLink::deviceName(1, QStringLiteral("/dev/ttyUSB0")), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(SerialLink::deviceName(4, QStringLiteral(" /dev/ttyACM1 ")), QStringLiteral("/dev/ttyACM1"));
}

TEST(SerialLinkTest, HoldPortKeepsAHealthyPortOpenTickAfterTick) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.ready());
    SerialLink com;
    com.setDevicePattern(pty.pattern());
    ASSERT_EQ(com.holdPort(1), 1);
    expectOpenOnPort1(com);
    // From now on the connection holds the only descriptor of the terminal: a close would hang it up.
    pty.releaseSlave();
    for (int tick = 0; tick < 5; ++tick) {
        EXPECT_EQ(com.holdPort(1), 1) << tick;
        expectOpenOnPort1(com);
    }
    EXPECT_EQ(com.openCount(), 1) << "opened once, never closed and opened again";
    EXPECT_FALSE(pty.hungUp()) << "the line is up";
}

TEST(SerialLinkTest, HoldPortMovesToAnotherPortOrDeviceAtOnce) {
    PseudoTerminal first;
    ASSERT_TRUE(first.ready());
    PseudoTerminal second(first, 1); // "ttyQ1" beside "ttyQ0": port 2 of the same pattern
    ASSERT_TRUE(second.ready());
    SerialLink com;
    com.setDevicePattern(first.pattern());
    ASSERT_EQ(com.holdPort(1), 1);
    first.releaseSlave();

    // com changes from 1 to 2: the first terminal is released, the second opened.
    EXPECT_EQ(com.holdPort(2), 1);
    EXPECT_EQ(com.portNumber(), 2);
    EXPECT_TRUE(first.hungUp());
    EXPECT_EQ(com.openCount(), 2);

    // A changed device pattern opens the port of the new pattern, even with the same number.
    PseudoTerminal elsewhere;
    ASSERT_TRUE(elsewhere.ready());
    com.setDevicePattern(elsewhere.pattern());
    EXPECT_EQ(com.holdPort(2), 0) << "the new pattern has no ttyQ1";
    EXPECT_FALSE(com.isOpen());
    EXPECT_EQ(com.holdPort(1), 1);
    EXPECT_EQ(com.openCount(), 3);
}

TEST(SerialLinkTest, HoldPortRecoversWhenTheDeviceGoesAndComesBack) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.ready());
    SerialLink com;
    com.setDevicePattern(pty.pattern());
    ASSERT_EQ(com.holdPort(1), 1);
    pty.releaseSlave();

    // The far side goes away with its name: the next tick sees the hang-up and lets the port go; nothing opens
    // meanwhile.
    pty.hangUp();
    pty.removeLink();
    EXPECT_EQ(com.holdPort(1), 0);
    expectClosed(com);
    EXPECT_EQ(com.holdPort(1), 0);

    // It comes back under the same name: the next tick opens it.
    ASSERT_TRUE(pty.reopen());
    EXPECT_EQ(com.holdPort(1), 1);
    expectOpenOnPort1(com);
    expectLineConfigured(pty.lineSettings());
    EXPECT_EQ(com.openCount(), 2);
}
