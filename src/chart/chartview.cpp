#include "chart/chartview.h"

#include <QEvent>
#include <QFrame>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// Layout of the chart in pixels around the plot area.
constexpr int kMarginLeft = 58;
constexpr int kMarginRight = 18;
constexpr int kMarginTop = 30;
constexpr int kStripGap = 3;
constexpr int kStripHeight = 10;
constexpr int kSimGap = 3;
constexpr int kSimHeight = 6;
constexpr int kMarginBottom = kStripGap + kStripHeight + kSimGap + kSimHeight + 40;

const QColor kCurve[3] = {QColor(214, 39, 40), QColor(30, 150, 60), QColor(31, 90, 200)};

// A bar over the chart with its place in window units and its colour as set.
class Overlay : public QFrame
{
public:
    using QFrame::QFrame;
    int unitLeft = chart::kPlotLeft;
    int unitWidth = 0;
    bool colourSet = false;
};

Overlay *overlayOf(QWidget *widget) { return dynamic_cast<Overlay *>(widget); }
const Overlay *overlayOf(const QWidget *widget) { return dynamic_cast<const Overlay *>(widget); }

} // namespace

ChartView::ChartView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MSChartColorCycle"));
    // Low enough for the window to fit a 600-pixel-high screen; the chart takes
    // whatever height is left over.
    setMinimumSize(480, 170);
    setAttribute(Qt::WA_OpaquePaintEvent);
    PictureSelected = makeOverlay("PictureSelected", QColor(0, 0, 0), chart::kPlotWidth);
    CommandCursorSelected = makeOverlay("CommandCursorSelected", QColor(255, 192, 0), chart::kBarWidth);
    CommandCursorLeft = makeOverlay("CommandCursorLeft", QColor(255, 0, 192), chart::kBarWidth);
    CommandCursorRight = makeOverlay("CommandCursorRight", QColor(0, 192, 255), chart::kBarWidth);
    CommandCursorSimulator = makeOverlay("CommandCursorSimulator", QColor(255, 0, 192), chart::kBarWidth);
    CommandCursorLeft->hide();
    CommandCursorRight->hide();
    CommandCursorSimulator->hide();
    placeOverlays();
}

QFrame *ChartView::makeOverlay(const char *name, const QColor &color, int width)
{
    auto *bar = new Overlay(this);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setAutoFillBackground(true);
    bar->unitWidth = width;
    setOverlayColour(bar, color);
    return bar;
}

void ChartView::setOverlayColour(QWidget *overlay, const QColor &colour)
{
    Overlay *bar = overlayOf(overlay);
    if (bar && bar->colourSet && overlayColour(overlay) == colour)
        return;
    QPalette pal = overlay->palette();
    pal.setColor(QPalette::Window, colour);
    overlay->setPalette(pal);
    if (bar)
        bar->colourSet = true;
}

QColor ChartView::overlayColour(const QWidget *overlay) { return overlay->palette().color(QPalette::Window); }

void ChartView::setUnitLeft(QWidget *overlay, int left)
{
    if (Overlay *bar = overlayOf(overlay)) {
        bar->unitLeft = left;
        placeOverlay(overlay);
    }
}

void ChartView::setUnitWidth(QWidget *overlay, int width)
{
    if (Overlay *bar = overlayOf(overlay)) {
        bar->unitWidth = width;
        placeOverlay(overlay);
    }
}

int ChartView::unitLeft(const QWidget *overlay)
{
    const Overlay *bar = overlayOf(overlay);
    return bar ? bar->unitLeft : 0;
}

int ChartView::unitWidth(const QWidget *overlay)
{
    const Overlay *bar = overlayOf(overlay);
    return bar ? bar->unitWidth : 0;
}

QRect ChartView::plotRect() const { return rect().adjusted(kMarginLeft, kMarginTop, -kMarginRight, -kMarginBottom); }

double ChartView::pixelX(double units) const
{
    const QRect plot = plotRect();
    return plot.left() + (units - kPlotLeft) * plot.width() / double(kPlotRight - kPlotLeft);
}

double ChartView::unitsAt(double pixel) const
{
    const QRect plot = plotRect();
    return kPlotLeft + (pixel - plot.left()) * double(kPlotRight - kPlotLeft) / std::max(1, plot.width());
}

double ChartView::levelY(double percent) const
{
    const QRect plot = plotRect();
    return plot.bottom() - std::clamp(percent, 0.0, 100.0) / 100.0 * plot.height();
}

double ChartView::levelAt(double pixelY) const
{
    const QRect plot = plotRect();
    return (plot.bottom() - pixelY) * 100.0 / std::max(1, plot.height());
}

QRect ChartView::simulatorBand() const
{
    const QRect plot = plotRect();
    const int top = plot.bottom() + 1 + kStripGap + kStripHeight + kSimGap;
    return QRect(0, top - 3, width(), kSimHeight + 6);
}

void ChartView::placeOverlay(QWidget *overlay)
{
    const QRect plot = plotRect();
    // Overlays far outside the plot area stay just outside the view.
    const auto clampPx = [this](double v) { return std::clamp(v, -100.0, double(width()) + 100.0); };
    const double left = clampPx(pixelX(unitLeft(overlay)));
    const double right = clampPx(pixelX(double(unitLeft(overlay)) + unitWidth(overlay)));
    const int x = int(std::floor(left));
    const int w = std::max(2, int(std::ceil(right)) - x);
    const int stripTop = plot.bottom() + 1 + kStripGap;
    QRect place;
    if (overlay == CommandCursorSimulator)
        place = QRect(x, stripTop + kStripHeight + kSimGap, w, kSimHeight);
    else if (overlay == PictureSelected)
        place = QRect(x, stripTop, w, kStripHeight);
    else if (overlay == CommandCursorSelected)
        place = QRect(x, plot.top(), w, stripTop + kStripHeight - plot.top());
    else
        place = QRect(x, plot.top(), w, plot.height());
    if (overlay->geometry() != place)
        overlay->setGeometry(place);
}

void ChartView::placeOverlays()
{
    for (QWidget *o :
         {PictureSelected, CommandCursorSelected, CommandCursorLeft, CommandCursorRight, CommandCursorSimulator})
        placeOverlay(o);
}

void ChartView::setGrid(const chart::Grid &grid)
{
    // A redraw that moves only the bars (the playback going on to the next
    // point) leaves the curves alone.
    if (grid == m_grid)
        return;
    m_grid = grid;
    chartChanged();
}

void ChartView::setColumnLabel(int column, const QString &label)
{
    if (column < 1 || column > m_columns.size() || m_columns[column - 1] == label)
        return;
    m_columns[column - 1] = label;
    chartChanged();
}

QString ChartView::columnLabel(int column) const
{
    return column >= 1 && column <= m_columns.size() ? m_columns[column - 1] : QString();
}

void ChartView::showStartGrid()
{
    m_grid = chart::Grid::startUpGrid();
    m_columns = {QStringLiteral("Rosso"), QStringLiteral("Verde"), QStringLiteral("Blu")};
    chartChanged();
}

void ChartView::chartChanged()
{
    m_picture = QImage();
    update();
}

void ChartView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeOverlays();
}

void ChartView::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::LayoutDirectionChange: m_picture = QImage(); break;
    default: break;
    }
}

double ChartView::rowX(int row, const QRectF &plot) const
{
    // Row 1 stands for the window start, row i for the sample i / 800 of the
    // window, so the curves meet the bars placed in window units.
    if (m_grid.rowCount <= 1 || row <= 1)
        return plot.left();
    return plot.left() + plot.width() * double(row) / double(m_grid.rowCount);
}

QList<int> ChartView::labelledRows() const
{
    QList<int> rows;
    const int n = m_grid.rowCount;
    if (n <= 1) {
        rows.append(1);
        return rows;
    }
    const QFontMetrics fm(font());
    const int textWidth = fm.horizontalAdvance(QStringLiteral("00000")) + 28;
    const int slots = std::clamp(plotRect().width() / std::max(1, textWidth), 2, 16);
    for (int k = 0; k <= slots; ++k) {
        const int row = std::max(1, int(std::lround(double(n) * k / slots)));
        if (rows.isEmpty() || rows.last() != row)
            rows.append(row);
    }
    return rows;
}

void ChartView::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    // The picture is made for whole device pixels at the screen's ratio, in
    // the format of the surface it goes on, so that it lands pixel for pixel
    // where the chart would be drawn. Other surfaces (an export at a higher
    // ratio, a scaled copy, a printer) have the chart drawn straight on them.
    const QPaintDevice *surface = p.paintEngine() ? p.paintEngine()->paintDevice() : nullptr;
    const QTransform &toDevice = p.deviceTransform();
    const qreal ratio = devicePixelRatio();
    const bool whole = ratio == std::floor(ratio) && toDevice.type() <= QTransform::TxScale && toDevice.m11() == ratio
                       && toDevice.m22() == ratio && toDevice.dx() == std::floor(toDevice.dx())
                       && toDevice.dy() == std::floor(toDevice.dy());
    if (!whole || p.opacity() != 1.0 || !surface || surface->devType() != QInternal::Image
        || p.paintEngine()->type() != QPaintEngine::Raster) {
        drawChart(p);
        return;
    }
    const QImage::Format format = static_cast<const QImage *>(surface)->format();
    const QSize pixels = size() * int(ratio);
    if (m_picture.size() != pixels || m_picture.format() != format || m_picture.devicePixelRatio() != ratio) {
        m_picture = QImage(pixels, format);
        m_picture.setDevicePixelRatio(ratio);
        QPainter picture(&m_picture);
        initPainter(&picture);
        drawChart(picture);
    }
    // Only the parts laid bare, by an overlay that moved or a window over it,
    // one rectangle at a time: each one a plain copy.
    const int k = int(ratio);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect &exposed : event->region()) {
        const QRect part = exposed & rect();
        p.setClipRect(part);
        p.drawImage(part.topLeft(), m_picture, QRect(part.topLeft() * k, part.size() * k));
    }
}

void ChartView::drawChart(QPainter &p) const
{
    p.fillRect(rect(), QColor(255, 255, 255));
    const QRect plotI = plotRect();
    if (plotI.width() < 4 || plotI.height() < 4)
        return;
    const QRectF plot(plotI);
    const QFontMetrics fm(font());
    const QColor gridColour(228, 231, 236);
    const QColor axisColour(110, 116, 126);
    const QColor textColour(60, 64, 72);

    const auto yOf = [&plot](double percent) {
        return plot.bottom() - std::clamp(percent, 0.0, 100.0) / 100.0 * plot.height();
    };

    // Light grid and the vertical axis 0..100.
    p.setPen(QPen(gridColour, 1));
    for (int v = 10; v <= 100; v += 10)
        p.drawLine(QPointF(plot.left(), std::round(yOf(v)) + 0.5), QPointF(plot.right(), std::round(yOf(v)) + 0.5));
    const QList<int> labelled = labelledRows();
    for (int row : labelled) {
        const double x = std::round(rowX(row, plot)) + 0.5;
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    p.setPen(textColour);
    for (int v = 0; v <= 100; v += 20) {
        const QString t = QString::number(v);
        p.drawText(QRectF(plot.left() - 40, yOf(v) - 8, 34, 16), Qt::AlignRight | Qt::AlignVCenter, t);
    }
    p.save();
    p.translate(14, plot.center().y());
    p.rotate(-90);
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.drawText(QRectF(-60, -9, 120, 18), Qt::AlignCenter, verticalTitle());
    p.restore();

    // The time axis: a readable subset of the row labels and the title.
    const double labelTop = plot.bottom() + kStripGap + kStripHeight + kSimGap + kSimHeight + 4;
    for (int row : labelled) {
        const double x = rowX(row, plot);
        const QString t = m_grid.labelText(row);
        const double w = fm.horizontalAdvance(t) + 6;
        double left = std::clamp(x - w / 2, 0.0, width() - w);
        p.drawText(QRectF(left, labelTop, w, fm.height()), Qt::AlignCenter, t);
    }
    p.setFont(bold);
    p.drawText(QRectF(plot.left(), labelTop + fm.height() + 2, plot.width(), fm.height() + 2), Qt::AlignCenter,
               horizontalTitle());
    p.setFont(font());

    // Axes.
    p.setPen(QPen(axisColour, 1));
    p.drawLine(QPointF(plot.left() - 0.5, plot.top()), QPointF(plot.left() - 0.5, plot.bottom() + 0.5));
    p.drawLine(QPointF(plot.left() - 0.5, plot.bottom() + 0.5), QPointF(plot.right() + 0.5, plot.bottom() + 0.5));

    // The three curves.
    const int n = std::max(1, m_grid.rowCount);
    QPointF points[chart::kRows + 1];
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(plot.adjusted(-2, -3, 2, 3));
    for (int ch = 0; ch < 3; ++ch) {
        int count = 0;
        if (n == 1) {
            const double y = yOf(m_grid.startUp ? 0.0 : double(m_grid.value[0][std::size_t(ch)]));
            points[count++] = QPointF(plot.left(), y);
            points[count++] = QPointF(plot.right(), y);
        } else {
            for (int row = 1; row <= n; ++row)
                points[count++] = QPointF(rowX(row, plot), yOf(m_grid.value[std::size_t(row - 1)][std::size_t(ch)]));
        }
        // Rows on a straight run (a hold, a ramp) add nothing to the curve.
        int kept = 1;
        for (int i = 1; i + 1 < count; ++i) {
            const QPointF &a = points[kept - 1];
            const QPointF &b = points[i];
            const QPointF &c = points[i + 1];
            const double cross = (b.x() - a.x()) * (c.y() - a.y()) - (b.y() - a.y()) * (c.x() - a.x());
            if (std::abs(cross) > 0.02 * std::max(1.0, c.x() - a.x()))
                points[kept++] = b;
        }
        if (count > 1)
            points[kept++] = points[count - 1];
        // Slopes: hairline passes a little apart draw a bold antialiased
        // curve at the cost of hairlines, which the raster engine draws far
        // faster than a wide antialiased stroke. Holds and other level runs:
        // a crisp band two pixels high, exact and cheaper still. Flat ends
        // and round joins: a slope stops where its hold's band begins, with
        // no cap or mitre poking past the plot's edges.
        p.setPen(QPen(kCurve[ch], 1.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        const auto stroke = [&p, &points](int first, int last) {
            static constexpr QPointF kPasses[] = {{0.0, -0.7}, {0.6, 0.35}, {-0.6, 0.35}};
            if (last <= first)
                return;
            for (const QPointF &offset : kPasses) {
                p.translate(offset);
                p.drawPolyline(points + first, last - first + 1);
                p.translate(-offset);
            }
        };
        int first = 0;
        for (int i = 0; i + 1 < kept; ++i) {
            if (points[i].y() != points[i + 1].y())
                continue;
            stroke(first, i);
            const int left = int(std::lround(points[i].x()));
            const int right = int(std::lround(points[i + 1].x()));
            p.fillRect(QRect(left, int(std::lround(points[i].y())) - 1, right - left + 1, 2), kCurve[ch]);
            first = i + 1;
        }
        stroke(first, kept - 1);
    }
    p.setClipping(false);

    // The legend: the column labels of the language in force.
    const int swatch = 18;
    double x = plot.right();
    for (int ch = int(m_columns.size()) - 1; ch >= 0; --ch) {
        const QString label = m_columns[ch];
        const double w = fm.horizontalAdvance(label);
        x -= w;
        p.setPen(textColour);
        p.drawText(QRectF(x, 6, w + 2, 18), Qt::AlignLeft | Qt::AlignVCenter, label);
        x -= swatch + 6;
        p.setPen(QPen(kCurve[std::min(ch, 2)], 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, 15), QPointF(x + swatch, 15));
        x -= 16;
    }
}
