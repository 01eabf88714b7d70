// orvanta-cli's board commands. The board session does every frame as it
// does for the window: here it is switched on with the port chosen, put in
// interface mode (which reads the slot names), given its one job and ticked
// every 50 ms, as the window's timer does, until the job has ended.

#include "app/cliboard.h"

#include "app/cli.h"
#include "board/backup.h"
#include "board/boardsession.h"
#include "board/reports.h"
#include "cyclefile/cyclefile.h"
#include "cyclefile/filewrite.h"
#include "editor/cycledocument.h"
#include "editor/rules.h"
#include "platform/qtserialport.h"
#include "store/numbers.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace cli {

namespace {

using namespace Qt::Literals::StringLiterals;
using board::Job;
using platform::BilingualMessage;

constexpr int kTickMs = 50;
constexpr int kBlocks = 16;

// SIGINT and SIGTERM reach the event loop through a socket pair.
int signalPair[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    if (::write(signalPair[0], &c, 1) < 0) {
        // Nothing to do in a signal handler.
    }
}

// The blocks a write or read has done at its step `value` (a block is
// checked every third step from step 4 on).
int blocksDone(int value) { return std::clamp((value - 2) / 3, 0, kBlocks); }

// A slot's or the board's name without the spaces that pad it.
QString shownName(const QByteArray &name) { return board::shownName(QString::fromLatin1(name)); }

QString joined(const QString &message)
{
    QString text = message;
    return text.replace(kLineBreak, u'\n');
}

class BoardRun
{
public:
    BoardRun(const BoardRequest &request, QTextStream &out, QTextStream &err)
        : m_request(request)
        , m_out(out)
        , m_err(err)
        , m_session(m_port)
        , m_progressShown(!request.quiet && ::isatty(::fileno(stderr)) != 0)
    {
    }

    int exec();

private:
    QString text(const char *english, const char *italian) const
    {
        return QString::fromUtf8(m_request.english ? english : italian);
    }
    QString pick(const Bilingual &b) const { return b.pick(m_request.english); }
    void say(const QString &message)
    {
        clearProgress();
        if (!m_request.quiet)
            m_err << u"orvanta-cli: "_s << joined(message) << Qt::endl;
    }
    // Ends the run: the loop stops at once, the port closes.
    void finish(int status)
    {
        if (m_done)
            return;
        m_done = true;
        m_status = status;
        clearProgress();
        m_timer.stop();
        m_session.switchOn(false);
        m_port.close();
        m_loop.quit();
    }
    void fail(int status, const QString &message)
    {
        say(message);
        finish(status);
    }

    int list();
    bool prepare();
    bool choosePort();
    void connectSession();
    void tick();
    void startJob();
    void jobFinished(Job job, int slot, bool success, const BilingualMessage &message);
    void linkLost(const BilingualMessage &reason);
    void interrupted();
    int finishRead();
    void showNames();
    void showDevice(const board::DeviceInfo &device);
    void showProgress(int step, int maximum);
    void clearProgress();
    Job job() const;
    // What a stop now may have left half done, as a line to tell.
    Bilingual halfDone() const;

    const BoardRequest &m_request;
    QTextStream &m_out;
    QTextStream &m_err;
    platform::QtSerialPort m_port;
    board::BoardSession m_session;
    editor::CycleDocument m_document;
    board::RestoreSet m_restore;
    QTimer m_timer;
    QEventLoop m_loop;
    bool m_progressShown;
    int m_progressWidth = 0;
    bool m_wasOnline = false;
    bool m_jobStarted = false;
    bool m_interrupted = false;
    bool m_verifying = false;
    bool m_done = false;
    int m_status = kDone;
    // A back up or restore: the slot under way and its place.
    int m_transferSlot = 0;
    int m_transferPlace = 0;
    QList<int> m_transferDone;
    std::optional<board::DeviceInfo> m_device;
};

Job BoardRun::job() const
{
    static constexpr std::pair<QStringView, Job> kJobs[] = {
        {u"info", Job::Device}, {u"read", Job::Read},   {u"write", Job::Write},   {u"rename", Job::Rename},
        {u"clean", Job::Clean}, {u"erase", Job::Erase}, {u"backup", Job::Backup}, {u"restore", Job::Restore},
    };
    for (const auto &[command, job] : kJobs) {
        if (m_request.command == command)
            return job;
    }
    return Job::Names;
}

int BoardRun::exec()
{
    if (m_request.command == u"list"_s)
        return list();
    if (!prepare() || !choosePort())
        return m_status;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPair) == 0) {
        auto *notifier = new QSocketNotifier(signalPair[1], QSocketNotifier::Read, &m_timer);
        QObject::connect(notifier, &QSocketNotifier::activated, &m_timer, [this] {
            char c = 0;
            if (::read(signalPair[1], &c, 1) >= 0)
                m_interrupted = true;
        });
        struct sigaction action
        {
        };
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int s : {SIGINT, SIGTERM})
            ::sigaction(s, &action, nullptr);
    }
    connectSession();
    m_timer.setInterval(kTickMs);
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { tick(); });
    m_session.switchOn(true);
    m_timer.start();
    m_loop.exec();
    m_out.flush();
    return m_status;
}

// ----- Before the port opens ------------------------------------------------------

bool BoardRun::prepare()
{
    if (m_request.command == u"write"_s) {
        // The file is read whole, with the program's reader, before the board is looked for.
        cyclefile::ReadResult result;
        QString name = m_request.path;
        if (m_request.path == u"-"_s) {
            QFile in;
            if (!in.open(stdin, QIODevice::ReadOnly)) {
                fail(kNotACycle, text("standard input cannot be read", "non si pu\u00f2 leggere lo standard input"));
                return false;
            }
            result = cyclefile::readCycle(in.readAll());
            name = text("standard input", "standard input");
        } else {
            result = cyclefile::readCycleFile(m_request.path);
        }
        if (!result.ok()) {
            fail(kNotACycle, name + u":\n"_s + pick(result.failure->text));
            return false;
        }
        const cyclefile::LoadedCycle &cycle = *result.cycle;
        if (cycle.notice)
            say(name + u":\n"_s + pick(cycle.notice->text));
        // The cycle taken into a document as File Open takes it.
        for (int k = 1; k <= store::kRowCount; ++k)
            m_document.table().row(k) = cycle.rows[std::size_t(k - 1)];
        m_document.setPointCount(cycle.pointCount);
        m_document.setTransitionTime(store::toNumber(cycle.transitionTime));
        m_document.table().MoveFirst();
    } else if (m_request.command == u"restore"_s) {
        // Every file is read whole before anything goes to the board.
        m_restore = board::readRestoreSet(m_request.path);
        if (m_restore.refusal) {
            fail(kNotACycle, pick(m_restore.refusal->text));
            return false;
        }
    } else if (m_request.command == u"backup"_s && !QDir().mkpath(m_request.path)) {
        fail(kWriteFailed, text("the folder %1 cannot be made", "non si pu\u00f2 creare la cartella %1")
                               .arg(QDir::toNativeSeparators(m_request.path)));
        return false;
    }
    return true;
}

bool BoardRun::choosePort()
{
    if (!m_request.device.isEmpty()) {
        m_port.setDevice(m_request.device);
        m_session.setPortChoice(board::PortChoice::Manual);
        m_session.setPortNumber(1);
    } else if (m_request.port != 0) {
        if (m_port.portDevice(m_request.port).isEmpty()) {
            fail(kNoBoard,
                 text("COM%1 stands for no serial device", "COM%1 non corrisponde ad alcun dispositivo seriale")
                     .arg(m_request.port));
            return false;
        }
        m_session.setPortChoice(board::PortChoice::Manual);
        m_session.setPortNumber(m_request.port);
    }
    return true;
}

// ----- The session on its ticks ---------------------------------------------------------

void BoardRun::connectSession()
{
    using S = board::BoardSession;
    QObject *context = &m_timer;
    QObject::connect(&m_session, &S::busyChanged, context, [this](board::Busy busy) {
        // Interface mode as soon as the link is up and free, before the
        // supervision's first cycle: the board never sees an emulator colour,
        // and the names are read before the job.
        if (busy == board::Busy::Idle && m_session.isOnline() && !m_wasOnline) {
            m_wasOnline = true;
            m_session.setMode(board::LinkMode::Interface);
        }
    });
    QObject::connect(&m_session, &S::linkLost, context, [this](const BilingualMessage &r) { linkLost(r); });
    QObject::connect(&m_session, &S::jobFinished, context,
                     [this](Job job, int slot, bool success, const BilingualMessage &message) {
                         jobFinished(job, slot, success, message);
                     });
    QObject::connect(&m_session, &S::deviceRead, context, [this](const board::DeviceInfo &d) { m_device = d; });
    QObject::connect(&m_session, &S::progress, context, [this](int step, int maximum) {
        // A write's verify reads the slot back: nothing more is written.
        m_verifying = m_jobStarted && job() == Job::Write && maximum == board::kReadFailure;
        showProgress(step, maximum);
    });
    QObject::connect(&m_session, &S::transferSlot, context, [this](Job, int slot, int place, int) {
        if (m_transferSlot != 0 && slot != m_transferSlot)
            m_transferDone << m_transferSlot;
        m_transferSlot = slot;
        m_transferPlace = place;
    });
    // A write sends the cycle as the window does: put in order first.
    m_session.setWritePreparation([this] {
        store::ColourTable &points = m_document.table();
        const editor::CheckResult result = editor::DataBaseCheck(points, m_document.transitionTime());
        m_document.setPointCount(result.pointCount);
        for (const BilingualMessage &message : result.messages)
            say(pick(message.text));
        points.MoveFirst();
        return board::WriteSource{&points, m_document.pointCount(), m_document.transitionTime()};
    });
}

void BoardRun::tick()
{
    // A signal stops the run between two ticks, so between two frames.
    if (m_interrupted)
        interrupted();
    else
        m_session.tick();
}

void BoardRun::startJob()
{
    m_jobStarted = true;
    const int slot = job() == Job::Erase ? 1 : m_request.slot;
    m_session.selectSlot(slot);
    m_session.setVerifyAfterWrite(m_request.verify);
    bool armed = true;
    switch (job()) {
    case Job::Names: showNames(); return;
    case Job::Device: armed = m_session.armDevice(); break;
    case Job::Read: armed = m_session.armRead(); break;
    case Job::Write:
        armed = m_session.armWrite({&m_document.table(), m_document.pointCount(), m_document.transitionTime()});
        break;
    case Job::Rename: armed = m_session.armRename(m_request.name); break;
    case Job::Clean: armed = m_session.armClean(); break;
    case Job::Erase: armed = m_session.armErase(); break;
    case Job::Backup: armed = m_session.startBackup(m_request.path); break;
    case Job::Restore: armed = m_session.startRestore(m_restore); break;
    case Job::Verify: break;
    }
    if (!armed)
        fail(kJobFailed,
             text("the board cannot take the command now", "la scheda non pu\u00f2 eseguire il comando ora"));
}

void BoardRun::jobFinished(Job finished, int slot, bool success, const BilingualMessage &message)
{
    Q_UNUSED(slot);
    if (!success) {
        QString why = pick(message.text).isEmpty() ? pick(m_session.lastResult()) : pick(message.text);
        // A port that closed itself on a device error failed the job: the
        // board has gone, and the port says how.
        if (!m_port.isOpen() && m_port.errorsHandled() > 0) {
            const platform::SerialPort::PortFailure gone{platform::SerialPort::PortError::Removed,
                                                         m_port.portDevice(m_session.openPort()), m_port.lastError()};
            why += u'\n' + pick(board::withLine(board::disconnectedMessage(), board::portErrorLine(gone)).text);
        }
        // A port that opened but where no board gives its names holds no board.
        fail(m_jobStarted ? kJobFailed : kNoBoard, why);
        return;
    }
    if (finished == Job::Names && !m_jobStarted) {
        startJob();
        return;
    }
    // A write that passed ends with its verify, which the session reports as a job of its own.
    if (finished == Job::Names || (finished == Job::Write && m_request.verify))
        return;
    clearProgress();
    int status = kDone;
    switch (finished) {
    case Job::Read: status = finishRead(); break;
    case Job::Device:
        if (m_device)
            showDevice(*m_device);
        break;
    case Job::Backup:
    case Job::Restore: m_out << joined(pick(message.text)) << u'\n'; break;
    default: m_out << pick(m_session.lastResult()) << u'\n'; break;
    }
    finish(status);
}

void BoardRun::linkLost(const BilingualMessage &reason)
{
    QString message = pick(reason.text);
    const QString line = pick(halfDone());
    if (!line.isEmpty())
        message += u'\n' + line;
    // Lost before the board gave its names: no board on the port, or the port did not open.
    fail(m_jobStarted ? kJobFailed : kNoBoard, message);
}

void BoardRun::interrupted()
{
    QString message = text("interrupted", "interrotto");
    const QString line = pick(halfDone());
    if (!line.isEmpty())
        message += u'\n' + line;
    fail(kInterrupted, message);
}

Bilingual BoardRun::halfDone() const
{
    // The session has dropped its jobs by the time the link is lost: the
    // job is this run's own, started and not ended.
    if (!m_jobStarted || m_done)
        return {};
    const Job j = job();
    if (j == Job::Restore && m_transferSlot != 0)
        return board::restoreStoppedMessage(m_transferSlot, m_transferDone).text;
    if ((j == Job::Write && !m_verifying) || j == Job::Clean || j == Job::Rename || j == Job::Erase)
        return board::failureLine(j, m_request.slot);
    return {};
}

// ----- Results -----------------------------------------------------------------------

int BoardRun::finishRead()
{
    // The slot taken into a document as the window takes it, and written
    // as File Save writes it.
    const board::ReadCycle &cycle = m_session.readCycle();
    m_document.setCycle(cycle.table, cycle.pointCount, cycle.transitionTime);
    const QByteArray file = cyclefile::writeCycle(m_document.table(), m_document.transitionText());
    const QString &output = m_request.path;
    if (output.isEmpty() || output == u"-"_s) {
        QFile out;
        if (out.open(stdout, QIODevice::WriteOnly) && out.write(file) == file.size() && out.flush())
            return kDone;
        say(text("the cycle cannot be written to standard output",
                 "non si pu\u00f2 scrivere il ciclo sullo standard output"));
        return kWriteFailed;
    }
    if (const std::optional<QString> failure = cyclefile::writeWholeFile(output, file)) {
        say(text("%1 cannot be written: %2", "non si pu\u00f2 scrivere %1: %2").arg(output, *failure));
        return kWriteFailed;
    }
    return kDone;
}

void BoardRun::showNames()
{
    const QList<QByteArray> &names = m_session.slotNames();
    if (m_request.json) {
        QJsonArray list;
        for (int k = 1; k <= names.size(); ++k)
            list.append(QJsonObject{{u"slot"_s, k}, {u"name"_s, shownName(names.at(k - 1))}});
        m_out << QJsonDocument(list).toJson(QJsonDocument::Indented);
    } else {
        for (int k = 1; k <= names.size(); ++k)
            m_out << k << u"  "_s << shownName(names.at(k - 1)) << u'\n';
    }
    finish(kDone);
}

void BoardRun::showDevice(const board::DeviceInfo &device)
{
    const QString name = shownName(device.name);
    const QString hardware = board::versionText(device.hardware);
    const QString firmware = board::versionText(device.firmware);
    const QString product = board::versionText(device.product);
    if (m_request.json) {
        m_out << QJsonDocument(QJsonObject{{u"device"_s, name},
                                           {u"hardware"_s, hardware},
                                           {u"firmware"_s, firmware},
                                           {u"product"_s, product},
                                           {u"port"_s, m_session.openPort()}})
                     .toJson(QJsonDocument::Indented);
        return;
    }
    m_out << text("Device: ", "Scheda: ") << name << u'\n' << u"Hardware: "_s << hardware << u'\n' << u"Firmware: "_s
          << firmware << u'\n' << text("Product: ", "Prodotto: ") << product << u'\n';
}

// ----- Progress on a terminal ---------------------------------------------------------------

void BoardRun::showProgress(int step, int maximum)
{
    if (!m_progressShown || m_done)
        return;
    QString line;
    if (m_session.busy() == board::Busy::Scan) {
        line = text("Looking for the board: COM%1", "Ricerca della scheda: COM%1").arg(step);
    } else if (m_session.busy() != board::Busy::Job) {
        return;
    } else if (!m_jobStarted) {
        line = text("Reading the slot names", "Lettura dei nomi degli slot");
    } else {
        int value = step;
        bool verifying = false;
        QString what;
        switch (job()) {
        case Job::Write:
            verifying = maximum == board::kReadFailure;
            what = verifying ? text("Verifying", "Verifica") : text("Writing", "Scrittura");
            break;
        case Job::Read: what = text("Reading", "Lettura"); break;
        case Job::Backup:
            what = text("Backing up", "Salvataggio");
            value = step - board::kTextFailure - (m_transferPlace - 1) * board::kReadFailure;
            break;
        case Job::Restore: {
            const int perSlot =
                board::kWriteFailure + (m_request.verify ? board::kReadFailure : 0) + board::kRenameFailure;
            value = step - (m_transferPlace - 1) * perSlot;
            verifying = value >= board::kWriteFailure;
            if (verifying)
                value -= board::kWriteFailure;
            what = verifying ? text("Restoring (verify)", "Ripristino (verifica)") : text("Restoring", "Ripristino");
            break;
        }
        default: what = text("Working", "Lavoro in corso"); break;
        }
        const int slot = m_transferSlot != 0 || job() == Job::Backup ? m_transferSlot : m_request.slot;
        line = slot == 0 ? text("%1: slot names", "%1: nomi degli slot").arg(what)
                         : text("%1 slot %2: %3/%4 blocks", "%1 slot %2: %3/%4 blocchi")
                               .arg(what)
                               .arg(slot)
                               .arg(blocksDone(value))
                               .arg(kBlocks);
    }
    m_err << u'\r' << line.leftJustified(m_progressWidth);
    m_err.flush();
    m_progressWidth = int(line.size());
}

void BoardRun::clearProgress()
{
    if (m_progressWidth == 0)
        return;
    m_err << u'\r' << QString(m_progressWidth, u' ') << u'\r';
    m_err.flush();
    m_progressWidth = 0;
}

// ----- board list -------------------------------------------------------------------------

int BoardRun::list()
{
    if (!m_request.device.isEmpty())
        m_port.setDevice(m_request.device);
    const QList<platform::SerialPort::PortDevice> devices = m_session.portDevices();
    QJsonArray ports;
    int found = 0;
    int listed = 0;
    for (int n = 1; n <= devices.size(); ++n) {
        const platform::SerialPort::PortDevice &d = devices.at(n - 1);
        if (d.path.isEmpty() || (m_request.port != 0 && n != m_request.port))
            continue;
        const bool board = m_session.testPort(n).found;
        ++listed;
        if (board && found == 0)
            found = n;
        if (m_request.json) {
            ports.append(QJsonObject{{u"port"_s, u"COM%1"_s.arg(n)},
                                     {u"device"_s, d.path},
                                     {u"description"_s, d.description},
                                     {u"board"_s, board}});
        } else {
            m_out << u"COM%1"_s.arg(n).leftJustified(6) << u' ' << d.path << (d.description.isEmpty() ? u""_s : u"  "_s)
                  << d.description << (board ? text("  <- the board", "  <- la scheda") : QString()) << u'\n';
        }
    }
    if (m_request.json)
        m_out << QJsonDocument(ports).toJson(QJsonDocument::Indented);
    else if (listed == 0)
        m_out << text("No serial port.", "Nessuna porta seriale.") << u'\n';
    m_out.flush();
    if (found == 0) {
        say(pick(board::noBoardMessage().text));
        return kNoBoard;
    }
    return kDone;
}

} // namespace

int runBoard(const BoardRequest &request, QTextStream &out, QTextStream &err)
{
    BoardRun run(request, out, err);
    return run.exec();
}

} // namespace cli
