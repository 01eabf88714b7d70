#pragma once

#include "platform/message.h"
#include "platform/serialport.h"

#include <array>

// The link's own rules: the automatic port scan, the eight-tick supervision
// cycle and the manual port test. Each scan or supervision call is one timer
// tick; the caller keeps the state in the window's variables.
namespace board {

// ----- Automatic scan --------------------------------------------------------

// The scan's state, read and written where it lives (the window's UsbState,
// UsbRetry and UsbTick): UsbState 0 probes the next port, 1 waits for the
// reply, anything else gives up; and the port under test (the progress
// value, 1..16).
struct ScanState
{
    quint8 &usbState;
    quint8 &usbRetry;
    quint8 &usbTick;
    int port = 1;
};

enum class ScanOutcome { Searching, Found, GaveUp };

// One tick of the scan. On Found the board's port is open and `state.port`
// names it; on GaveUp every port has been tried and is closed.
ScanOutcome scanStep(ScanState &state, platform::SerialPort &port);

// ----- Supervision -----------------------------------------------------------

enum class LinkMode { None, Emulator, Interface };

// The mode as step 0 of the cycle recomputes it from the two menu checks.
LinkMode linkMode(bool emulatorChecked, bool interfaceChecked);

enum class SupervisionOutcome {
    Continue,     // the cycle goes on
    RunJob,       // step 0 with a job to run: the caller runs one step of it; the state stays 0
    Disconnected, // no acknowledgement in the last eight ticks
};

// One tick of the supervision cycle in `mode`. `jobPending` says whether a
// board job is armed (the name reading, a command or device information);
// `colour` is the emulator colour in percent.
SupervisionOutcome supervisionStep(quint8 &usbState, LinkMode mode, bool jobPending, const std::array<int, 3> &colour,
                                   platform::SerialPort &port);

// ----- Manual port test --------------------------------------------------------

// How long the manual test waits for the identify reply.
inline constexpr int kPortTestWaitMs = 200;

// Opens `portNumber`, identifies the board, closes. The wait for the reply,
// at most kPortTestWaitMs, is the one place the link waits. `openPort` is the
// number of the port already open, for the message when one is. Returns
// whether the board answered, and the message to show.
struct PortTestResult
{
    bool found = false;
    platform::BilingualMessage message;
};
PortTestResult USBComPortTest(int portNumber, int openPort, platform::SerialPort &port);

// ----- Messages and status texts ----------------------------------------------

platform::BilingualMessage disconnectedMessage();
platform::BilingualMessage noBoardMessage();
platform::BilingualMessage manualConnectFailedMessage();
Bilingual onlineStatus(int portNumber);
Bilingual offlineStatus();

} // namespace board
