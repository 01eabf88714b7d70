#pragma once

#include "board/backup.h"
#include "board/frame.h"
#include "board/jobs.h"
#include "board/link.h"
#include "board/pendingjobs.h"
#include "board/reports.h"
#include "platform/message.h"
#include "platform/serialport.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

namespace board {

// What keeps the link busy. The letter after each is the tag the window's
// progress bar carries meanwhile.
enum class Busy {
    Idle,  // "H": free for a command
    Pause, // "S": the pause after the link is switched off or put in emulator mode
    Scan,  // "P": looking for the board, port by port
    Job,   // "M": a job runs: the slot names, a command, the board's information, a back up or a restore
};

// How the link finds its port: the scan of COM1..COM16, or the port chosen.
enum class PortChoice { Automatic, Manual };

// The board link as one object: the serial port, the port scan and the
// supervision, the mode, the emulator colour, the slot names and the slot
// selected, the jobs armed and their progress, verify after write, back up
// and restore. It needs no window: the window drives it from its menus and
// shows what it reports, a script or a test drives it the same way.
//
// Nothing here asks or waits for a person: whoever drives it confirms first
// and shows the messages the signals carry. Everything moves on tick(), once
// every 50 ms; a signal is emitted only when what it carries has changed.
class BoardSession : public QObject
{
    Q_OBJECT
public:
    explicit BoardSession(platform::SerialPort &port, QObject *parent = nullptr);
    ~BoardSession() override;
    BoardSession(const BoardSession &) = delete;
    BoardSession &operator=(const BoardSession &) = delete;

    // One timer tick: the pause's count, then the link's step (closing the
    // port while switched off, the scan while offline, else the
    // supervision cycle with a step of the first armed job at its step 0).
    void tick();

    // ----- The port ----------------------------------------------------------
    void setPortChoice(PortChoice choice);
    PortChoice portChoice() const { return m_portChoice; }
    // The manual port, 1..16; any other number stands for none.
    void setPortNumber(int port);
    int portNumber() const { return m_portNumber; }
    // Opens `port`, asks the board to identify itself and closes it again:
    // the manual port's test. A port where the board answers becomes the
    // manual port. The message says what was found.
    PortTestResult testPort(int port);
    // What stands behind COM1..COM16 now.
    QList<platform::SerialPort::PortDevice> portDevices() const;

    // ----- The link ----------------------------------------------------------
    // Switched on, the link looks for the board and then keeps it in
    // emulator mode; switched off, it drops every armed job, closes the port
    // at the next tick and pauses for 2.5 s.
    void switchOn(bool on);
    bool isOn() const { return m_on; }
    bool isOnline() const { return m_online; }
    // The port the link has open (0 when none).
    int openPort() const { return m_openPort; }
    // The mode chosen while switched on (None while off). Interface mode
    // reads the slot names first; emulator mode pauses for 2.5 s.
    bool setMode(LinkMode mode);
    LinkMode mode() const { return m_mode; }
    // The mode the supervision runs in: the one chosen, from the start of
    // its next eight-tick cycle on.
    LinkMode activeMode() const { return m_activeMode; }
    // The step of the supervision cycle (0..7; 0 runs the armed jobs), or of
    // the scan while offline.
    int cycleStep() const { return m_usbState; }
    // The colour the board shows in emulator mode, in percent.
    void setEmulatorColour(qint64 red, qint64 green, qint64 blue);
    const std::array<int, 3> &emulatorColour() const { return m_colour; }

    // ----- Slots -------------------------------------------------------------
    // The eight names as the board last gave them (8 bytes each, as the
    // board holds them; "Cycle1".."Cycle8" before any reading).
    const QList<QByteArray> &slotNames() const { return m_names; }
    QByteArray slotName(int slot) const { return m_names.value(slot - 1); }
    bool namesLoaded() const { return m_namesLoaded; }
    // Reads the eight names again (interface mode, nothing busy).
    bool readNames();
    // The slot ticked (1..8, 0 for none). It is kept through a mode switch
    // and forgotten when interface mode is entered again; the commands reach
    // it in interface mode only, and slot 1 can only be read.
    void selectSlot(int slot);
    int selectedSlot() const { return m_slot; }
    // A command can start: online in interface mode, a slot selected, nothing busy.
    bool commandAvailable() const;
    // A back up or restore can start: online in interface mode, nothing busy.
    bool transferAvailable() const;

    // ----- Jobs --------------------------------------------------------------
    // Each arms its job when it can start (see commandAvailable) and returns
    // whether it did. The job runs on the following ticks.
    bool armRead();
    // The write sends `source`, whose table must stay while the job runs.
    bool armWrite(const WriteSource &source);
    // `name`: the 8 bytes the slot is to be named (see checkRenameText).
    bool armRename(const QByteArray &name);
    bool armClean();
    bool armErase();
    // The board's own information, in either mode.
    bool armDevice();
    // Called at the write's first step, before any block goes out: it may
    // put the cycle in order and gives what is to be written.
    void setWritePreparation(std::function<WriteSource()> prepare) { m_prepareWrite = std::move(prepare); }
    // After a write, the slot is read back and compared (the Write job stays
    // armed meanwhile); a restore reads each slot back after its write.
    void setVerifyAfterWrite(bool on) { m_verify = on; }
    bool verifyAfterWrite() const { return m_verify; }
    // Back up: the eight names, then each slot into `folder` as its own
    // cycle file ("Slot3-Aquarium.txt"), replacing the backups already there.
    bool startBackup(const QString &folder);
    // Restore: each slot of `set` written (and verified), then named.
    bool startRestore(const RestoreSet &set);
    // A back up or restore stops before its next slot.
    void stop();
    bool transferRunning() const { return m_jobs.isArmed(Job::Backup) || m_jobs.isArmed(Job::Restore); }
    // The last folder backed up to or restored from.
    const QString &transferFolder() const { return m_transfer.folder; }

    bool isArmed(Job job) const { return m_jobs.isArmed(job); }
    QList<Job> armedJobs() const { return m_jobs.armed(); }
    Busy busy() const { return m_busy; }
    bool isBusy() const { return m_busy != Busy::Idle; }
    // The progress of what keeps the link busy: a job's step, the port the
    // scan tries, the pause's count; and where it ends.
    int step() const { return m_step; }
    int maximum() const { return m_maximum; }
    // The last job's result with the time it ended ("Slot 3 written 14:02"),
    // or that the link was lost.
    const Bilingual &lastResult() const { return m_result; }
    // The cycle the last read received whole.
    const ReadCycle &readCycle() const { return m_readCycle; }

Q_SIGNALS:
    void busyChanged(board::Busy busy);
    void progress(int step, int maximum);
    // A back up or restore begins `slot` (0: the back up's names), the
    // `place`-th of `count`.
    void transferSlot(board::Job job, int slot, int place, int count);
    void linkChanged(bool online, int port);
    // The link has switched itself off: no board found, the manual port
    // did not open, or the board stopped answering. `reason` says which.
    void linkLost(const platform::BilingualMessage &reason);
    void modeChanged(board::LinkMode mode);
    void slotSelected(int slot);
    void slotNameChanged(int slot, const QByteArray &name);
    void namesRead(const QList<QByteArray> &names);
    void armedChanged(board::Job job, bool armed);
    void resultChanged(const Bilingual &result);
    void deviceRead(const board::DeviceInfo &device);
    // A read has passed whole: the slot's cycle.
    void cycleRead(int slot, const board::ReadCycle &cycle);
    // A job has ended. `message` is what to tell the user: the failure with
    // its second line, a back up's or a restore's summary; empty text when
    // there is nothing to tell.
    void jobFinished(board::Job job, int slot, bool success, const platform::BilingualMessage &message);

private:
    void setBusy(Busy busy, int maximum = 0, int step = 0);
    void setStep(int step);
    void changeMode(LinkMode mode);
    void setOnline(bool online, int port);
    void setResult(const Bilingual &result);
    void setSlotName(int slot, const QByteArray &name);
    void armJob(Job job, int maximum);
    void disarm(Job job);
    void switchOff(bool pause);
    void loseLink(const platform::BilingualMessage &reason, bool pause);

    void goOffline();
    void connectLink();
    void supervise();
    void runJob(Job job);
    char jobDigit() const { return slotDigit(m_jobSlot); }

    // A job's tick applied: its step, a caption, the device information; at
    // its end the result and the message. False once the job has ended.
    bool applyTick(const JobTick &tick, Job job);
    void endJob(Job job, int slot, bool success, const platform::BilingualMessage &message,
                const std::optional<Bilingual> &result = std::nullopt);
    bool stepNames();
    bool stepWrite();
    bool stepVerify();
    bool stepRead();
    bool stepErase();
    bool stepBackup();
    bool stepRestore();
    bool endTransfer(Job job, int slot, const platform::BilingualMessage &message, bool success);
    bool stopTransfer(Job job, const QList<int> &done);
    void showTransferSlot(Job job, int slot);

    platform::SerialPort &m_port;

    // The port choice and the link.
    PortChoice m_portChoice = PortChoice::Automatic;
    int m_portNumber = 0;
    bool m_on = false;
    bool m_online = false;
    int m_openPort = 0;
    LinkMode m_mode = LinkMode::None;
    LinkMode m_activeMode = LinkMode::None;
    // The scan's and the supervision's state (see link.h).
    quint8 m_usbState = 0;
    quint8 m_usbRetry = 0;
    quint8 m_usbTick = 0;
    bool m_scanShown = false; // the scan has reported its first port
    // Why the port last closed itself, if it did; the first port that the
    // scan found but could not open, and why.
    platform::SerialPort::PortFailure m_portError;
    int m_refusedPort = 0;
    platform::SerialPort::PortFailure m_refusal;
    std::array<int, 3> m_colour{0, 0, 0};

    // Slots.
    QList<QByteArray> m_names;
    bool m_namesLoaded = false;
    int m_slot = 0;

    // Jobs and their progress.
    Busy m_busy = Busy::Idle;
    int m_step = 0;
    int m_maximum = 0;
    PendingJobs m_jobs;
    int m_jobSlot = 0; // the slot of the job under way
    WriteSource m_writeSource;
    std::function<WriteSource()> m_prepareWrite;
    QByteArray m_renameText;
    quint8 m_eraseCount = 0;
    bool m_verify = true;
    bool m_verifying = false;
    // Verify after write: what the write sent, and the slot read back
    // (never into the cycle).
    WrittenCycle m_written;
    ReadCycle m_verifyCycle;
    // What a read has received so far; the read passes it on whole.
    ReadCycle m_readCycle;
    Bilingual m_result;

    // A back up or restore under way.
    struct Transfer
    {
        QString folder;
        QList<int> slots;
        QList<QByteArray> names; // restore: the names given
        QList<ReadCycle> cycles; // restore: the cycles written
        QStringList replaced;    // back up: the older backup files it replaces
        QStringList saved;       // back up: the files written so far
        QList<int> restored;     // restore: the slots done
        bool verify = false;     // restore: each slot read back after its write
        int perSlot = 0;         // progress steps per slot
        int index = 0;           // into `slots`
        int phase = 0;           // back up: 0 names, 1 slots; restore: 0 write, 1 verify, 2 rename
        int step = 0;            // the step of the job in hand
        bool stopAsked = false;  // stop before the next slot
        ReadCycle readBack;
        WrittenCycle written;
    };
    Transfer m_transfer;
};

} // namespace board
