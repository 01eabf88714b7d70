#include "board/link.h"

#include "board/frame.h"
#include "board/reports.h"
#include "store/numbers.h"

using platform::BilingualMessage;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace board {

namespace {


constexpr quint8 kGiveUp = 2;
constexpr int kLastPort = 16;

BilingualMessage message(const Bilingual &text, MsgIcon icon, const Bilingual &title = platform::warningTitle())
{
    return BilingualMessage{text, title, icon, MsgButtons::Ok, MsgResult::Ok};
}

bool isIdentifyReply(QByteArrayView bytes)
{
    return bytes.first(std::min<qsizetype>(3, bytes.size())) == ackReply('K');
}

// The next port, or the give-up state after the last one.
void nextPort(ScanState &state)
{
    ++state.port;
    state.usbState = state.port > kLastPort ? kGiveUp : 0;
}

} // namespace

ScanOutcome scanStep(ScanState &state, platform::SerialPort &port)
{
    switch (state.usbState) {
    case 0:
        if (!port.open(state.port)) {
            nextPort(state);
            return ScanOutcome::Searching;
        }
        state.usbRetry = 0;
        state.usbTick = 0;
        port.flush();
        port.write(identifyFrame());
        state.usbState = 1;
        return ScanOutcome::Searching;
    case 1:
        // Every identify command, the last one included, gets its four checks
        // before the next goes out or the port is given up.
        if (state.usbTick >= 4) {
            if (state.usbRetry >= 3) {
                port.close();
                nextPort(state);
            } else {
                ++state.usbRetry;
                state.usbTick = 0;
                port.flush();
                port.write(identifyFrame());
            }
        } else {
            ++state.usbTick;
            if (port.bytesWaiting() > 2) {
                if (isIdentifyReply(port.readAll())) {
                    state.usbState = 0;
                    return ScanOutcome::Found;
                }
                port.close();
                nextPort(state);
            }
        }
        return ScanOutcome::Searching;
    default: port.close(); return ScanOutcome::GaveUp;
    }
}

LinkMode linkMode(bool emulatorChecked, bool interfaceChecked)
{
    if (emulatorChecked && !interfaceChecked)
        return LinkMode::Emulator;
    if (interfaceChecked && !emulatorChecked)
        return LinkMode::Interface;
    return LinkMode::None;
}

SupervisionOutcome supervisionStep(quint8 &usbState, LinkMode mode, bool jobPending, const std::array<int, 3> &colour,
                                   platform::SerialPort &port)
{
    if (mode == LinkMode::Emulator) {
        auto outcome = SupervisionOutcome::Continue;
        switch (usbState) {
        case 0:
            if (jobPending)
                return SupervisionOutcome::RunJob;
            port.readAll();
            usbState = 1;
            break;
        case 1:
        case 2:
            port.readAll();
            ++usbState;
            break;
        case 3:
        case 4:
        case 5:
        case 6: ++usbState; break;
        case 7:
            usbState = 0;
            if (!acknowledgementFound(port.readAll(), ackReply('E')))
                outcome = SupervisionOutcome::Disconnected;
            break;
        default: usbState = 0; break;
        }
        // The colour frames double as the heartbeat of this mode.
        if (usbState != 0)
            port.write(emulatorColourFrame(colour[0], colour[1], colour[2]));
        return outcome;
    }
    if (mode == LinkMode::Interface) {
        switch (usbState) {
        case 0:
            if (jobPending)
                return SupervisionOutcome::RunJob;
            usbState = 1;
            break;
        case 1:
        case 2:
            port.readAll();
            ++usbState;
            port.write(heartbeatFrame());
            break;
        case 3:
        case 4:
        case 5:
        case 6:
            ++usbState;
            port.write(heartbeatFrame());
            break;
        case 7:
            usbState = 0;
            if (!acknowledgementFound(port.readAll(), ackReply('H')))
                return SupervisionOutcome::Disconnected;
            port.write(heartbeatFrame());
            break;
        default: usbState = 0; break;
        }
    }
    return SupervisionOutcome::Continue;
}

PortTestResult USBComPortTest(int portNumber, int openPort, platform::SerialPort &port)
{
    PortTestResult result;
    if (port.isOpen()) {
        const QString nn = store::format00(openPort);
        result.message = message({QStringLiteral("The CommPort COM") + nn + QStringLiteral(" is already used!"),
                                  QStringLiteral("La ComPort COM") + nn + QString::fromUtf8(" è già utilizzata!")},
                                 MsgIcon::Exclamation);
        return result;
    }
    if (portNumber > kLastPort)
        portNumber = 0;
    if (portNumber <= 0) {
        result.message = message({QStringLiteral("Select a ComPort in USB-ComPort Menu"),
                                  QString::fromUtf8("Selezionare una ComPort nel menù USB-ComPort")},
                                 MsgIcon::Information);
        return result;
    }
    if (!port.open(portNumber)) {
        result.message = withLine(message({QStringLiteral("The USB Board is not connected on this ComPort"),
                                           QStringLiteral("La Scheda USB non è connessa a questa Comport")},
                                          MsgIcon::Exclamation, platform::englishWarningTitle()),
                                  openFailureLine(portNumber, port.openFailure()));
        return result;
    }
    port.flush();
    port.write(identifyFrame());
    port.waitForBytes(3, kPortTestWaitMs);
    const QByteArray reply = port.readAll();
    port.close();
    const QString nn = store::format00(portNumber);
    if (isIdentifyReply(reply) && reply.size() >= 3) {
        result.found = true;
        result.message =
            message({QStringLiteral("The USB Board is been found on ComPort COM") + nn,
                     QString::fromUtf8("La Scheda USB è stata trovata connessa alla porta ComPort COM") + nn},
                    MsgIcon::Information, {QStringLiteral("Acknowledge"), QStringLiteral("Conferma")});
    } else {
        result.message = message({QStringLiteral("The USB Board is not connected on this ComPort COM") + nn,
                                  QStringLiteral("La Scheda USB non è connessa alla porta ComPort COM") + nn},
                                 MsgIcon::Exclamation);
    }
    return result;
}

BilingualMessage disconnectedMessage()
{
    return message({QStringLiteral("The Board has been disconnected from USB line!"),
                    QStringLiteral("La Scheda è stata disconnessa dalla linea USB!")},
                   MsgIcon::Critical);
}

BilingualMessage noBoardMessage()
{
    return message({QStringLiteral("No Board is connected to the PC on USB line!"),
                    QString::fromUtf8("Nessuna Scheda è connessa al PC sulla linea USB!")},
                   MsgIcon::Exclamation);
}

BilingualMessage manualConnectFailedMessage()
{
    return message({QStringLiteral("The Board is not connected to the PC on this ComPort!"),
                    QString::fromUtf8("La Scheda non è connessa al PC su questa ComPort!")},
                   MsgIcon::Exclamation);
}

Bilingual onlineStatus(int portNumber)
{
    const QString nn = store::format00(portNumber);
    return {QStringLiteral("USB Board Enabled on PORT") + nn, QStringLiteral("Scheda USB Abilitata sulla PORT") + nn};
}

Bilingual offlineStatus()
{
    return {QStringLiteral("No USB Board Enabled"), QStringLiteral("Nessuna Scheda USB Abilitata")};
}

} // namespace board
