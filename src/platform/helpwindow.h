#pragma once

#include <QPointer>
#include <QWidget>

class QScreen;
class QTextBrowser;
class QUrl;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace platform {

// The program's own help viewer: the bundled guide in a text browser, with
// its links, a table of contents built from the guide's headings and the
// usual back and forward steps. It needs no browser and no network.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    // Shows the guide named `helpFile` ("OrvantaGuida" or "OrvantaGuide") in
    // the one help window of the program, opening it when needed.
    static HelpWindow *showGuide(const QString &helpFile, QWidget *parent = nullptr);
    // The help window, when it is open, shows the guide `helpFile` instead.
    static void switchGuide(const QString &helpFile);

    explicit HelpWindow(QWidget *parent = nullptr);

    // Sized to the screen's available area (at most its own 1000 x 720) and
    // centred on it, so that a small or scaled screen shows it whole.
    void fitToScreen(const QScreen *screen);

    // Loads a guide by its name.
    void load(const QString &helpFile);

    QTextBrowser *browser() const { return m_browser; }
    QTreeWidget *contents() const { return m_contents; }

private:
    // Title, button texts and contents for the document just shown.
    void documentShown(const QUrl &source);
    void contentsItemActivated(QTreeWidgetItem *item);

    QTextBrowser *m_browser = nullptr;
    QTreeWidget *m_contents = nullptr;
    QToolButton *m_back = nullptr;
    QToolButton *m_forward = nullptr;
    QToolButton *m_home = nullptr;
    static QPointer<HelpWindow> s_window;
};

} // namespace platform
