#pragma once

#include "chart/chartwalk.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

class QFrame;

// The chart of the colour cycle: the rows of the grid drawn as three curves
// (red, green, blue in percent) over equally spaced rows, with a light grid,
// the axes, the legend, and the bars over the chart. The bars and markers
// are placed in the window's own horizontal units, where the plot area runs
// from 1240 to 13320; the view maps them onto its pixels whenever it is
// resized. The drawing reads nothing but the grid it was given.
class ChartView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kPlotLeft = chart::kPlotLeft;
    static constexpr int kPlotRight = chart::kPlotRight;

    explicit ChartView(QWidget *parent = nullptr);

    // The overlay widgets, named as the window names them.
    QFrame *CommandCursorSelected = nullptr;  // orange selector bar
    QFrame *PictureSelected = nullptr;        // strip over the current point's hold
    QFrame *CommandCursorLeft = nullptr;      // left measuring cursor
    QFrame *CommandCursorRight = nullptr;     // right measuring cursor
    QFrame *CommandCursorSimulator = nullptr; // simulator progress bar

    // Horizontal placement of an overlay, in window units.
    void setUnitLeft(QWidget *overlay, int left);
    void setUnitWidth(QWidget *overlay, int width);
    static int unitLeft(const QWidget *overlay);
    static int unitWidth(const QWidget *overlay);
    // Background colour of an overlay (the strip shows the current colour).
    static void setOverlayColour(QWidget *overlay, const QColor &colour);
    static QColor overlayColour(const QWidget *overlay);

    // Pixel x of a window-unit x, and the window-unit x of a pixel x.
    double pixelX(double units) const;
    double unitsAt(double pixelX) const;
    // Pixel y of a level 0..100 on the plot, and the level of a pixel y.
    double levelY(double percent) const;
    double levelAt(double pixelY) const;
    // The row of the simulator bar across the chart, a little taller than
    // the bar itself so that it is easy to hit.
    QRect simulatorBand() const;

    // The grid: rows with labels and the three columns' values.
    void setGrid(const chart::Grid &grid);
    const chart::Grid &grid() const { return m_grid; }
    int rowCount() const { return m_grid.rowCount; }
    QString rowLabel(int row) const { return m_grid.labelText(row); }
    QString data(int row, int column) const { return m_grid.valueText(row, column); }

    // The column labels (the legend), 1..3.
    int columnCount() const { return int(m_columns.size()); }
    void setColumnLabel(int column, const QString &label);
    QString columnLabel(int column) const;

    // The chart as it starts: one row "0" of zeros, the Italian columns.
    void showStartGrid();

    // The rectangle of the curves, in pixels.
    QRect plotRect() const;
    // Rows whose labels are written under the time axis.
    QList<int> labelledRows() const;

    static QString verticalTitle() { return QStringLiteral("RGB%"); }
    static QString horizontalTitle() { return QStringLiteral("Time (00:00:00)"); }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QFrame *makeOverlay(const char *name, const QColor &color, int unitWidth);
    void placeOverlay(QWidget *overlay);
    void placeOverlays();
    double rowX(int row, const QRectF &plot) const;
    // The chart under the overlays: background, grid, axes, texts, curves, legend.
    void drawChart(QPainter &p) const;
    // Drops the picture of the chart, to be drawn again at the next paint.
    void chartChanged();

    chart::Grid m_grid = chart::Grid::startUpGrid();
    QStringList m_columns{QStringLiteral("Rosso"), QStringLiteral("Verde"), QStringLiteral("Blu")};
    // The chart as last drawn, in device pixels: the overlays move over it
    // (the simulator's bar, the cursors, the current point's marks) without
    // the curves being drawn again. Null, or of another size than the
    // chart, when it has to be drawn anew.
    QImage m_picture;
};
