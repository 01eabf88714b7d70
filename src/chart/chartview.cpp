#include "chart/chartview.h"

#include <QFrame>
#include <QPainter>

#include <cmath>

ChartView::ChartView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MSChartColorCycle"));
    setMinimumSize(480, 260);
    setAutoFillBackground(true);
    PictureSelected = makeOverlay("PictureSelected", QColor(0, 0, 0), 75);
    CommandCursorSelected = makeOverlay("CommandCursorSelected", QColor(255, 192, 0), 75);
    CommandCursorLeft = makeOverlay("CommandCursorLeft", QColor(255, 0, 192), 75);
    CommandCursorRight = makeOverlay("CommandCursorRight", QColor(0, 192, 255), 75);
    CommandCursorSimulator = makeOverlay("CommandCursorSimulator", QColor(255, 0, 192), 75);
    CommandCursorLeft->hide();
    CommandCursorRight->hide();
    CommandCursorSimulator->hide();
    setUnitLeft(CommandCursorSelected, kPlotLeft);
    setUnitLeft(PictureSelected, kPlotLeft);
    setUnitWidth(PictureSelected, kPlotRight - kPlotLeft);
}

QFrame *ChartView::makeOverlay(const char *name, const QColor &color, int width)
{
    auto *bar = new QFrame(this);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setAutoFillBackground(true);
    QPalette pal = bar->palette();
    pal.setColor(QPalette::Window, color);
    bar->setPalette(pal);
    bar->setProperty("unitLeft", kPlotLeft);
    bar->setProperty("unitWidth", width);
    return bar;
}

void ChartView::setUnitLeft(QWidget *overlay, int left)
{
    overlay->setProperty("unitLeft", left);
    placeOverlay(overlay);
}

void ChartView::setUnitWidth(QWidget *overlay, int width)
{
    overlay->setProperty("unitWidth", width);
    placeOverlay(overlay);
}

int ChartView::unitLeft(const QWidget *overlay)
{
    return overlay->property("unitLeft").toInt();
}

int ChartView::unitWidth(const QWidget *overlay)
{
    return overlay->property("unitWidth").toInt();
}

QRect ChartView::plotRect() const
{
    return rect().adjusted(56, 16, -16, -48);
}

double ChartView::pixelX(double units) const
{
    const QRect plot = plotRect();
    return plot.left() + (units - kPlotLeft) * plot.width() / double(kPlotRight - kPlotLeft);
}

void ChartView::placeOverlay(QWidget *overlay)
{
    const QRect plot = plotRect();
    const double left = pixelX(unitLeft(overlay));
    const double right = pixelX(unitLeft(overlay) + unitWidth(overlay));
    const int x = int(std::floor(left));
    const int w = std::max(2, int(std::ceil(right)) - x);
    if (overlay == CommandCursorSimulator)
        overlay->setGeometry(x, plot.bottom() + 4, w, 6);
    else if (overlay == PictureSelected)
        overlay->setGeometry(x, plot.bottom() - 8, w, 8);
    else
        overlay->setGeometry(x, plot.top(), w, plot.height());
}

void ChartView::placeOverlays()
{
    for (QWidget *o : {PictureSelected, CommandCursorSelected, CommandCursorLeft, CommandCursorRight,
                       CommandCursorSimulator})
        placeOverlay(o);
}

void ChartView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeOverlays();
}

void ChartView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.setPen(QColor(160, 160, 160));
    p.drawRect(plotRect());
}
