#pragma once

#include "platform/serialport.h"

#include <QObject>
#include <QSerialPortInfo>
#include <QString>

class QSerialPort;

namespace platform {

// SerialPort over QSerialPort, 38400 8N1, never blocking: bytes that arrive
// collect in a receive buffer that bytesWaiting() and readAll() read.
//
// "COMn" is the port of that name on Windows. On Linux it is the n-th serial
// device in a stable order: ttyUSB* first, then ttyACM*, then the rest, each
// group in natural order (ttyUSB2 before ttyUSB10); on macOS the cu.* devices
// in the same order. When ORVANTA_PORT_DIR is set, COMn is the file
// $ORVANTA_PORT_DIR/COMn instead (a link to a pseudo-terminal, as the virtual
// board tool makes); the variable is read at every open.
//
// A device that does not open says why through openFailure(). The first real
// error closes the port and is reported through reportClosedOnError: a device that vanishes makes QSerialPort report
// read errors in a tight loop while it still looks open. Errors that only say an operation is unsupported (line signals
// on a pseudo-terminal) or that a wait ran out (TimeoutError) are no device errors and are ignored.
class QtSerialPort final : public QObject, public SerialPort
{
    Q_OBJECT
public:
    explicit QtSerialPort(QObject *parent = nullptr);
    ~QtSerialPort() override;

    bool open(int portNumber) override;
    void close() override;
    bool isOpen() const override;
    void write(const QByteArray &bytes) override;
    qsizetype bytesWaiting() override;
    QByteArray readAll() override;
    // Drops what waits in the receive buffer and what is not yet sent.
    void flush() override;
    // Blocks, at most `msecs`, until `count` bytes wait.
    bool waitForBytes(qsizetype count, int msecs) override;
    // devicePath(portNumber), or the device set.
    QString portDevice(int portNumber) const override { return pathOf(portNumber); }
    // The devices with QSerialPortInfo's descriptions, from one enumeration.
    QList<PortDevice> portDevices(int count) const override;

    // From now on COM1 stands for `path` (any serial device or
    // pseudo-terminal) and no other port stands for anything: the command
    // line's --device. An empty path goes back to the usual numbering.
    void setDevice(const QString &path) { m_device = path; }

    // The devices COM1..COM16 stand for, in order (not used while
    // ORVANTA_PORT_DIR is set).
    static QList<QSerialPortInfo> orderedPorts();
    // The device path COMn stands for now, or an empty string when there is
    // none.
    static QString devicePath(int portNumber);

    // Errors that closed the port since this object was made, and the last
    // one's text.
    int errorsHandled() const { return m_errorsHandled; }
    QString lastError() const { return m_lastError; }

private:
    void pull();
    void onError(int error);
    QString pathOf(int portNumber) const;

    QSerialPort *m_port = nullptr; // a child; deleted later, never inside its own signal
    QString m_path;                // the device it has open
    QString m_device;              // see setDevice
    QByteArray m_received;
    int m_errorsHandled = 0;
    QString m_lastError;
};

} // namespace platform
