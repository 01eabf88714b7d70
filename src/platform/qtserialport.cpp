#include "platform/qtserialport.h"

#include <QSerialPort>

#include <algorithm>

namespace platform {

QtSerialPort::QtSerialPort(QObject *parent)
    : QObject(parent)
{
}

QtSerialPort::~QtSerialPort() { close(); }

QList<QSerialPortInfo> QtSerialPort::orderedPorts()
{
    QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    auto isUsb = [](const QSerialPortInfo &p) {
        return p.hasVendorIdentifier() || p.portName().contains(QStringLiteral("USB"))
               || p.portName().contains(QStringLiteral("ACM"));
    };
    std::stable_sort(ports.begin(), ports.end(), [&](const QSerialPortInfo &a, const QSerialPortInfo &b) {
        if (isUsb(a) != isUsb(b))
            return isUsb(a);
        return a.portName() < b.portName();
    });
    return ports;
}

bool QtSerialPort::open(int portNumber)
{
    close();
    if (portNumber < 1 || portNumber > 16)
        return false;
    QString name;
#ifdef Q_OS_WIN
    name = QStringLiteral("COM%1").arg(portNumber);
#else
    const QList<QSerialPortInfo> ports = orderedPorts();
    if (portNumber > ports.size())
        return false;
    name = ports.at(portNumber - 1).portName();
#endif
    auto port = std::make_unique<QSerialPort>(name);
    port->setBaudRate(QSerialPort::Baud38400);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite))
        return false;
    connect(port.get(), &QSerialPort::readyRead, this, &QtSerialPort::pull);
    connect(
        port.get(), &QSerialPort::errorOccurred, this,
        [this](QSerialPort::SerialPortError error) {
            if (error != QSerialPort::NoError)
                close();
        },
        Qt::QueuedConnection);
    m_port = std::move(port);
    m_received.clear();
    return true;
}

void QtSerialPort::close()
{
    if (m_port) {
        m_port->disconnect(this);
        if (m_port->isOpen())
            m_port->close();
        m_port.reset();
    }
    m_received.clear();
}

bool QtSerialPort::isOpen() const { return m_port && m_port->isOpen(); }

void QtSerialPort::write(const QByteArray &bytes)
{
    if (isOpen())
        m_port->write(bytes);
}

void QtSerialPort::pull()
{
    if (isOpen())
        m_received.append(m_port->readAll());
}

qsizetype QtSerialPort::bytesWaiting()
{
    pull();
    return m_received.size();
}

QByteArray QtSerialPort::readAll()
{
    pull();
    return std::exchange(m_received, QByteArray());
}

void QtSerialPort::flush()
{
    pull();
    m_received.clear();
}

} // namespace platform
