#include "virtualport.h"

#include <algorithm>

namespace board {

VirtualSerialPort::VirtualSerialPort(VirtualBoard &board, int boardPort)
    : m_board(board)
    , m_boardPort(boardPort)
{
}

bool VirtualSerialPort::open(int portNumber)
{
    close();
    setOpenFailure(refusedPorts.value(portNumber));
    if (refusedPorts.contains(portNumber))
        return false;
    if ((portNumber == m_boardPort && !m_board.vanished()) || silentPorts.contains(portNumber)) {
        m_open = portNumber;
        return true;
    }
    return false;
}

void VirtualSerialPort::close()
{
    if (m_open == m_boardPort)
        m_board.resetInput();
    m_open = 0;
    m_received.clear();
    m_pending.clear();
}

bool VirtualSerialPort::lost()
{
    if (m_open != m_boardPort || !m_board.vanished())
        return false;
    close();
    ++errors;
    reportClosedOnError({PortError::Removed, portDevice(m_boardPort), QStringLiteral("The device has gone")});
    return true;
}

void VirtualSerialPort::write(const QByteArray &bytes)
{
    if (m_open == 0 || lost())
        return;
    written.append({m_open, bytes});
    if (m_open != m_boardPort)
        return;
    for (const VirtualBoard::Chunk &chunk : m_board.receive(bytes)) {
        const Pending pending{m_now + chunk.delayMs, chunk.bytes};
        // Keep the wire in order of arrival; equal times stay in write order.
        const auto at = std::upper_bound(m_pending.begin(), m_pending.end(), pending.due,
                                         [](qint64 due, const Pending &p) { return due < p.due; });
        m_pending.insert(at, pending);
    }
}

void VirtualSerialPort::advance(qint64 ms)
{
    m_now += ms;
    deliver();
}

void VirtualSerialPort::deliver()
{
    while (!m_pending.isEmpty() && m_pending.constFirst().due <= m_now)
        m_received.append(m_pending.takeFirst().bytes);
}

qsizetype VirtualSerialPort::bytesWaiting()
{
    if (m_open == 0 || lost())
        return 0;
    return m_received.size();
}

QByteArray VirtualSerialPort::readAll()
{
    if (m_open == 0 || lost())
        return {};
    return std::exchange(m_received, QByteArray());
}

void VirtualSerialPort::flush()
{
    // Only what has arrived; replies still on the line arrive later.
    m_received.clear();
}

bool VirtualSerialPort::waitForBytes(qsizetype count, int msecs)
{
    for (int waited = 0; waited < msecs && isOpen() && bytesWaiting() < count; ++waited)
        advance(1);
    return bytesWaiting() >= count;
}

QString VirtualSerialPort::portDevice(int portNumber) const
{
    if (portNumber == m_boardPort)
        return QStringLiteral("virtual board");
    if (refusedPorts.contains(portNumber))
        return refusedPorts.value(portNumber).device;
    return silentPorts.contains(portNumber) ? QStringLiteral("virtual line") : QString();
}

QList<platform::SerialPort::PortDevice> VirtualSerialPort::portDevices(int count) const
{
    ++enumerations;
    QList<PortDevice> devices;
    for (int n = 1; n <= count; ++n)
        devices.append({portDevice(n), n == m_boardPort ? QStringLiteral("Orvanta virtual board") : QString()});
    return devices;
}

} // namespace board
