#include "board/boardmenus.h"

#include "app/captions.h"
#include "app/tags.h"
#include "board/boardsession.h"

#include <QAction>
#include <QActionGroup>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QProgressBar>
#include <QToolBar>

namespace board {

namespace {

QString itemName(const char *prefix, int n) { return QString::fromLatin1(prefix) + QString::number(n); }

// The menu item checked while each job is armed.
constexpr std::pair<Job, const char *> kJobItems[] = {
    {Job::Clean, "mnuUsbInterfaceOnCommandCl"}, {Job::Erase, "mnuUsbInterfaceOnCommandEr"},
    {Job::Read, "mnuUsbInterfaceOnCommandRd"},  {Job::Rename, "mnuUsbInterfaceOnCommandNn"},
    {Job::Write, "mnuUsbInterfaceOnCommandWr"}, {Job::Device, "mnuInfoBoard"},
    {Job::Backup, "mnuUsbInterfaceOnBackup"},   {Job::Restore, "mnuUsbInterfaceOnRestore"}};

} // namespace

BoardMenus::BoardMenus(QMainWindow &window, BoardSession &session, Window lent)
    : QObject(&window)
    , m_window(std::move(lent))
    , m_session(session)
    , m_toolbar(window.findChild<QToolBar *>(QStringLiteral("Toolbar")))
    , m_progress(window.findChild<QProgressBar *>(QStringLiteral("ProgressBarWait")))
    , m_modePanel(window.findChild<QLabel *>(QStringLiteral("StatusBarPanel3")))
    , m_resultPanel(window.findChild<QLabel *>(QStringLiteral("StatusBarPanel4")))
{
    for (QAction *action : window.findChildren<QAction *>()) {
        if (!action->objectName().isEmpty())
            m_items.insert(action->objectName(), action);
    }
    // Each port item names the device it stands for, as it is when the list
    // opens; the system is asked once per opening.
    auto *ports = window.findChild<QMenu *>(QStringLiteral("mnuUSBComPortS"));
    showPortDevices();
    connect(ports, &QMenu::aboutToShow, this, &BoardMenus::showPortDevices);
    ports->setToolTipsVisible(true);
    // Checked while its job runs.
    item("mnuInfoBoard")->setCheckable(true);
    // Verify after write is the item's choice, a setting: the session follows it.
    QAction *verify = item("mnuUsbInterfaceOnCommandVf");
    session.setVerifyAfterWrite(verify->isChecked());
    connect(verify, &QAction::toggled, &session, &BoardSession::setVerifyAfterWrite);

    // The buttons of the board show their state pressed; those of the modes,
    // the slots and the commands wait for the board to be switched on.
    for (const char *key :
         {"USBOn", "USBEm", "USBIn", "Cycle1", "Cycle2", "Cycle3", "Cycle4", "Cycle5", "Cycle6", "Cycle7", "Cycle8"})
        button(key)->setCheckable(true);
    for (const char *key : {"USBEm", "USBIn", "Cycle1", "Cycle2", "Cycle3", "Cycle4", "Cycle5", "Cycle6", "Cycle7",
                            "Cycle8", "Read", "Write", "Rename", "Stop"})
        button(key)->setEnabled(false);

    m_usbGate = new QActionGroup(this);
    m_usbGate->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (const char *name : {"mnuUsbOn", "mnuUsbEmulatorOn", "mnuUsbInterfaceOn", "mnuUsbInterfaceOnCommandRd",
                             "mnuUsbInterfaceOnCommandWr", "mnuUsbInterfaceOnCommandNn", "mnuUsbInterfaceOnCommandCl",
                             "mnuUsbInterfaceOnCommandEe", "mnuUsbInterfaceOnCommandEr", "mnuUsbInterfaceOnCommandVf",
                             "mnuUsbInterfaceOnBackup", "mnuUsbInterfaceOnRestore"})
        m_usbGate->addAction(item(name));
    m_slotItems = item("mnuUsbInterfaceOnCycle1")->actionGroup();
    m_toolbarGate = new QActionGroup(this);
    m_toolbarGate->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (QAction *action : m_toolbar->actions()) {
        if (!action->isSeparator() && action != button("Stop"))
            m_toolbarGate->addAction(action);
    }

    connect(&session, &BoardSession::busyChanged, this, &BoardMenus::showBusy);
    connect(&session, &BoardSession::progress, this, &BoardMenus::showProgress);
    connect(&session, &BoardSession::transferSlot, this, [this](Job, int slot, int place, int count) {
        m_progress->setFormat(transferProgress(slot, place, count).pick(m_window.english()));
        m_progress->setTextVisible(true);
    });
    connect(&session, &BoardSession::linkChanged, this,
            [this](bool online, int port) { m_window.setUsbStatus(online ? onlineStatus(port) : offlineStatus()); });
    connect(&session, &BoardSession::modeChanged, this, &BoardMenus::sync);
    connect(&session, &BoardSession::slotSelected, this, &BoardMenus::sync);
    connect(&session, &BoardSession::armedChanged, this, [this](Job job, bool armed) {
        for (const auto &[kind, name] : kJobItems) {
            if (kind == job)
                item(name)->setChecked(armed);
        }
        sync();
    });
    connect(&session, &BoardSession::slotNameChanged, this, &BoardMenus::showSlotName);
    connect(&session, &BoardSession::resultChanged, this, &BoardMenus::showPanels);
}

QString BoardMenus::slotCaption(int slot) const { return QString::fromLatin1(m_session.slotName(slot)); }

void BoardMenus::setButton(const char *key, std::optional<bool> pressed, std::optional<bool> enabled)
{
    QAction *action = button(key);
    if (pressed)
        action->setChecked(*pressed);
    if (enabled)
        action->setEnabled(*enabled);
}

void BoardMenus::sync()
{
    // The USB menu shows the session: the link on, its mode, the slot
    // ticked, the commands offered (slot 1 can only be read, from the toolbar).
    const LinkMode mode = m_session.mode();
    const bool on = m_session.isOn();
    const bool slotsOpen = mode == LinkMode::Interface;
    const int ticked = m_session.selectedSlot();
    item("mnuUsbOn")->setChecked(on);
    item("mnuUSBComPort")->setEnabled(!on);
    item("mnuInfoBoard")->setEnabled(on);
    QAction *emulatorOn = item("mnuUsbEmulatorOn");
    QAction *interfaceOn = item("mnuUsbInterfaceOn");
    emulatorOn->setEnabled(on);
    emulatorOn->setChecked(mode == LinkMode::Emulator);
    interfaceOn->setEnabled(on);
    interfaceOn->setChecked(slotsOpen);
    item("mnuUsbInterfaceOnCycle")->setEnabled(slotsOpen);
    item("mnuUsbInterfaceOnCommand")->setEnabled(slotsOpen && ticked > 1);
    for (QAction *slotItem : m_slotItems->actions())
        slotItem->setChecked(slotItem->data().toInt() == ticked);
    // Every toolbar button of the board follows its menu item, so a button
    // can only do what its item can: the slot pressed is the slot ticked,
    // and the commands are there only while the menu offers them.
    setButton("USBOn", on);
    setButton("USBEm", mode == LinkMode::Emulator, on);
    setButton("USBIn", slotsOpen, on);
    for (int k = 1; k <= 8; ++k)
        setButton(QByteArray("Cycle" + QByteArray::number(k)).constData(), slotsOpen && k == ticked, slotsOpen);
    const int slot = slotsOpen ? ticked : 0;
    setButton("Read", std::nullopt, slot != 0);
    setButton("Write", std::nullopt, slot > 1);
    setButton("Rename", std::nullopt, slot > 1);
    for (const char *name : {"mnuUsbInterfaceOnBackup", "mnuUsbInterfaceOnRestore"})
        item(name)->setEnabled(slotsOpen);
    // A back up or restore keeps the USB menu and the toolbar on for its Stop.
    const bool transfer = m_session.transferRunning();
    m_usbGate->setEnabled(!transfer);
    m_slotItems->setEnabled(!transfer);
    m_toolbarGate->setEnabled(!transfer);
    item("mnuUsbInterfaceOnStop")->setEnabled(transfer);
    setButton("Stop", std::nullopt, transfer);
    if (transfer) {
        item("mnuUSB")->setEnabled(true);
        m_toolbar->setEnabled(true);
    }
    showPanels();
}

void BoardMenus::showPanels()
{
    // Panel 3: the mode while online, and the slot selected in interface
    // mode; panel 4: the last job's result.
    const LinkMode mode = m_session.isOnline() ? m_session.mode() : LinkMode::None;
    const int slot = m_session.mode() == LinkMode::Interface ? m_session.selectedSlot() : 0;
    const Bilingual text = modeStatus(mode, slot, slot != 0 ? slotCaption(slot) : QString());
    const bool english = m_window.english();
    m_modePanel->setText(text.pick(english));
    m_resultPanel->setText(m_session.lastResult().pick(english));
}

void BoardMenus::showPortChoice()
{
    const bool manual = m_session.portChoice() == PortChoice::Manual;
    item("mnuUSBComPortA")->setChecked(!manual);
    item("mnuUSBComPortM")->setChecked(manual);
    item("mnuUSBComPortS")->setEnabled(manual);
    for (int n = 1; n <= 16; ++n)
        item(itemName("mnuUSBComPort", n))->setChecked(n == m_session.portNumber());
}

void BoardMenus::showPortDevices()
{
    // Its description beside the caption (or the device's own name when it
    // gives none), so the ports there stand out from those that are not;
    // its path as the tool tip.
    const QList<platform::SerialPort::PortDevice> devices = m_session.portDevices();
    for (int n = 1; n <= 16; ++n) {
        const platform::SerialPort::PortDevice device = devices.value(n - 1);
        QAction *port = item(itemName("mnuUSBComPort", n));
        port->setToolTip(device.path.isEmpty() ? QStringLiteral("-") : device.path);
        const QString caption = port->property("Caption").toString();
        const QString shown = device.description.isEmpty() ? QFileInfo(device.path).fileName() : device.description;
        port->setText(captions::escaped(shown.isEmpty() ? caption : caption + QStringLiteral("  (") + shown + u')'));
    }
}

void BoardMenus::disarmEraseAll()
{
    item("mnuUsbInterfaceOnCommandEe")->setChecked(false);
    item("mnuUsbInterfaceOnCommandEr")->setEnabled(false);
}

void BoardMenus::showSlotName(int slot, const QByteArray &name)
{
    // A name is whatever bytes the board holds: shown as they are, an "&"
    // included, never as a mnemonic.
    const QString caption = QString::fromLatin1(name);
    QAction *slotItem = item(itemName("mnuUsbInterfaceOnCycle", slot));
    slotItem->setProperty("Caption", caption);
    slotItem->setText(QString(caption).replace(u'&', QStringLiteral("&&")));
    showPanels();
}

// ----- The progress bar: what keeps the link busy ---------------------------------------

void BoardMenus::showBusy(Busy busy)
{
    QProgressBar *bar = m_progress;
    if (busy == Busy::Idle) {
        endProgress();
        return;
    }
    bar->setMaximum(m_session.maximum());
    bar->setMinimum(0);
    bar->setValue(m_session.step());
    // The tag's letter of each Busy state, in the enum's order.
    setTag(bar, QString(QLatin1Char("HSPM"[int(busy)])));
    // The scan shows itself from its first tick on.
    if (busy != Busy::Scan)
        bar->setVisible(true);
}

void BoardMenus::showProgress(int step)
{
    if (m_session.busy() == Busy::Scan)
        m_progress->setVisible(true);
    m_progress->setValue(step);
    // A back up or restore keeps its Stop within reach, whatever turned the
    // menus off meanwhile (the simulator's start does).
    if (m_session.transferRunning()) {
        item("mnuUSB")->setEnabled(true);
        m_toolbar->setEnabled(true);
    }
}

void BoardMenus::endProgress()
{
    QProgressBar *bar = m_progress;
    bar->setVisible(false);
    bar->setTextVisible(false);
    setTag(bar, QStringLiteral("H"));
    m_window.setEditorLocked(false);
}

} // namespace board
