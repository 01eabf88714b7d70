// Wall time of the board link against the virtual board on a pseudo-terminal,
// through the program's real serial port and its own 50 ms timer: the
// eight-tick supervision cycle, a full write of a 64-point cycle and a full
// read of it. The pacing is the protocol's, so the aim is to match it, not to
// beat it: 400 ms, 2.80 s and 2.75 s.

#include "app/formcolour.h"
#include "app/tags.h"
#include "platform/qtserialport.h"
#include "ptyboard.h"
#include "store/numbers.h"
#include "support/scripteddialogs.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

void report(const char *what, const QList<double> &ms, double aim)
{
    const double m = median(ms);
    const auto [lo, hi] = std::minmax_element(ms.begin(), ms.end());
    std::printf("%-22s runs %2lld  median %8.1f ms  min %8.1f  max %8.1f  aim %7.1f  off %+.2f %%\n", what,
                static_cast<long long>(ms.size()), m, *lo, *hi, aim, 100.0 * (m - aim) / aim);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
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

    store::emptyTable(form.table());
    for (int k = 1; k <= 64; ++k) {
        store::ColourPoint &p = form.table().row(k);
        p.setValue(store::Field::PointID, k);
        p.setValue(store::Field::Time, (k - 1) * 1300);
        p.setValue(store::Field::Length, 100);
        p.setValue(store::Field::Red, k);
    }
    form.PointCount = 64;

    QElapsedTimer clock;
    clock.start();
    auto now = [&clock] { return double(clock.nsecsElapsed()) / 1e6; };
    QAction *writeItem = form.menuItem(QStringLiteral("mnuUsbInterfaceOnCommandWr"));
    QAction *readItem = form.menuItem(QStringLiteral("mnuUsbInterfaceOnCommandRd"));

    enum class Phase { Start, Online, Supervision, Interface, Write, Read, Done } phase = Phase::Start;
    QList<double> cycles, writes, reads;
    double mark = -1;
    int lastState = -1;
    bool jobRunning = false;
    bool jobEnded = false;
    const int cyclesWanted = 25, transfersWanted = 5;

    // Runs after the window's own tick handler, on every tick.
    QObject::connect(form.TimerMove, &QTimer::timeout, &form, [&] {
        switch (phase) {
        case Phase::Start:
            if (form.mnuUSB->isEnabled()) {
                form.mnuUsbOn_Click();
                phase = Phase::Online;
            }
            break;
        case Phase::Online:
            if (form.BoardOnline)
                phase = Phase::Supervision;
            break;
        case Phase::Supervision:
            // A verdict tick leaves the cycle at step 0.
            if (form.UsbState == 0 && lastState == 7) {
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
            if (form.SlotNamesLoaded && hasTag(form.ProgressBarWait, u"H")) {
                form.mnuUsbInterfaceOnCycle_Click(3);
                phase = Phase::Write;
            }
            break;
        case Phase::Write:
        case Phase::Read: {
            QAction *item = phase == Phase::Write ? writeItem : readItem;
            QList<double> &times = phase == Phase::Write ? writes : reads;
            if (jobEnded) {
                // The first tick after the job: the job held every tick since its first step.
                times.append(now() - mark);
                jobEnded = false;
                jobRunning = false;
            } else if (jobRunning && !item->isChecked()) {
                jobEnded = true; // the job ended on this tick
            } else if (item->isChecked() && !jobRunning && form.ProgressBarWait->value() == 1) {
                mark = now(); // the job's first step ran on this tick
                jobRunning = true;
            }
            if (!jobRunning && !jobEnded && !item->isChecked() && hasTag(form.ProgressBarWait, u"H")) {
                if (times.size() == transfersWanted) {
                    phase = phase == Phase::Write ? Phase::Read : Phase::Done;
                    if (phase == Phase::Done) {
                        app.quit();
                        break;
                    }
                }
                dialogs.answerMessage(platform::MsgResult::Yes);
                form.MenuEnable();
                if (phase == Phase::Write)
                    form.mnuUsbInterfaceOnCommandWr_Click();
                else
                    form.mnuUsbInterfaceOnCommandRd_Click();
            }
            break;
        }
        case Phase::Done: break;
        }
        lastState = form.UsbState;
    });
    QTimer::singleShot(120000, &app, [&app] {
        std::fprintf(stderr, "timed out\n");
        app.exit(1);
    });
    const int rc = app.exec();
    report("supervision cycle", cycles, 400);
    report("full write (64 pts)", writes, 2800);
    report("full read (64 pts)", reads, 2750);
    for (const platform::Message &m : dialogs.shown)
        if (!m.text.contains(QStringLiteral("Confermi")))
            std::fprintf(stderr, "message: %s\n", qPrintable(m.text));
    return rc;
}
