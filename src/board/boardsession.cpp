// The board link's session: the state between ticks, and each tick's step
// of the scan, the supervision and the armed job. The rules of each step are
// in link.h, jobs.h and backup.h, the texts in reports.h.

#include "board/boardsession.h"

#include "cyclefile/cyclefile.h"
#include "cyclefile/filewrite.h"
#include "store/numbers.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTime>

#include <algorithm>
#include <utility>

using platform::BilingualMessage;

namespace board {

namespace {

constexpr int kPortCount = 16;
// The pause after switching off or into emulator mode, in ticks.
constexpr int kPauseTicks = 50;

} // namespace

BoardSession::BoardSession(platform::SerialPort &port, QObject *parent)
    : QObject(parent)
    , m_port(port)
{
    for (int k = 1; k <= 8; ++k)
        m_names.append("Cycle" + QByteArray::number(k));
    // A port that closes itself on a device error says why; the link tells
    // it with the disconnection it then finds.
    m_port.setClosedOnError([self = QPointer<BoardSession>(this)](const platform::SerialPort::PortFailure &reason) {
        if (self)
            self->m_portError = reason;
    });
}

BoardSession::~BoardSession() { m_port.setClosedOnError({}); }

void BoardSession::tick()
{
    // The pause counts first, then the link takes its step.
    if (m_busy == Busy::Pause) {
        if (m_step < m_maximum)
            setStep(m_step + 1);
        else
            setBusy(Busy::Idle);
    }
    if (!m_on)
        goOffline();
    else if (!m_online)
        connectLink();
    else
        supervise();
}

// ----- State and its signals ----------------------------------------------------------

void BoardSession::setBusy(Busy busy, int maximum, int step)
{
    // Idle keeps the last progress as it stood.
    if (busy != Busy::Idle) {
        m_maximum = maximum;
        m_step = step;
    }
    m_busy = busy;
    Q_EMIT busyChanged(busy);
}

void BoardSession::setStep(int step)
{
    if (step == m_step)
        return;
    m_step = step;
    Q_EMIT progress(step, m_maximum);
}

void BoardSession::changeMode(LinkMode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    Q_EMIT modeChanged(mode);
}

void BoardSession::setOnline(bool online, int port)
{
    m_openPort = port;
    if (online == m_online)
        return;
    m_online = online;
    Q_EMIT linkChanged(online, port);
}

void BoardSession::setResult(const Bilingual &result)
{
    if (result == m_result)
        return;
    m_result = result;
    Q_EMIT resultChanged(result);
}

void BoardSession::setSlotName(int slot, const QByteArray &name)
{
    QByteArray &kept = m_names[slot - 1];
    if (kept == name)
        return;
    kept = name;
    Q_EMIT slotNameChanged(slot, name);
}

void BoardSession::disarm(Job job)
{
    if (m_jobs.disarm(job))
        Q_EMIT armedChanged(job, false);
}

void BoardSession::armJob(Job job, int maximum)
{
    m_jobSlot = m_slot;
    setBusy(Busy::Job, maximum);
    m_verifying = false;
    if (m_jobs.arm(job))
        Q_EMIT armedChanged(job, true);
}

// ----- The port -------------------------------------------------------------------------

void BoardSession::setPortChoice(PortChoice choice) { m_portChoice = choice; }

void BoardSession::setPortNumber(int port) { m_portNumber = port >= 1 && port <= kPortCount ? port : 0; }

PortTestResult BoardSession::testPort(int port)
{
    if (port > kPortCount)
        port = 0;
    PortTestResult result = USBComPortTest(port, m_openPort, m_port);
    if (result.found)
        setPortNumber(port);
    return result;
}

QList<platform::SerialPort::PortDevice> BoardSession::portDevices() const { return m_port.portDevices(kPortCount); }

// ----- Switching on and off, modes ----------------------------------------------------------

void BoardSession::switchOn(bool on)
{
    if (!on) {
        switchOff(true);
        return;
    }
    m_on = true;
    changeMode(LinkMode::Emulator);
    // The scan starts at port 1.
    setBusy(Busy::Scan, kPortCount + 1, 1);
    m_scanShown = false;
    m_portError = {};
    m_refusedPort = 0;
    m_refusal = {};
}

void BoardSession::switchOff(bool pause)
{
    m_on = false;
    changeMode(LinkMode::None);
    // A job armed but not yet started must not run when the board comes back.
    for (Job job : m_jobs.armed())
        disarm(job);
    m_verifying = false;
    if (pause)
        setBusy(Busy::Pause, kPauseTicks);
    else
        setBusy(Busy::Idle);
}

void BoardSession::loseLink(const BilingualMessage &reason, bool pause)
{
    switchOff(pause);
    Q_EMIT linkLost(reason);
}

bool BoardSession::setMode(LinkMode mode)
{
    if (!m_on || mode == LinkMode::None || mode == m_mode || m_busy == Busy::Job || m_busy == Busy::Scan)
        return false;
    changeMode(mode);
    if (mode == LinkMode::Emulator) {
        setBusy(Busy::Pause, kPauseTicks);
        return true;
    }
    // Interface mode reads the names first; no slot is selected yet.
    m_namesLoaded = false;
    m_jobSlot = 0;
    setBusy(Busy::Job, kTextFailure);
    selectSlot(0);
    return true;
}

void BoardSession::setEmulatorColour(qint64 red, qint64 green, qint64 blue)
{
    m_colour = {int(std::clamp<qint64>(red, 0, 255)), int(std::clamp<qint64>(green, 0, 255)),
                int(std::clamp<qint64>(blue, 0, 255))};
}

// ----- Slots ----------------------------------------------------------------------------

bool BoardSession::readNames()
{
    if (!m_online || m_mode != LinkMode::Interface || isBusy())
        return false;
    m_namesLoaded = false;
    m_jobSlot = 0;
    setBusy(Busy::Job, kTextFailure);
    return true;
}

void BoardSession::selectSlot(int slot)
{
    if (slot < 0 || slot > 8)
        slot = 0;
    if (slot == m_slot)
        return;
    m_slot = slot;
    Q_EMIT slotSelected(slot);
}

bool BoardSession::transferAvailable() const
{
    return m_online && m_mode == LinkMode::Interface && m_busy != Busy::Job;
}

bool BoardSession::commandAvailable() const { return transferAvailable() && m_slot != 0; }

// ----- Arming jobs ----------------------------------------------------------------------

bool BoardSession::armRead()
{
    if (!commandAvailable())
        return false;
    armJob(Job::Read, kReadFailure);
    return true;
}

bool BoardSession::armWrite(const WriteSource &source)
{
    if (!commandAvailable() || m_slot == 1)
        return false;
    m_writeSource = source;
    armJob(Job::Write, kWriteFailure);
    return true;
}

bool BoardSession::armRename(const QByteArray &name)
{
    if (!commandAvailable() || m_slot == 1)
        return false;
    m_renameText = name;
    armJob(Job::Rename, kRenameFailure);
    return true;
}

bool BoardSession::armClean()
{
    if (!commandAvailable() || m_slot == 1)
        return false;
    armJob(Job::Clean, kCleanFailure);
    return true;
}

bool BoardSession::armErase()
{
    if (!commandAvailable())
        return false;
    armJob(Job::Erase, kEraseFailure);
    return true;
}

bool BoardSession::armDevice()
{
    if (!m_online || m_busy == Busy::Job)
        return false;
    m_jobSlot = m_slot;
    setBusy(Busy::Job, kDeviceFailure);
    if (m_jobs.arm(Job::Device))
        Q_EMIT armedChanged(Job::Device, true);
    return true;
}

bool BoardSession::startBackup(const QString &folder)
{
    if (!transferAvailable())
        return false;
    m_transfer = Transfer{};
    m_transfer.folder = folder;
    m_transfer.slots = {1, 2, 3, 4, 5, 6, 7, 8};
    m_transfer.replaced = existingBackups(folder);
    m_transfer.perSlot = kReadFailure;
    armJob(Job::Backup, kTextFailure + 8 * kReadFailure);
    return true;
}

bool BoardSession::startRestore(const RestoreSet &set)
{
    if (!transferAvailable() || set.refusal || set.files.isEmpty() || set.cycles.size() != set.files.size())
        return false;
    Transfer x;
    for (const BackupFile &file : set.files) {
        x.slots.append(file.slot);
        x.names.append(file.name);
    }
    x.cycles = set.cycles;
    x.folder = set.folder;
    x.verify = m_verify;
    x.perSlot = kWriteFailure + (x.verify ? kReadFailure : 0) + kRenameFailure;
    m_transfer = x;
    armJob(Job::Restore, int(x.slots.size()) * x.perSlot);
    return true;
}

void BoardSession::stop()
{
    if (transferRunning())
        m_transfer.stopAsked = true;
}

// ----- The link's step ---------------------------------------------------------------------

void BoardSession::goOffline()
{
    if (m_port.isOpen())
        m_port.close();
    if (m_portChoice == PortChoice::Automatic)
        m_usbState = 0;
    setOnline(false, 0);
}

void BoardSession::connectLink()
{
    if (m_portChoice == PortChoice::Manual) {
        if (m_portNumber >= 1 && m_portNumber <= kPortCount && m_port.open(m_portNumber)) {
            setOnline(true, m_portNumber);
            setBusy(Busy::Idle);
        } else {
            loseLink(withLine(manualConnectFailedMessage(), openFailureLine(m_portNumber, m_port.openFailure())),
                     false);
        }
        return;
    }

    ScanState scan{m_usbState, m_usbRetry, m_usbTick, m_step};
    const int tried = m_usbState == 0 ? scan.port : 0;
    const ScanOutcome outcome = scanStep(scan, m_port);
    // A port that is there but does not open is named if no board is found.
    if (tried != 0 && m_refusedPort == 0 && m_port.openFailure().error != platform::SerialPort::PortError::None) {
        m_refusedPort = tried;
        m_refusal = m_port.openFailure();
    }
    // The scan reports the port it tries: from its first tick on, and each new one.
    const int step = std::min(scan.port, m_maximum);
    if (step != m_step || !m_scanShown) {
        m_scanShown = true;
        m_step = step;
        Q_EMIT progress(m_step, m_maximum);
    }
    switch (outcome) {
    case ScanOutcome::Searching: break;
    case ScanOutcome::Found:
        setOnline(true, scan.port);
        setBusy(Busy::Idle);
        break;
    case ScanOutcome::GaveUp:
        loseLink(withLine(noBoardMessage(), openFailureLine(m_refusedPort, m_refusal)), true);
        break;
    }
}

void BoardSession::supervise()
{
    // The mode chosen takes over at the start of a cycle.
    if (m_usbState == 0)
        m_activeMode = m_mode;
    // In interface mode the slots' names are read before any job.
    const bool namesFirst = m_activeMode == LinkMode::Interface && !m_namesLoaded;
    const std::optional<Job> job = m_jobs.next(m_activeMode);
    switch (supervisionStep(m_usbState, m_activeMode, namesFirst || job, m_colour, m_port)) {
    case SupervisionOutcome::Continue: break;
    case SupervisionOutcome::RunJob:
        if (namesFirst)
            m_namesLoaded = stepNames();
        else
            runJob(*job);
        break;
    case SupervisionOutcome::Disconnected:
        // The last job's result no longer stands as if the board were there.
        setResult(linkLostResult(QTime::currentTime()));
        loseLink(m_portError.error == platform::SerialPort::PortError::None
                     ? disconnectedMessage()
                     : withLine(disconnectedMessage(), portErrorLine(m_portError)),
                 true);
        break;
    }
}

// ----- Jobs ------------------------------------------------------------------------------

void BoardSession::runJob(Job job)
{
    bool goesOn = false;
    switch (job) {
    case Job::Device: goesOn = applyTick(USBDevice(m_step, m_port), job); break;
    case Job::Clean: goesOn = applyTick(USBClean(m_step, jobDigit(), m_port), job); break;
    case Job::Rename: goesOn = applyTick(USBRename(m_step, jobDigit(), m_renameText, m_port), job); break;
    case Job::Erase: goesOn = stepErase(); break;
    case Job::Write: goesOn = stepWrite(); break;
    case Job::Read: goesOn = applyTick(USBRead(m_step, jobDigit(), m_readCycle, m_port), job); break;
    case Job::Backup: goesOn = stepBackup(); break;
    case Job::Restore: goesOn = stepRestore(); break;
    case Job::Names:
    case Job::Verify: break;
    }
    // It stays armed while its step says it goes on.
    if (!goesOn)
        disarm(job);
}

bool BoardSession::applyTick(const JobTick &t, Job job)
{
    setStep(t.value);
    if (t.captionSlot >= 1 && t.captionSlot <= 8)
        setSlotName(t.captionSlot, t.caption);
    if (t.device)
        Q_EMIT deviceRead(*t.device);
    if (!t.ended)
        return true;
    const int slot = m_jobSlot;
    endJob(job, slot, t.success, t.failure ? withLine(*t.failure, failureLine(job, slot)) : BilingualMessage{});
    return false;
}

void BoardSession::endJob(Job job, int slot, bool success, const BilingualMessage &message,
                          const std::optional<Bilingual> &result)
{
    setBusy(Busy::Idle);
    // The result stands before anything else is told.
    setResult(result ? *result : jobResult(job, slot, success, QTime::currentTime()));
    if (job == Job::Read && success)
        Q_EMIT cycleRead(slot, m_readCycle);
    if (job == Job::Names)
        Q_EMIT namesRead(m_names);
    Q_EMIT jobFinished(job, slot, success, message);
}

bool BoardSession::stepNames() { return !applyTick(USBText(m_step, m_port), Job::Names); }

bool BoardSession::stepErase()
{
    const JobTick t = USBErase(m_step, m_eraseCount, m_port);
    if (t.erased) {
        // Every slot is named anew, and none is selected.
        for (int k = 1; k <= 8; ++k)
            setSlotName(k, QStringLiteral("Cycle%1  ").arg(k).toLatin1());
        selectSlot(0);
    }
    return applyTick(t, Job::Erase);
}

bool BoardSession::stepWrite()
{
    if (m_verifying)
        return stepVerify();
    const JobTick t = USBWrite(m_step, jobDigit(), m_writeSource, m_port);
    if (t.prepareWrite) {
        if (m_prepareWrite)
            m_writeSource = m_prepareWrite();
        m_written = writtenCycle(m_writeSource);
    }
    const bool verify = t.ended && t.success && m_verify;
    const bool goesOn = applyTick(t, Job::Write);
    if (!verify)
        return goesOn;
    // The write has passed: the slot is read back into a staging cycle, on
    // the following ticks, with the Write job still armed.
    m_verifying = true;
    setBusy(Busy::Job, kReadFailure);
    return true;
}

bool BoardSession::stepVerify()
{
    JobTick t = USBRead(m_step, jobDigit(), m_verifyCycle, m_port);
    if (t.ended) {
        m_verifying = false;
        if (!t.success) {
            t.failure = verifyFailureMessage(m_jobSlot);
        } else if (const int point = firstDifference(m_written, m_verifyCycle); point != 0) {
            t.success = false;
            t.failure = verifyDifferenceMessage(m_jobSlot, point);
        }
    }
    return applyTick(t, Job::Verify);
}

// ----- Back up and restore -------------------------------------------------------------

bool BoardSession::endTransfer(Job job, int slot, const BilingualMessage &message, bool success)
{
    // A back up or restore is over before it is told: its Stop goes off
    // before the closing message comes up.
    disarm(job);
    endJob(job, slot, success, message);
    return false;
}

bool BoardSession::stopTransfer(Job job, const QList<int> &done)
{
    disarm(job);
    endJob(job, 0, false, transferStoppedMessage(job, done, m_transfer.slots.mid(m_transfer.index)),
           stoppedResult(job, done, QTime::currentTime()));
    return false;
}

void BoardSession::showTransferSlot(Job job, int slot)
{
    Q_EMIT transferSlot(job, slot, m_transfer.index + 1, int(m_transfer.slots.size()));
}

bool BoardSession::stepBackup()
{
    Transfer &x = m_transfer;
    // First the eight names, as the board has them now.
    if (x.phase == 0) {
        if (x.step == 0)
            showTransferSlot(Job::Backup, 0);
        const int asked = x.step;
        const JobTick t = USBText(x.step, m_port);
        if (t.captionSlot >= 1 && t.captionSlot <= 8)
            setSlotName(t.captionSlot, t.caption);
        x.step = t.value;
        setStep(std::min(t.value, m_maximum));
        if (!t.ended)
            return true;
        if (!t.success) {
            const int slot = std::max(1, asked / 4);
            return endTransfer(Job::Backup, slot, backupStoppedMessage(slot, x.saved, backupReadFailed()), false);
        }
        x.phase = 1;
        x.step = 0;
        return true;
    }
    // Then each slot, read into a staging cycle and saved as its own file; a
    // Stop is met before a slot, never inside one.
    const int slot = x.slots.value(x.index);
    if (x.step == 0) {
        if (x.stopAsked)
            return stopTransfer(Job::Backup, x.slots.mid(0, x.index));
        showTransferSlot(Job::Backup, slot);
    }
    const JobTick t = USBRead(x.step, slotDigit(slot), x.readBack, m_port);
    x.step = t.value;
    setStep(std::min(kTextFailure + x.index * x.perSlot + t.value, m_maximum));
    if (!t.ended)
        return true;
    if (!t.success)
        return endTransfer(Job::Backup, slot, backupStoppedMessage(slot, x.saved, backupReadFailed()), false);
    const QDir dir(x.folder);
    const QString name = backupFileName(slot, slotName(slot));
    if (const std::optional<QString> error = cyclefile::writeWholeFile(
            dir.filePath(name), cyclefile::writeCycle(x.readBack.table, store::format00000(x.readBack.transitionTime))))
        return endTransfer(Job::Backup, slot, backupStoppedMessage(slot, x.saved, backupWriteFailed(*error)), false);
    // An older backup of this slot under another name gives way to the new one.
    for (const QString &old : std::as_const(x.replaced)) {
        const std::optional<BackupFile> file = parseBackupFileName(old);
        if (file && file->slot == slot && old != name)
            QFile::remove(dir.filePath(old));
    }
    x.saved << name;
    ++x.index;
    x.step = 0;
    if (x.index < x.slots.size())
        return true;
    return endTransfer(Job::Backup, 0, backupDoneMessage(int(x.saved.size()), QDir::toNativeSeparators(x.folder)),
                       true);
}

bool BoardSession::stepRestore()
{
    Transfer &x = m_transfer;
    const int slot = x.slots.value(x.index);
    const char digit = slotDigit(slot);
    const ReadCycle &cycle = x.cycles.at(x.index);
    const WriteSource source{&cycle.table, cycle.pointCount, cycle.transitionTime};
    // Each slot: its write, its read-back when verifying, then its name. A
    // Stop is met before a slot's write, never between its parts.
    if (x.phase == 0 && x.step == 0) {
        if (x.stopAsked)
            return stopTransfer(Job::Restore, x.restored);
        showTransferSlot(Job::Restore, slot);
    }
    int base = x.index * x.perSlot;
    JobTick t;
    switch (x.phase) {
    case 0:
        if (x.step == 0)
            x.written = writtenCycle(source);
        t = USBWrite(x.step, digit, source, m_port);
        break;
    case 1:
        base += kWriteFailure;
        t = USBRead(x.step, digit, x.readBack, m_port);
        break;
    default:
        base += kWriteFailure + (x.verify ? kReadFailure : 0);
        t = USBRename(x.step, digit, x.names.at(x.index), m_port);
        break;
    }
    if (t.captionSlot >= 1 && t.captionSlot <= 8)
        setSlotName(t.captionSlot, t.caption);
    x.step = t.value;
    setStep(std::min(base + t.value, m_maximum));
    if (!t.ended)
        return true;
    if (!t.success)
        return endTransfer(Job::Restore, slot, restoreStoppedMessage(slot, x.restored), false);
    if (x.phase == 1) {
        if (const int point = firstDifference(x.written, x.readBack); point != 0)
            return endTransfer(
                Job::Restore, slot,
                withLine(verifyDifferenceMessage(slot, point), restoreStoppedMessage(slot, x.restored).text), false);
    }
    x.step = 0;
    x.phase = x.phase == 0 ? (x.verify ? 1 : 2) : x.phase + 1;
    if (x.phase <= 2)
        return true;
    x.restored << slot;
    x.phase = 0;
    ++x.index;
    if (x.index < x.slots.size())
        return true;
    return endTransfer(Job::Restore, 0, restoreDoneMessage(x.restored), true);
}

} // namespace board
