#pragma once

#include "platform/serialport.h"

#include <QObject>
#include <QSerialPortInfo>

#include <memory>

class QSerialPort;

namespace platform {

// SerialPort over QSerialPort. "COMn" is the port of that name on Windows;
// elsewhere the n-th serial device in a stable order, USB serial devices first.
// The first error closes the port: a device that vanishes makes QSerialPort
// report errors in a tight loop.
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
    void flush() override;

    // The devices COM1..COM16 stand for, in order.
    static QList<QSerialPortInfo> orderedPorts();

private:
    void pull();

    std::unique_ptr<QSerialPort> m_port;
    QByteArray m_received;
};

} // namespace platform
