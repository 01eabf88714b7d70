// The window on small and scaled screens: at its minimum size every named
// control is whole and inside the window; smaller than that (a screen at 200 %)
// the controls are still all reachable through scrolling.

#include "chart/chartview.h"
#include "platform/helpwindow.h"
#include "support/formfixture.h"

#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

namespace {

// The named controls a user works with: every visible widget with a name of
// the program's own (the chart's overlays and hidden holders excluded).
QList<QWidget *> namedControls(FormColour &w)
{
    QList<QWidget *> out;
    for (QWidget *c : w.findChildren<QWidget *>()) {
        const QString name = c->objectName();
        if (name.isEmpty() || name.startsWith(u"qt_") || !c->isVisibleTo(&w) || c->isWindow())
            continue;
        if (c->parentWidget() == static_cast<QWidget *>(w.MSChartColorCycle)) // overlays drawn on the chart
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
    void minimumFitsASmallScreen()
    {
        FormFixture f;
        FormColour &w = *f.form;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // The points table opened and closed again gives all its room back.
        QVERIFY(f.trigger(QStringLiteral("mnuViewPointsTable")));
        QVERIFY(f.trigger(QStringLiteral("mnuViewPointsTable")));
        QVERIFY(!w.menuItem(QStringLiteral("mnuViewPointsTable"))->isChecked());
        // A 1024 x 600 screen leaves room for a title bar and a panel.
        QVERIFY2(w.minimumSizeHint().width() <= 1000 && w.minimumSizeHint().height() <= 540,
                 qPrintable(QStringLiteral("%1 x %2").arg(w.minimumSizeHint().width()).arg(w.minimumSizeHint().height())));
        w.resize(1000, 540);
        QTRY_COMPARE(w.size(), QSize(1000, 540));
        auto *scroll = w.findChild<QScrollArea *>(QStringLiteral("FormColourScroll"));
        QVERIFY(scroll);
        const QSize need = scroll->widget()->minimumSizeHint();
        QTRY_VERIFY2(!scroll->verticalScrollBar()->isVisible() && !scroll->horizontalScrollBar()->isVisible(),
                 qPrintable(QStringLiteral("the controls need %1 x %2, the window gives %3 x %4")
                                .arg(need.width())
                                .arg(need.height())
                                .arg(scroll->viewport()->width())
                                .arg(scroll->viewport()->height())));
        const QRect window = w.rect();
        for (QWidget *c : namedControls(w)) {
            const QRect r(c->mapTo(&w, QPoint(0, 0)), c->size());
            QVERIFY2(window.contains(r), qPrintable(c->objectName()));
            const QSize hint = c->minimumSizeHint();
            QVERIFY2(!hint.isValid() || (c->width() >= hint.width() && c->height() >= hint.height()),
                     qPrintable(c->objectName()));
        }
    }

    void everythingReachableWhenScaled()
    {
        FormFixture f;
        FormColour &w = *f.form;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // 1600 x 1000 at 200 % is 800 x 500 logical pixels.
        QVERIFY(w.minimumSize().width() <= 780 && w.minimumSize().height() <= 440);
        w.resize(780, 440);
        QTRY_COMPARE(w.size(), QSize(780, 440));
        auto *scroll = w.findChild<QScrollArea *>(QStringLiteral("FormColourScroll"));
        QWidget *content = scroll->widget();
        QVERIFY(content->width() >= content->minimumSizeHint().width());
        QVERIFY(content->height() >= content->minimumSizeHint().height());
        QVERIFY(scroll->verticalScrollBar()->isVisible() || scroll->horizontalScrollBar()->isVisible());
        // Scrolled to its far corner, the last control of the band is in view.
        scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        const QRect view(scroll->viewport()->mapTo(&w, QPoint(0, 0)), scroll->viewport()->size());
        const QRect stop(w.CommandStop->mapTo(&w, QPoint(0, 0)), w.CommandStop->size());
        QVERIFY(view.contains(stop));
        QVERIFY(w.statusBar()->isVisible() && w.rect().contains(w.statusBar()->geometry()));
    }

    void opensWithinTheScreen()
    {
        FormFixture f;
        const QRect available = f.form->screen()->availableGeometry();
        QVERIFY(f.form->width() <= available.width() && f.form->height() <= available.height());
    }

    void guideFitsTheScreen()
    {
        FormFixture f;
        auto *guide = platform::HelpWindow::showGuide(QStringLiteral("OrvantaGuide"), f.form.get());
        QVERIFY(QTest::qWaitForWindowExposed(guide));
        const QRect available = guide->screen()->availableGeometry();
        QVERIFY2(available.contains(guide->frameGeometry()),
                 qPrintable(QStringLiteral("%1 x %2").arg(guide->frameGeometry().width()).arg(guide->frameGeometry().height())));
        // A 1024 x 600 screen, and 1600 x 1000 at 200 % (800 x 500), hold it whole.
        QVERIFY(guide->minimumSizeHint().width() <= 780 && guide->minimumSizeHint().height() <= 440);
        guide->close();
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
