// The window on small and scaled screens: at its minimum size every named
// control is whole and inside the window; smaller than that (a screen at 200 %)
// the controls are still all reachable through scrolling.

#include "chart/chartview.h"
#include "platform/helpwindow.h"
#include "support/formfixture.h"

#include <QDockWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

namespace {

// The named controls a user works with: every visible widget with a name of
// the program's own (the chart's overlays and hidden holders excluded).
QList<QWidget *> namedControls(FormColour &w)
{
    QList<QWidget *> out;
    for (QWidget *c : w.findChildren<QWidget *>()) {
        const QString name = c->objectName();
        if (name.isEmpty() || name.startsWith(u"qt_") || !c->isVisibleTo(&w) || c->window() != &w)
            continue;
        if (c->parentWidget()
            == static_cast<QWidget *>(child<ChartView>(w, "MSChartColorCycle"))) // overlays drawn on the chart
            continue;
        out.append(c);
    }
    return out;
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void screen_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("scrolled");
        // A 1024 x 600 screen leaves 1000 x 540 beside a title bar and a panel:
        // every named control whole and inside the window, no scrolling.
        QTest::newRow("1024 x 600") << QSize(1000, 540) << false;
        // 1600 x 1000 at 200 % is 800 x 500 logical pixels: all reachable by scrolling.
        QTest::newRow("1600 x 1000 at 200 %") << QSize(780, 440) << true;
    }
    void screen()
    {
        QFETCH(QSize, size);
        QFETCH(bool, scrolled);
        FormFixture f;
        FormColour &w = *f.form;
        const QRect available = w.screen()->availableGeometry(); // it opens within the screen
        QVERIFY(w.width() <= available.width() && w.height() <= available.height());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // The points table opened and closed again gives all its room back.
        QVERIFY(f.trigger(QStringLiteral("mnuViewPointsTable")));
        QVERIFY(f.trigger(QStringLiteral("mnuViewPointsTable")));
        QVERIFY(w.minimumSize().width() <= size.width() && w.minimumSize().height() <= size.height());
        auto *scroll = w.findChild<QScrollArea *>(QStringLiteral("FormColourScroll"));
        QWidget *content = scroll->widget();
        if (!scrolled) {
            // Too little room beside the controls: the points table floats
            // rather than push them under a scroll bar.
            size.setWidth(std::max(w.minimumWidth(), content->minimumSizeHint().width() + 120));
            w.resize(size);
            QTRY_COMPARE(w.size(), size);
            QVERIFY(f.trigger(QStringLiteral("mnuViewPointsTable")));
            QVERIFY(w.findChild<QDockWidget *>(QStringLiteral("PointsTable"))->isFloating());
        }
        w.resize(size);
        QTRY_COMPARE(w.size(), size);
        QVERIFY(content->width() >= content->minimumSizeHint().width()
                && content->height() >= content->minimumSizeHint().height());
        QTRY_COMPARE(scroll->verticalScrollBar()->isVisible() || scroll->horizontalScrollBar()->isVisible(), scrolled);
        QVERIFY(w.statusBar()->isVisible() && w.rect().contains(w.statusBar()->geometry()));
        if (scrolled) { // scrolled to its far corner, the last control of the band is in view
            scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
            scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
            const QRect view(scroll->viewport()->mapTo(&w, QPoint(0, 0)), scroll->viewport()->size());
            QVERIFY(view.contains(QRect(child<QPushButton>(w, "CommandStop")->mapTo(&w, QPoint(0, 0)),
                                        child<QPushButton>(w, "CommandStop")->size())));
        } else {
            for (QWidget *c : namedControls(w)) {
                const QSize hint = c->minimumSizeHint();
                QVERIFY2(w.rect().contains(QRect(c->mapTo(&w, QPoint(0, 0)), c->size()))
                             && (!hint.isValid() || (c->width() >= hint.width() && c->height() >= hint.height())),
                         qPrintable(c->objectName()));
            }
        }
        // The guide fits the same screen.
        auto *guide = platform::HelpWindow::showGuide(QStringLiteral("OrvantaGuide"), &w);
        QVERIFY(QTest::qWaitForWindowExposed(guide));
        QVERIFY(guide->screen()->availableGeometry().contains(guide->frameGeometry()));
        QVERIFY(guide->minimumSizeHint().width() <= size.width() && guide->minimumSizeHint().height() <= size.height());
        guide->close();
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
