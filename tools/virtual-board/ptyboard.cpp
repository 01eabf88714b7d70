#include "ptyboard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// While no program holds the line, reading the master may fail with EIO;
// the board then looks again this much later instead of spinning.
constexpr int kRetryMs = 100;

bool makeRaw(int fd)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return false;
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, B38400);
    ::cfsetospeed(&t, B38400);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    return ::tcsetattr(fd, TCSANOW, &t) == 0;
}

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

PtyBoard::PtyBoard(QObject *parent)
    : QObject(parent)
{
    m_clock.start();
    m_board.frameSeen = [this](QByteArrayView frame, bool answered) {
        logLine(QStringLiteral("<-"), frame, answered ? QString() : QStringLiteral("(no reply)"));
    };
}

PtyBoard::~PtyBoard() { stop(); }

bool PtyBoard::start(const QString &dir, int portNumber)
{
    stop();
    m_error.clear();
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        m_error = systemError("posix_openpt");
        return false;
    }
    const char *slaveName = nullptr;
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 || !(slaveName = ::ptsname(master))) {
        m_error = systemError("pseudo-terminal");
        ::close(master);
        return false;
    }
    m_devicePath = QString::fromLocal8Bit(slaveName);
    const int slave = ::open(slaveName, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave < 0) {
        m_error = systemError("open pseudo-terminal");
        ::close(master);
        return false;
    }
    // Raw both ways: the line discipline sits on the device side, which the
    // master's settings reach on some systems and the device's own on all.
    makeRaw(master);
    if (!makeRaw(slave)) {
        m_error = systemError("raw mode");
        ::close(slave);
        ::close(master);
        return false;
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);

    if (!QDir().mkpath(dir)) {
        m_error = QStringLiteral("cannot make the folder %1").arg(dir);
        ::close(slave);
        ::close(master);
        return false;
    }
    const QString link = QDir(dir).filePath(QStringLiteral("COM%1").arg(portNumber));
    if (QFileInfo(link).isSymLink() || QFileInfo::exists(link))
        QFile::remove(link);
    if (!QFile::link(m_devicePath, link)) {
        m_error = QStringLiteral("cannot link %1 to %2").arg(link, m_devicePath);
        ::close(slave);
        ::close(master);
        return false;
    }
    m_master = master;
    m_slave = slave;
    m_linkPath = link;
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyBoard::readMaster);
    return true;
}

void PtyBoard::readMaster()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            const QList<board::VirtualBoard::Chunk> chunks = m_board.receive(QByteArrayView(buffer, n));
            for (const board::VirtualBoard::Chunk &chunk : chunks) {
                const QByteArray bytes = chunk.bytes;
                QTimer::singleShot(chunk.delayMs, Qt::PreciseTimer, this, [this, bytes] { send(bytes); });
            }
            if (m_board.vanished()) {
                vanish();
                return;
            }
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        // EIO or end of file: nobody on the line. Look again later.
        m_notifier->setEnabled(false);
        QTimer::singleShot(kRetryMs, this, [this] {
            if (m_notifier)
                m_notifier->setEnabled(true);
        });
        return;
    }
}

void PtyBoard::send(const QByteArray &bytes)
{
    if (m_master < 0)
        return;
    logLine(QStringLiteral("->"), bytes);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            logLine(QStringLiteral("!!"), QByteArrayView(bytes).sliced(done), systemError("write"));
            return;
        }
    }
}

void PtyBoard::logLine(const QString &direction, QByteArrayView bytes, const QString &note)
{
    if (!m_log)
        return;
    *m_log << QStringLiteral("%1 ").arg(m_clock.elapsed(), 8) << direction << ' '
           << QString::fromLatin1(bytes.toByteArray().toHex(' ').toUpper());
    if (!note.isEmpty())
        *m_log << "  " << note;
    *m_log << Qt::endl;
}

void PtyBoard::vanish()
{
    if (m_master < 0)
        return;
    m_board.vanish();
    logLine(QStringLiteral("xx"), {}, QStringLiteral("device gone"));
    stop();
    Q_EMIT vanished();
}

void PtyBoard::stop()
{
    if (m_notifier) {
        // May run inside the notifier's own signal.
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
        m_notifier = nullptr;
    }
    // Only our own link: another board may have taken the name since.
    if (!m_linkPath.isEmpty() && QFileInfo(m_linkPath).symLinkTarget() == m_devicePath)
        QFile::remove(m_linkPath);
    m_linkPath.clear();
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
}
