// The settings the program keeps from one run to the next: read once at
// start-up and written once when the program ends, each in one function
// below, so that a new setting is one line in each.

#include "app/formcolour.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

namespace {

// Whether a window geometry saved on another day fits one of today's
// screens whole (a screen unplugged or a lower resolution since then).
bool fitsAScreen(const QByteArray &geometry)
{
    QWidget probe;
    if (!probe.restoreGeometry(geometry))
        return false;
    const QRect window = probe.geometry();
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect available = screen->availableGeometry();
        if (probe.isMaximized() ? available.contains(window.center()) : available.contains(window))
            return true;
    }
    return false;
}

QString portItem(int port) { return QStringLiteral("mnuUSBComPort%1").arg(port); }

} // namespace

void FormColour::loadSettings()
{
    if (!m_settings)
        return;
    QSettings &s = *m_settings;

    if (s.value(u"language").toString() == u"en" && !english())
        mnuConfigLanguage_Click();
    if (s.value(u"timeDisplay").toString() == u"seconds" && hmsMode())
        mnuConfigTimeViewer_Click();
    if (s.value(u"comments", false).toBool() && !menuItem(QStringLiteral("mnuHelpCommentOn"))->isChecked())
        mnuHelpCommentOn_Click();

    const QByteArray geometry = s.value(u"window/geometry").toByteArray();
    if (!geometry.isEmpty() && fitsAScreen(geometry)) {
        restoreGeometry(geometry);
        restoreState(s.value(u"window/state").toByteArray());
    }

    RecentFiles = s.value(u"recentFiles").toStringList().mid(0, kRecentFiles);
    showRecentFiles();

    s.beginGroup(u"folders");
    for (const QString &dialog : s.childKeys())
        m_dialogFolders.insert(dialog, s.value(dialog).toString());
    s.endGroup();

    // The manual port is taken as it was chosen, without opening it now:
    // switching the board on tries it.
    if (s.value(u"board/portMode").toString() == u"manual")
        mnuUSBComPortM_Click();
    const int port = s.value(u"board/port", 0).toInt();
    if (port >= 1 && port <= 16) {
        m_board->setPortNumber(port);
        menuItem(portItem(port))->setChecked(true);
    }
    menuItem(QStringLiteral("mnuUsbInterfaceOnCommandVf"))->setChecked(s.value(u"board/verify", true).toBool());
}

void FormColour::saveSettings()
{
    if (!m_settings)
        return;
    QSettings &s = *m_settings;

    s.setValue(u"language", english() ? QStringLiteral("en") : QStringLiteral("it"));
    s.setValue(u"timeDisplay", hmsMode() ? QStringLiteral("hms") : QStringLiteral("seconds"));
    s.setValue(u"comments", menuItem(QStringLiteral("mnuHelpCommentOn"))->isChecked());

    s.setValue(u"window/geometry", saveGeometry());
    s.setValue(u"window/state", saveState());

    s.setValue(u"recentFiles", RecentFiles);
    for (auto it = m_dialogFolders.cbegin(); it != m_dialogFolders.cend(); ++it)
        s.setValue(QStringLiteral("folders/") + it.key(), it.value());

    const bool manual = m_board->portChoice() == board::PortChoice::Manual;
    s.setValue(u"board/portMode", manual ? QStringLiteral("manual") : QStringLiteral("automatic"));
    s.setValue(u"board/port", m_board->portNumber());
    s.setValue(u"board/verify", menuItem(QStringLiteral("mnuUsbInterfaceOnCommandVf"))->isChecked());

    s.sync();
}

QString FormColour::dialogFolder(const QString &dialog) const { return m_dialogFolders.value(dialog); }

void FormColour::rememberFolder(const QString &dialog, const QString &path)
{
    m_dialogFolders.insert(dialog, QFileInfo(path).absolutePath());
}
