// Started by bench_startup: builds one window, shows it, and on its first
// paint writes the monotonic clock in nanoseconds to stdout and leaves.

#include "platform/qtdialogs.h"
#include "support/scripteddialogs.h"
#include "support/window.h"
#include "virtualport.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {

class FirstPaint final : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            // Let this paint finish, then report.
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    timespec now{};
                    clock_gettime(CLOCK_MONOTONIC, &now);
                    std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                    std::fflush(stdout);
                    _exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    QApplication app(argc, argv);
    FirstPaint firstPaint;
    app.installEventFilter(&firstPaint);
    if (bare) {
        QMainWindow window;
        window.setWindowTitle(QStringLiteral("Orvanta"));
        window.menuBar()->addMenu(QStringLiteral("File"));
        window.statusBar();
        window.resize(1280, 800);
        window.show();
        return app.exec();
    }
    platform::QtDialogs dialogs;
    board::VirtualBoard board;
    board::VirtualSerialPort port{board, 0}; // no board: no port opens
    FormColour window(dialogs, port);
    window.show();
    return app.exec();
}
