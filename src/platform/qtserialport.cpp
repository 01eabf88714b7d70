#include "platform/qtserialport.h"

#include <QCollator>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QSerialPort>

#include <algorithm>

namespace platform {

namespace {

constexpr int kPortCount = 16;

// USB serial converters first, then USB modems (CDC ACM), then the rest.
int group(const QString &name)
{
#ifdef Q_OS_MACOS
    if (name.startsWith(QLatin1String("cu.usbserial")))
        return 0;
    if (name.startsWith(QLatin1String("cu.usbmodem")))
        return 1;
#else
    if (name.startsWith(QLatin1String("ttyUSB")))
        return 0;
    if (name.startsWith(QLatin1String("ttyACM")))
        return 1;
#endif
    return 2;
}

QString portDirectory() { return qEnvironmentVariable("ORVANTA_PORT_DIR"); }

// Qt's error in the program's terms. Qt reports a device that another
// program holds (EBUSY, or its lock file) as a permission error, like one the
// user may not open: the device's own permissions tell the two apart.
SerialPort::PortError portError(int error, const QString &path)
{
    using E = SerialPort::PortError;
    switch (error) {
    case QSerialPort::DeviceNotFoundError: return E::NotFound;
    case QSerialPort::PermissionError: {
#ifdef Q_OS_WIN
        // Windows denies a port that another program has open.
        return E::Busy;
#else
        const QFileInfo device(path);
        return device.isReadable() && device.isWritable() ? E::Busy : E::Permission;
#endif
    }
    case QSerialPort::OpenError: return E::Busy;
    // An open device that can no longer be read or written has gone, as far
    // as the link can tell (a pulled cable shows as either).
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError: return E::Removed;
    default: return E::Other;
    }
}

} // namespace

QtSerialPort::QtSerialPort(QObject *parent)
    : QObject(parent)
{
}

QtSerialPort::~QtSerialPort() { close(); }

QList<QSerialPortInfo> QtSerialPort::orderedPorts()
{
    QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
#ifdef Q_OS_MACOS
    ports.removeIf([](const QSerialPortInfo &p) { return !p.portName().startsWith(QLatin1String("cu.")); });
#endif
    // Numbers in names compare by value, so "ttyUSB2" comes before "ttyUSB10";
    // one fixed locale keeps the order the same on every machine (the C
    // locale's collation has no numeric mode).
    QCollator natural{QLocale(QLocale::English)};
    natural.setNumericMode(true);
    std::sort(ports.begin(), ports.end(), [&natural](const QSerialPortInfo &a, const QSerialPortInfo &b) {
        const int ga = group(a.portName());
        const int gb = group(b.portName());
        if (ga != gb)
            return ga < gb;
        return natural.compare(a.portName(), b.portName()) < 0;
    });
    return ports;
}

QString QtSerialPort::devicePath(int portNumber)
{
    if (portNumber < 1 || portNumber > kPortCount)
        return {};
    const QString name = QStringLiteral("COM%1").arg(portNumber);
    const QString dir = portDirectory();
    if (!dir.isEmpty()) {
        const QString path = QDir(dir).filePath(name);
        // A link whose device has gone counts as no port.
        return QFileInfo::exists(path) ? path : QString();
    }
#ifdef Q_OS_WIN
    return name;
#else
    const QList<QSerialPortInfo> ports = orderedPorts();
    return portNumber <= ports.size() ? ports.at(portNumber - 1).systemLocation() : QString();
#endif
}

QString QtSerialPort::pathOf(int portNumber) const
{
    if (m_device.isEmpty())
        return devicePath(portNumber);
    return portNumber == 1 ? m_device : QString();
}

QList<SerialPort::PortDevice> QtSerialPort::portDevices(int count) const
{
    QList<PortDevice> devices;
    if (!m_device.isEmpty()) {
        for (int n = 1; n <= count && n <= kPortCount; ++n)
            devices.append({pathOf(n), QString()});
        return devices;
    }
    const QString dir = portDirectory();
    QList<QSerialPortInfo> ports;
#ifndef Q_OS_WIN
    if (dir.isEmpty())
        ports = orderedPorts();
#else
    if (dir.isEmpty())
        ports = QSerialPortInfo::availablePorts();
#endif
    for (int n = 1; n <= count && n <= kPortCount; ++n) {
        PortDevice device;
        if (!dir.isEmpty()) {
            device.path = devicePath(n);
        } else {
#ifdef Q_OS_WIN
            const QString name = QStringLiteral("COM%1").arg(n);
            device.path = name;
            for (const QSerialPortInfo &info : ports)
                if (info.portName() == name)
                    device.description = info.description();
#else
            if (n <= ports.size()) {
                device.path = ports.at(n - 1).systemLocation();
                device.description = ports.at(n - 1).description();
            }
#endif
        }
        devices.append(device);
    }
    return devices;
}

bool QtSerialPort::open(int portNumber)
{
    close();
    setOpenFailure({});
    const QString path = pathOf(portNumber);
    if (path.isEmpty())
        return false;
    auto *port = new QSerialPort(path, this);
    port->setBaudRate(QSerialPort::Baud38400);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite)) {
        setOpenFailure({portError(port->error(), path), path, port->errorString()});
        delete port;
        return false;
    }
    m_port = port;
    m_path = path;
    m_received.clear();
    connect(port, &QSerialPort::readyRead, this, &QtSerialPort::pull);
    connect(port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) { onError(error); });
    return true;
}

void QtSerialPort::onError(int error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::UnsupportedOperationError
        || error == QSerialPort::TimeoutError || !m_port)
        return;
    ++m_errorsHandled;
    m_lastError = m_port->errorString();
    const PortFailure reason{portError(error, m_path), m_path, m_lastError};
    close();
    reportClosedOnError(reason);
}

void QtSerialPort::close()
{
    if (m_port) {
        // Signals first: a failing device keeps reporting until it is closed.
        m_port->disconnect(this);
        if (m_port->isOpen())
            m_port->close();
        // This may run inside the port's own error signal.
        m_port->deleteLater();
        m_port = nullptr;
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
    m_received.clear();
    if (isOpen())
        m_port->clear(QSerialPort::AllDirections);
}

bool QtSerialPort::waitForBytes(qsizetype count, int msecs)
{
    const QDeadlineTimer deadline(msecs);
    while (bytesWaiting() < count && isOpen() && !deadline.hasExpired()) {
        // An error met while waiting closes the port, and m_port with it.
        if (!m_port->waitForReadyRead(int(deadline.remainingTime())))
            break;
    }
    return bytesWaiting() >= count;
}

} // namespace platform
