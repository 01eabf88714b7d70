// Wall time of the board link against the virtual board on a pseudo-terminal,
// through the program's real serial port and its own 50 ms timer: the
// eight-tick supervision cycle, a full write of a 64-point cycle and a full
// read of it, the same write verified, and a back up and a restore of eight
// full slots. The pacing is the protocol's, so the aim is to match it, not to
// beat it: 400 ms, 2.80 s, 2.75 s, 5.55 s (56 + 55 ticks), 23.70 s (34 + 8 x 55
// ticks) and 41.65 s (7 x (56 + 55 + 8) ticks; slot 1 is only read).
//
// board_wall [--runs N]: N runs of each measurement (by default 25 cycles,
// 5 of each single-slot job, 2 back ups and restores). It fails when a
// measurement got no run.

#include "board/records.h"
#include "platform/qtserialport.h"
#include "ptyboard.h"
#include "store/numbers.h"
#include "support/scripteddialogs.h"
#include "support/window.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

void report(const char *what, const QList<double> &ms, double aim, const QList<int> &ticks = {})
{
    if (ms.isEmpty()) {
        std::printf("%-22s no runs\n", what);
        return;
    }
    const double m = median(ms);
    const auto [lo, hi] = std::minmax_element(ms.begin(), ms.end());
    std::printf("%-22s runs %2lld  median %8.1f ms  min %8.1f  max %8.1f  aim %7.1f  off %+.2f %%", what,
                static_cast<long long>(ms.size()), m, *lo, *hi, aim, 100.0 * (m - aim) / aim);
    if (!ticks.isEmpty())
        std::printf("  ticks %d", ticks.first());
    std::printf("\n");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const qsizetype runsAt = args.indexOf(QStringLiteral("--runs"));
    const int runs = runsAt > 0 ? std::max(1, args.value(runsAt + 1).toInt()) : 0;
    QTemporaryDir dir;
    PtyBoard pty;
    if (!dir.isValid() || !pty.start(dir.path(), 1)) {
        std::fprintf(stderr, "no pseudo-terminal: %s\n", qPrintable(pty.errorString()));
        return 1;
    }
    qputenv("ORVANTA_PORT_DIR", QFile::encodeName(dir.path()));
    ScriptedDialogs dialogs;
    platform::QtSerialPort port;
    FormColour form(dialogs, port);
    const board::BoardSession &session = form.boardSession();

    store::emptyTable(form.document().table());
    for (int k = 1; k <= 64; ++k) {
        store::ColourPoint &p = form.document().table().row(k);
        p.setValue(store::Field::PointID, k);
        p.setValue(store::Field::Time, (k - 1) * 1300);
        p.setValue(store::Field::Length, 100);
        p.setValue(store::Field::Red, k);
    }
    form.document().setPointCount(64);
    // Eight full slots for the back up and the restore.
    for (int s = 1; s <= 8; ++s) {
        QList<QByteArray> records;
        for (int k = 1; k <= 64; ++k)
            records.append(board::pointRecord(form.document().table().row(k)));
        pty.board().setSlot(s, records, board::transitionRecord(600, 64));
        pty.board().setName(s, QByteArray(QByteArrayLiteral("Slot") + QByteArray::number(s)));
    }
    QTemporaryDir backupDir;

    QElapsedTimer clock;
    clock.start();
    auto now = [&clock] { return double(clock.nsecsElapsed()) / 1e6; };
    QAction *writeItem = form.menuItem(QStringLiteral("mnuUsbInterfaceOnCommandWr"));
    QAction *readItem = form.menuItem(QStringLiteral("mnuUsbInterfaceOnCommandRd"));
    QAction *verifyItem = form.menuItem(QStringLiteral("mnuUsbInterfaceOnCommandVf"));
    QAction *backupItem = form.menuItem(QStringLiteral("mnuUsbInterfaceOnBackup"));
    QAction *restoreItem = form.menuItem(QStringLiteral("mnuUsbInterfaceOnRestore"));

    enum class Phase { Start, Online, Supervision, Interface, Write, Read, Verified, Backup, Restore, Done };
    Phase phase = Phase::Start;
    QList<double> cycles, writes, reads, verified, backups, restores;
    QList<int> writeTicks, readTicks, verifiedTicks, backupTicks, restoreTicks;
    double mark = -1;
    int lastState = -1;
    bool jobRunning = false;
    bool jobEnded = false;
    int ticks = 0;
    const int cyclesWanted = runs > 0 ? runs : 25;
    const int transfersWanted = runs > 0 ? runs : 5;
    const int folderRunsWanted = runs > 0 ? runs : 2;

    // Runs after the window's own tick handler, on every tick.
    QObject::connect(child<QTimer>(form, "TimerMove"), &QTimer::timeout, &form, [&] {
        switch (phase) {
        case Phase::Start:
            if (child<QAction>(form, "mnuUSB")->isEnabled()) {
                form.mnuUsbOn_Click();
                phase = Phase::Online;
            }
            break;
        case Phase::Online:
            if (session.isOnline())
                phase = Phase::Supervision;
            break;
        case Phase::Supervision:
            // A verdict tick leaves the cycle at step 0.
            if (session.cycleStep() == 0 && lastState == 7) {
                if (mark >= 0)
                    cycles.append(now() - mark);
                mark = now();
                if (cycles.size() == cyclesWanted) {
                    form.mnuUsbInterfaceOn_Click();
                    phase = Phase::Interface;
                }
            }
            break;
        case Phase::Interface:
            if (session.namesLoaded() && !session.isBusy()) {
                form.mnuUsbInterfaceOnCycle_Click(3);
                verifyItem->setChecked(false); // the write alone first
                phase = Phase::Write;
            }
            break;
        case Phase::Write:
        case Phase::Read:
        case Phase::Verified:
        case Phase::Backup:
        case Phase::Restore: {
            QAction *item = phase == Phase::Write      ? writeItem
                            : phase == Phase::Read     ? readItem
                            : phase == Phase::Verified ? writeItem
                            : phase == Phase::Backup   ? backupItem
                                                       : restoreItem;
            QList<double> &times = phase == Phase::Write      ? writes
                                   : phase == Phase::Read     ? reads
                                   : phase == Phase::Verified ? verified
                                   : phase == Phase::Backup   ? backups
                                                              : restores;
            QList<int> &tickCounts = phase == Phase::Write      ? writeTicks
                                     : phase == Phase::Read     ? readTicks
                                     : phase == Phase::Verified ? verifiedTicks
                                     : phase == Phase::Backup   ? backupTicks
                                                                : restoreTicks;
            if (jobEnded) {
                // The first tick after the job: the job held every tick since its first step.
                times.append(now() - mark);
                tickCounts.append(ticks);
                jobEnded = false;
                jobRunning = false;
            } else if (jobRunning && !item->isChecked()) {
                ++ticks;
                jobEnded = true; // the job ended on this tick
            } else if (jobRunning) {
                ++ticks;
            } else if (item->isChecked() && session.step() == 1) {
                mark = now(); // the job's first step ran on this tick
                ticks = 1;
                jobRunning = true;
            }
            const int wanted = phase == Phase::Backup || phase == Phase::Restore ? folderRunsWanted : transfersWanted;
            if (!jobRunning && !jobEnded && !item->isChecked() && !session.isBusy()) {
                if (times.size() == wanted) {
                    phase = Phase(int(phase) + 1);
                    if (phase == Phase::Done) {
                        app.quit();
                        break;
                    }
                    verifyItem->setChecked(true);
                }
                form.MenuEnable();
                switch (phase) {
                case Phase::Write:
                case Phase::Verified:
                    dialogs.answerMessage(platform::MsgResult::Yes);
                    form.mnuUsbInterfaceOnCommandWr_Click();
                    break;
                case Phase::Read:
                    // The last read's cycle is unsaved: a user answers No to
                    // saving it first, then confirms the read.
                    if (form.document().isModified())
                        dialogs.answerMessage(platform::MsgResult::No);
                    dialogs.answerMessage(platform::MsgResult::Yes);
                    form.mnuUsbInterfaceOnCommandRd_Click();
                    break;
                case Phase::Backup:
                    dialogs.answerFolder(backupDir.path());
                    if (!backups.isEmpty())
                        dialogs.answerMessage(platform::MsgResult::Yes); // replace the last run's files
                    dialogs.answerMessage(platform::MsgResult::Ok);
                    form.mnuUsbInterfaceOnBackup_Click();
                    break;
                case Phase::Restore:
                    dialogs.answerFolder(backupDir.path());
                    dialogs.answerMessage(platform::MsgResult::Yes);
                    dialogs.answerMessage(platform::MsgResult::Ok);
                    form.mnuUsbInterfaceOnRestore_Click();
                    break;
                default: break;
                }
            }
            break;
        }
        case Phase::Done: break;
        }
        lastState = session.cycleStep();
    });
    QTimer::singleShot(600000, &app, [&app] {
        std::fprintf(stderr, "timed out\n");
        app.exit(1);
    });
    int rc = app.exec();
    report("supervision cycle", cycles, 400);
    report("full write (64 pts)", writes, 2800, writeTicks);
    report("full read (64 pts)", reads, 2750, readTicks);
    report("verified write", verified, 5550, verifiedTicks);
    report("back up (8 x 64 pts)", backups, 23700, backupTicks);
    report("restore (7 x 64 pts)", restores, 41650, restoreTicks);
    for (const platform::Message &m : dialogs.shown)
        if (!m.text.contains(QStringLiteral("Confermi")) && m.icon != platform::MsgIcon::Information
            && m.icon != platform::MsgIcon::Question)
            std::fprintf(stderr, "message: %s\n", qPrintable(m.text));
    for (const QList<double> *times : {&cycles, &writes, &reads, &verified, &backups, &restores})
        rc = times->isEmpty() ? EXIT_FAILURE : rc;
    return rc;
}
