#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace platform {

// The board's serial line as the board link sees it: port n (1..16) at
// 38400 baud, 8 data bits, no parity, 1 stop bit. Nothing here blocks: bytes
// that arrive wait in a receive buffer until the 50 ms tick reads them.
class SerialPort
{
public:
    virtual ~SerialPort() = default;

    virtual bool open(int portNumber) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual void write(const QByteArray &bytes) = 0;
    virtual qsizetype bytesWaiting() = 0;
    virtual QByteArray readAll() = 0;
    // Drops whatever waits in the receive buffer.
    virtual void flush() = 0;

    // Waits at most `msecs` until `count` bytes wait; true when they do. Only
    // the manual port test waits: everything else reads on the tick.
    virtual bool waitForBytes(qsizetype count, int msecs)
    {
        Q_UNUSED(msecs);
        return bytesWaiting() >= count;
    }
    // The device COMn stands for, shown beside the port's menu item; empty
    // when there is none.
    virtual QString portDevice(int portNumber) const
    {
        Q_UNUSED(portNumber);
        return QString();
    }

    // What stands behind COM1..COMcount, all found in one look at the
    // system: the device and the description it gives of itself (either
    // empty when there is none).
    struct PortDevice
    {
        QString path;
        QString description;
    };
    virtual QList<PortDevice> portDevices(int count) const
    {
        QList<PortDevice> devices;
        for (int n = 1; n <= count; ++n)
            devices.append({portDevice(n), QString()});
        return devices;
    }

    // The one way a port that closed itself on a device error tells the
    // link: `handler` gets the reason. Timeouts and unsupported line
    // signals are no device errors.
    void setClosedOnError(std::function<void(const QString &reason)> handler) { m_closedOnError = std::move(handler); }

protected:
    void reportClosedOnError(const QString &reason) const
    {
        if (m_closedOnError)
            m_closedOnError(reason);
    }

private:
    std::function<void(const QString &)> m_closedOnError;
};

} // namespace platform
