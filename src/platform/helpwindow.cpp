#include "platform/helpwindow.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace platform {

QPointer<HelpWindow> HelpWindow::s_window;

namespace {

// The window's own texts, in the language of the guide it shows.
struct GuideTexts
{
    const char *file;
    const char *back;
    const char *forward;
    const char *home;
    const char *contents;
};
constexpr GuideTexts kGuides[] = {
    {"OrvantaGuida", "Indietro", "Avanti", "Inizio", "Indice"},
    {"OrvantaGuide", "Back", "Forward", "Start", "Contents"},
};

const GuideTexts &textsFor(const QUrl &source)
{
    const QString file = source.fileName();
    for (const GuideTexts &g : kGuides)
        if (file.startsWith(QLatin1String(g.file)))
            return g;
    return kGuides[0];
}

QString anchorOf(const QTextBlock &block)
{
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QStringList names = it.fragment().charFormat().anchorNames();
        if (!names.isEmpty())
            return names.first();
    }
    return {};
}

enum ItemData { PositionRole = Qt::UserRole, AnchorRole };

} // namespace

HelpWindow *HelpWindow::showGuide(const QString &helpFile, QWidget *parent)
{
    if (!s_window) {
        s_window = new HelpWindow(parent);
        s_window->fitToScreen(parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen());
    }
    s_window->load(helpFile);
    s_window->show();
    s_window->raise();
    s_window->activateWindow();
    return s_window;
}

void HelpWindow::switchGuide(const QString &helpFile)
{
    if (s_window)
        s_window->load(helpFile);
}

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Orvanta"));
    resize(1000, 720);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    auto *bar = new QHBoxLayout;
    const auto makeButton = [this, bar](const char *name, QStyle::StandardPixmap icon) {
        auto *button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(style()->standardIcon(icon));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        bar->addWidget(button);
        return button;
    };
    m_back = makeButton("HelpBack", QStyle::SP_ArrowBack);
    m_forward = makeButton("HelpForward", QStyle::SP_ArrowForward);
    m_home = makeButton("HelpHome", QStyle::SP_ArrowUp);
    bar->addStretch();
    layout->addLayout(bar);

    auto *splitter = new QSplitter(this);
    m_contents = new QTreeWidget(splitter);
    m_contents->setObjectName(QStringLiteral("HelpContents"));
    m_contents->setColumnCount(1);
    m_contents->header()->setSectionResizeMode(QHeaderView::Stretch);
    m_browser = new QTextBrowser(splitter);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 760});
    layout->addWidget(splitter, 1);

    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_home, &QToolButton::clicked, this, [this] { m_browser->verticalScrollBar()->setValue(0); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::documentShown);
    connect(m_contents, &QTreeWidget::itemActivated, this, &HelpWindow::contentsItemActivated);
    connect(m_contents, &QTreeWidget::itemClicked, this, &HelpWindow::contentsItemActivated);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void HelpWindow::fitToScreen(const QScreen *screen)
{
    if (!screen)
        return;
    // The frame and the title bar are not known before the window is shown:
    // room is left for them, so that the close button stays on the screen.
    const QRect available = screen->availableGeometry();
    const QSize room = (available.size() - QSize(16, 48)).expandedTo(minimumSizeHint());
    resize(size().boundedTo(room));
    QRect placed(QPoint(0, 0), size());
    placed.moveCenter(available.center());
    move(QPoint(std::max(placed.left(), available.left()), std::max(placed.top(), available.top())));
}

void HelpWindow::load(const QString &helpFile)
{
    const QUrl url(QStringLiteral("qrc:/help/%1.html").arg(helpFile));
    if (m_browser->source() == url)
        documentShown(url);
    else
        m_browser->setSource(url);
}

void HelpWindow::documentShown(const QUrl &source)
{
    // The title names the program and the guide, as the guide itself does.
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Orvanta") : title);
    const GuideTexts &texts = textsFor(source);
    m_back->setText(QString::fromUtf8(texts.back));
    m_forward->setText(QString::fromUtf8(texts.forward));
    m_home->setText(QString::fromUtf8(texts.home));
    m_contents->setHeaderLabels({QString::fromUtf8(texts.contents)});

    // The table of contents: the sections (h2) and their topics (h3).
    m_contents->clear();
    QTreeWidgetItem *section = nullptr;
    for (QTextBlock block = m_browser->document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level != 2 && level != 3)
            continue;
        QTreeWidgetItem *item = nullptr;
        if (level == 2 || !section)
            item = section = new QTreeWidgetItem(m_contents);
        else
            item = new QTreeWidgetItem(section);
        item->setText(0, block.text().simplified());
        item->setData(0, PositionRole, block.position());
        item->setData(0, AnchorRole, anchorOf(block));
    }
    m_contents->expandAll();
}

void HelpWindow::contentsItemActivated(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const QString anchor = item->data(0, AnchorRole).toString();
    if (!anchor.isEmpty()) {
        m_browser->scrollToAnchor(anchor);
        return;
    }
    const QTextBlock block = m_browser->document()->findBlock(item->data(0, PositionRole).toInt());
    const QRectF rect = m_browser->document()->documentLayout()->blockBoundingRect(block);
    m_browser->verticalScrollBar()->setValue(int(rect.top()));
}

} // namespace platform
