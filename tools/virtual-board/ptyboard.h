#pragma once

#include "virtualboard.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QSocketNotifier;
class QTextStream;

// A VirtualBoard served on a POSIX pseudo-terminal, so that the program talks
// to it through its ordinary serial port. The pseudo-terminal's device is
// linked as DIR/COMn; run the program with ORVANTA_PORT_DIR=DIR to reach it.
//
// The board survives the program closing and reopening the port. vanish()
// closes the pseudo-terminal as an unplugged adapter would: the program's
// open port fails and the link goes away. The fault `vanishAfter` of the
// board's faults calls it by itself.
class PtyBoard : public QObject
{
    Q_OBJECT
public:
    explicit PtyBoard(QObject *parent = nullptr);
    ~PtyBoard() override;

    board::VirtualBoard &board() { return m_board; }

    // Opens the pseudo-terminal and links DIR/COM<portNumber> to it (an
    // existing link of that name is replaced). False, with errorString(),
    // when no pseudo-terminal can be made or the link cannot be written.
    bool start(const QString &dir, int portNumber = 1);
    bool isRunning() const { return m_master >= 0; }
    QString errorString() const { return m_error; }
    QString devicePath() const { return m_devicePath; } // /dev/pts/N
    QString linkPath() const { return m_linkPath; }     // DIR/COMn

    // Every frame in and every chunk out, in hex, with the milliseconds since
    // the board was made. nullptr: no log.
    void setLog(QTextStream *log) { m_log = log; }

    // The device is gone.
    void vanish();

Q_SIGNALS:
    void vanished();

private:
    void readMaster();
    void send(const QByteArray &bytes);
    void logLine(const QString &direction, QByteArrayView bytes, const QString &note = {});
    void stop();

    board::VirtualBoard m_board;
    int m_master = -1;
    int m_slave = -1; // held open so the master never sees the line hang up
    QSocketNotifier *m_notifier = nullptr;
    QString m_devicePath;
    QString m_linkPath;
    QString m_error;
    QTextStream *m_log = nullptr;
    QElapsedTimer m_clock;
};
