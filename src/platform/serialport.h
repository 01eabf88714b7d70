#pragma once

#include <QByteArray>

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
};

} // namespace platform
