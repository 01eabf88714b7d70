#pragma once

#include <QWidget>

class QFrame;

// The chart of the colour cycle. Bars and markers over the chart are placed in
// the window's own horizontal units, where the plot area runs from 1240 to
// 13320; the view maps them onto its pixels whenever it is resized.
class ChartView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kPlotLeft = 1240;
    static constexpr int kPlotRight = 13320;

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

    // Pixel x of a window-unit x.
    double pixelX(double units) const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QFrame *makeOverlay(const char *name, const QColor &color, int unitWidth);
    void placeOverlay(QWidget *overlay);
    void placeOverlays();
    QRect plotRect() const;
};
