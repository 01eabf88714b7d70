// Saves a picture of the window with a five-point cycle and both cursors
// shown: chart_screenshot <file.png>

#include "benchsupport.h"

#include "chart/chartview.h"

#include <QApplication>
#include <QPixmap>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchWindow w(5);
    FormColour &f = *w.form;
    struct P
    {
        int time, length, r, g, b;
    };
    const P points[] = {{0, 3600, 100, 20, 0},
                        {14400, 7200, 100, 85, 40},
                        {36000, 10800, 20, 60, 100},
                        {57600, 3600, 70, 0, 100},
                        {68400, 7200, 10, 10, 60}};
    store::ColourTable &rs = f.document().table();
    store::emptyTable(rs);
    for (int k = 1; k <= 5; ++k) {
        const P &p = points[k - 1];
        store::ColourPoint &row = rs.row(k);
        row.setValue(store::Field::PointID, k);
        row.setValue(store::Field::Time, p.time);
        row.setValue(store::Field::Length, p.length);
        row.setValue(store::Field::Red, p.r);
        row.setValue(store::Field::Green, p.g);
        row.setValue(store::Field::Blue, p.b);
    }
    f.document().setPointCount(5);
    f.document().setTransitionTime(7200);
    f.mnuEnableColorCycle_Click();
    f.mnuEnableColorCycle_Click();
    f.mnuEnableSimulator_Click();
    f.CommandCursorLeftView_Click();
    f.CommandCursorLeftR_Click();
    f.CommandCursorRightView_Click();
    f.CommandCursorRightL_Click();
    f.document().setPointCurrent(3);
    f.document().table().moveTo(3);
    f.DataBaseRead();
    f.DataBaseCommand();
    f.DataBaseView();
    f.TimerMove_Timer(); // the swatch shows the current colour
    f.resize(1280, 800);
    f.show();
    app.processEvents();
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("chart.png");
    return f.grab().save(file) ? 0 : 1;
}
