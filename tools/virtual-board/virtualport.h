#pragma once

#include "platform/serialport.h"
#include "virtualboard.h"

#include <QList>
#include <QMap>
#include <QString>

// The virtual board behind the serial seam, in process, on a clock the test
// moves. Port `boardPort` reaches the board; the ports in `silentPorts` open
// but nothing answers there; those in `refusedPorts` are there but do not
// open, for the reason given; every other port stands for no device.
namespace board {

class VirtualSerialPort final : public platform::SerialPort
{
public:
    explicit VirtualSerialPort(VirtualBoard &board, int boardPort = 1);

    QList<int> silentPorts;
    QMap<int, PortFailure> refusedPorts;
    // Every frame the program wrote, in order, and the port it went to.
    struct Written
    {
        int port;
        QByteArray bytes;
    };
    QList<Written> written;
    // Port errors seen (a vanished board closes the port with one error,
    // reported as a closing on error).
    int errors = 0;

    // Moves the clock and delivers the replies now due.
    void advance(qint64 ms);
    qint64 now() const { return m_now; }
    int portNumber() const { return m_open; }

    bool open(int portNumber) override;
    void close() override;
    bool isOpen() const override { return m_open != 0; }
    void write(const QByteArray &bytes) override;
    qsizetype bytesWaiting() override;
    QByteArray readAll() override;
    void flush() override;
    // Moves the clock a millisecond at a time, at most `msecs`, until
    // `count` bytes wait.
    bool waitForBytes(qsizetype count, int msecs) override;
    // "virtual board" on the board's port, "virtual line" on a silent one, the
    // device of a refused one.
    QString portDevice(int portNumber) const override;
    // The same, with "Orvanta virtual board" as the board port's description;
    // `enumerations` counts the calls.
    QList<PortDevice> portDevices(int count) const override;
    mutable int enumerations = 0;

private:
    void deliver();
    // True when the board behind the open port has vanished: the port is
    // then closed and the error counted.
    bool lost();

    VirtualBoard &m_board;
    int m_boardPort;
    int m_open = 0;
    qint64 m_now = 0;
    QByteArray m_received;
    struct Pending
    {
        qint64 due;
        QByteArray bytes;
    };
    QList<Pending> m_pending;
};

} // namespace board
