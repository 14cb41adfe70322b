#pragma once

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace quorvan::test {

// A pseudo-terminal whose slave side is reachable as "<tmp>/ttyQ<index>", so that a SerialLink with the device
// pattern "<tmp>/ttyQ%d" finds it as port index + 1. The lock file QSerialPort takes is named after the full
// path, so every instance has its own lock and parallel test runs do not collide.
class PseudoTerminal {
public:
    PseudoTerminal() { open(); }
    // A second terminal in the folder of another, as port index + 1 of the same pattern.
    PseudoTerminal(const PseudoTerminal& folderOf, int index) : m_folder(folderOf.folder()), m_index(index) { open(); }
    ~PseudoTerminal() { closeBoth(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool ready() const { return m_master >= 0 && m_linked; }
    QString folder() const { return m_folder.isEmpty() ? m_dir.path() : m_folder; }
    // Port index + 1 is this terminal; other numbers name devices that do not exist unless made.
    QString pattern() const { return folder() + QStringLiteral("/ttyQ%d"); }

    termios lineSettings() const {
        termios t{};
        const int fd = m_slave >= 0 ? m_slave : m_master;
        EXPECT_EQ(::tcgetattr(fd, &t), 0);
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

    // Closes the test's own slave descriptor, so that the program's is the only one: its close hangs the line up.
    void releaseSlave() {
        if (m_slave >= 0)
            ::close(m_slave);
        m_slave = -1;
    }
    // Whether the master side has seen every slave descriptor closed.
    bool hungUp() const {
        pollfd state{m_master, POLLIN, 0};
        return ::poll(&state, 1, 0) > 0 && (state.revents & POLLHUP);
    }
    // The far side goes away: the master is closed, and the link keeps naming the dead terminal.
    void hangUp() {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }
    // The name goes too, as the node of an unplugged adapter does. (A terminal number freed here may be taken at
    // once by another process's new terminal, which the old name would then reach.)
    void removeLink() { QFile::remove(linkPath()); }
    // A new terminal under the same name, as a device that comes back.
    bool reopen() {
        closeBoth();
        QFile::remove(linkPath());
        return open();
    }

private:
    QString linkPath() const { return folder() + QStringLiteral("/ttyQ") + QString::number(m_index); }
    bool open() {
        if (::openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) != 0)
            return false;
        const char* slaveName = ::ttyname(m_slave);
        m_linked = slaveName && (!m_folder.isEmpty() || m_dir.isValid()) &&
                   QFile::link(QString::fromLocal8Bit(slaveName), linkPath());
        return ready();
    }
    void closeBoth() {
        releaseSlave();
        hangUp();
    }

    QTemporaryDir m_dir;
    QString m_folder; // set when the terminal lives in another one's folder
    int m_index = 0;
    int m_master = -1;
    int m_slave = -1;
    bool m_linked = false;
};

} // namespace quorvan::test
