// orvanta-virtual-board: a virtual RGB-8 board on a pseudo-terminal, for
// trying Orvanta's board link without hardware.

#include "ptyboard.h"

#include "board/records.h"
#include "store/colourtable.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    if (::write(signalPipe[0], &c, 1) < 0) {
        // Nothing to do in a signal handler; the next signal tries again.
    }
}

// Quits the event loop on SIGINT, SIGTERM and SIGHUP, outside the handler.
bool quitOnSignals(QCoreApplication &app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return false;
    auto *notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] {
        char c;
        if (::read(signalPipe[1], &c, 1) >= 0)
            app.quit();
    });
    struct sigaction action
    {
    };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(s, &action, nullptr);
    return true;
}

struct DemoPoint
{
    int time;
    int length;
    int red, green, blue;
};

void putCycle(board::VirtualBoard &b, int slot, const char *name, std::initializer_list<DemoPoint> points,
              int transition)
{
    QList<QByteArray> records;
    int id = 0;
    for (const DemoPoint &p : points) {
        store::ColourPoint point;
        point.setValue(store::Field::PointID, ++id);
        point.setValue(store::Field::Time, p.time);
        point.setValue(store::Field::Length, p.length);
        point.setValue(store::Field::Red, p.red);
        point.setValue(store::Field::Green, p.green);
        point.setValue(store::Field::Blue, p.blue);
        records.append(board::pointRecord(point));
    }
    b.setSlot(slot, records, board::transitionRecord(transition, int(records.size())));
    b.setName(slot, name);
}

constexpr int kHour = 3600;

void putDemo(board::VirtualBoard &b)
{
    // Sound cycles: point 1 at midnight, and the last hold and the ramp back
    // to point 1 end within the day.
    putCycle(b, 1, "Sunrise ",
             {{0, 5 * kHour, 2, 1, 5},
              {6 * kHour, 1800, 60, 30, 10},
              {7 * kHour, 4 * kHour, 100, 90, 70},
              {13 * kHour, 5 * kHour, 100, 100, 90},
              {19 * kHour, 2 * kHour, 60, 30, 10},
              {22 * kHour, kHour, 5, 2, 10}},
             kHour);
    putCycle(b, 2, "Evening ",
             {{0, 17 * kHour, 0, 0, 0},
              {18 * kHour, 2 * kHour, 90, 50, 10},
              {21 * kHour, kHour, 30, 10, 2},
              {23 * kHour, 1200, 5, 0, 10}},
             1800);
    putCycle(b, 3, "Aquarium",
             {{0, 7 * kHour, 0, 5, 20},
              {8 * kHour, 1800, 0, 10, 40},
              {10 * kHour, 7 * kHour, 90, 95, 100},
              {18 * kHour, 2 * kHour, 10, 30, 80},
              {21 * kHour, kHour, 0, 0, 10}},
             kHour);
}

// The program built beside this tool, or its plain name.
QString orvantaCommand()
{
    const QFileInfo built(QCoreApplication::applicationDirPath() + QStringLiteral("/../../src/orvanta"));
    return built.isFile() && built.isExecutable() ? built.canonicalFilePath() : QStringLiteral("orvanta");
}

QString shellQuoted(const QString &s)
{
    static const QString safe = QStringLiteral("/._-+:=,@%");
    const bool plain = std::all_of(
        s.begin(), s.end(), [](QChar c) { return (c.isLetterOrNumber() && c.unicode() < 128) || safe.contains(c); });
    if (plain && !s.isEmpty())
        return s;
    QString quoted = s;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orvanta-virtual-board"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A virtual Orvanta RGB-8 board on a pseudo-terminal. Start Orvanta with "
                       "ORVANTA_PORT_DIR set to the folder shown and choose the port in the USB menu."));
    parser.addHelpOption();
    const QCommandLineOption dirOption(QStringLiteral("dir"),
                                       QStringLiteral("Folder for the COMn link (default: a new temporary folder)."),
                                       QStringLiteral("DIR"));
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Port number n of COMn, 1..16 (default 1)."),
                                        QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption logOption(QStringLiteral("log"),
                                       QStringLiteral("Log every frame in and every chunk out on stderr."));
    const QCommandLineOption silentOption(QStringLiteral("silent-after"),
                                          QStringLiteral("Answer only the first N frames."), QStringLiteral("N"));
    const QCommandLineOption badOption(QStringLiteral("bad-checksum"),
                                       QStringLiteral("Send every reply with a wrong checksum."));
    const QCommandLineOption junkOption(QStringLiteral("junk"),
                                        QStringLiteral("Send N junk bytes ahead of every reply."), QStringLiteral("N"));
    const QCommandLineOption splitOption(QStringLiteral("split"),
                                         QStringLiteral("Send every reply in two parts, 20 ms apart."));
    const QCommandLineOption lateOption(QStringLiteral("late"),
                                        QStringLiteral("Send every reply MS milliseconds late."), QStringLiteral("MS"));
    const QCommandLineOption vanishOption(QStringLiteral("vanish-after"),
                                          QStringLiteral("Vanish, like an unplugged adapter, at the N-th frame."),
                                          QStringLiteral("N"));
    const QCommandLineOption corruptOption(
        QStringLiteral("corrupt-point"),
        QStringLiteral("Store point N (1..64) of every write wrongly, red one step off, as a failing memory does."),
        QStringLiteral("N"));
    const QCommandLineOption namesOption(QStringLiteral("names"),
                                         QStringLiteral("Names of slots 1, 2, ... separated by commas."),
                                         QStringLiteral("a,b,c"));
    const QCommandLineOption demoOption(QStringLiteral("demo"),
                                        QStringLiteral("Put a few named cycles into the first slots."));
    parser.addOptions({dirOption, portOption, logOption, silentOption, badOption, junkOption, splitOption, lateOption,
                       vanishOption, corruptOption, namesOption, demoOption});
    parser.process(app);

    QTextStream err(stderr);
    auto number = [&](const QCommandLineOption &option, int low, int high) {
        bool ok = false;
        const int value = parser.value(option).toInt(&ok);
        if (!ok || value < low || value > high) {
            err << QStringLiteral("--%1 wants a number from %2 to %3")
                       .arg(option.names().constFirst())
                       .arg(low)
                       .arg(high)
                << Qt::endl;
            std::exit(2);
        }
        return value;
    };

    PtyBoard pty;
    board::VirtualBoard &b = pty.board();
    if (parser.isSet(demoOption))
        putDemo(b);
    if (parser.isSet(namesOption)) {
        const QStringList names = parser.value(namesOption).split(QLatin1Char(','));
        for (int s = 1; s <= 8 && s <= names.size(); ++s)
            b.setName(s, names.at(s - 1).toLatin1());
    }
    if (parser.isSet(silentOption))
        b.faults.silentAfter = number(silentOption, 0, 1 << 30);
    b.faults.badChecksum = parser.isSet(badOption);
    if (parser.isSet(junkOption))
        b.faults.junkBefore = number(junkOption, 0, 1024);
    b.faults.splitReplies = parser.isSet(splitOption);
    if (parser.isSet(lateOption))
        b.faults.lateMs = number(lateOption, 0, 60000);
    if (parser.isSet(vanishOption))
        b.faults.vanishAfter = number(vanishOption, 1, 1 << 30);
    if (parser.isSet(corruptOption))
        b.faults.corruptPoint = number(corruptOption, 1, 64);
    const int port = number(portOption, 1, 16);
    if (parser.isSet(logOption))
        pty.setLog(&err);

    QTemporaryDir temporary(QDir::tempPath() + QStringLiteral("/orvanta-board-XXXXXX"));
    QString dir = parser.value(dirOption);
    if (dir.isEmpty()) {
        if (!temporary.isValid()) {
            err << "cannot make a temporary folder: " << temporary.errorString() << Qt::endl;
            return 1;
        }
        dir = temporary.path();
    }
    if (!pty.start(dir, port)) {
        err << "orvanta-virtual-board: " << pty.errorString() << Qt::endl;
        return 1;
    }
    if (!quitOnSignals(app))
        err << "orvanta-virtual-board: no signal handling; stop it with kill -9" << Qt::endl;
    QObject::connect(&pty, &PtyBoard::vanished, &app,
                     [&err] { err << "The board has vanished; stop this tool with Ctrl+C." << Qt::endl; });

    QTextStream out(stdout);
    out << "Virtual board on " << pty.devicePath() << ", linked as " << pty.linkPath() << Qt::endl;
    out << "Start Orvanta against it with:" << Qt::endl;
    out << "  ORVANTA_PORT_DIR=" << shellQuoted(QFileInfo(dir).absoluteFilePath()) << ' '
        << shellQuoted(orvantaCommand()) << Qt::endl;

    const int code = app.exec();
    // The link goes with the board (the PtyBoard's destructor), before the
    // temporary folder.
    return code;
}
