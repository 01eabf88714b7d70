#pragma once

#include "platform/bilingual.h"

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

    // The troubles of a serial device that the program names in its own
    // words; the system's own text comes with each as a detail.
    enum class PortError {
        None,
        NotFound,   // the device is not there (any more)
        Permission, // the user may not open it
        Busy,       // another program holds it
        Removed,    // it went away while open
        Other,
    };
    struct PortFailure
    {
        PortError error = PortError::None;
        QString device;
        QString detail;
    };

    // False when the port does not open; openFailure() then says why.
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

    // Why the last open() failed: no error after one that succeeded, or
    // when COMn stands for no device at all (nothing to open, nothing wrong).
    const PortFailure &openFailure() const { return m_openFailure; }

    // The one way a port that closed itself on a device error tells the
    // link: `handler` gets the reason. Timeouts and unsupported line
    // signals are no device errors.
    void setClosedOnError(std::function<void(const PortFailure &reason)> handler)
    {
        m_closedOnError = std::move(handler);
    }

protected:
    void setOpenFailure(PortFailure failure) { m_openFailure = std::move(failure); }
    void reportClosedOnError(const PortFailure &reason) const
    {
        if (m_closedOnError)
            m_closedOnError(reason);
    }

private:
    std::function<void(const PortFailure &)> m_closedOnError;
    PortFailure m_openFailure;
};

// What a user can do about a serial device the system does not let them
// open, where the system has a usual remedy; empty elsewhere.
inline Bilingual permissionAdvice()
{
#ifdef Q_OS_LINUX
    return {QStringLiteral("On Linux: sudo usermod -aG dialout $USER, then log out and log in again."),
            QStringLiteral("Su Linux: sudo usermod -aG dialout $USER, poi uscire e rientrare nella sessione.")};
#else
    return {};
#endif
}

} // namespace platform
