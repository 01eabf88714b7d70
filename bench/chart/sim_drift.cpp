// Plays a cycle at real time for a while (60 s unless told otherwise) with
// the window's own 50 ms timer, offscreen, and reports the simulated time
// against the wall clock.

#include "benchsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <thread>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 60.0;
    // "busy": once a second the event loop is held for 130 ms, as a slow
    // handler would hold it, so that timer ticks come late or are dropped.
    const bool busy = argc > 2 && std::strcmp(argv[2], "busy") == 0;

    BenchWindow w(2, true);
    FormColour &f = *w.form;
    // One long hold from 0 to 43200 s: playback stays on point 1.
    f.document().table().row(1).setValue(store::Field::Length, 40000);
    f.document().table().row(2).setValue(store::Field::Time, 43200);
    f.mnuEnableSimulator_Click();

    long ticks = 0;
    long late = 0;
    QElapsedTimer wall;
    qint64 lastTick = -1;
    double tickWall = 0;      // wall time of the last tick
    double tickSimulated = 0; // simulated time credited up to that tick
    QObject::connect(child<QTimer>(f, "TimerMove"), &QTimer::timeout, &app, [&] {
        const qint64 now = wall.nsecsElapsed();
        if (f.simulatorRunning()) {
            tickWall = double(now) / 1e9;
            tickSimulated = f.simulatorTime();
        }
        if (lastTick >= 0 && now - lastTick > 60'000'000)
            ++late;
        lastTick = now;
        ++ticks;
    });
    QTimer busyTimer;
    if (busy) {
        QObject::connect(&busyTimer, &QTimer::timeout, &app,
                         [] { std::this_thread::sleep_for(std::chrono::milliseconds(130)); });
        busyTimer.start(1000);
    }
    // Start right after a tick, as a click would land between two ticks.
    QTimer::singleShot(0, &app, [&] {
        wall.start();
        f.CommandStart_MouseUp(Qt::LeftButton, 1, 1);
    });
    QTimer::singleShot(int(seconds * 1000), &app, [&] {
        const double real = double(wall.nsecsElapsed()) / 1e9;
        const double simulated = f.simulatorTime();
        const double drift = (simulated - real) / real * 100.0;
        // The tick handler above runs after the window's own: the simulated
        // time it reads already holds that tick's advance, which stands for
        // the interval up to the tick.
        std::printf("at the end: wall %.3f s, simulated %.3f s, drift %+.3f %%\n", real, simulated, drift);
        std::printf("at the last tick: wall %.3f s, simulated %.3f s, drift %+.3f %%\n", tickWall, tickSimulated,
                    tickWall > 0 ? (tickSimulated - tickWall) / tickWall * 100.0 : 0.0);
        std::printf("ticks %ld (at 50 ms each: %.3f s), ticks more than 10 ms late: %ld\n", ticks, double(ticks) * 0.05,
                    late);
        app.quit();
    });
    return app.exec();
}
