#pragma once

#include <QLabel>
#include <QWidget>

// Small helpers of the chart's and the simulator's handlers.
namespace chart {

// Strictly inside a widget's own area: 0 < x < width and 0 < y < height.
inline bool strictlyInside(const QWidget *w, int x, int y)
{
    return x > 0 && x < w->width() && y > 0 && y < w->height();
}

// Sets a label's text only when it changes, so an unchanged label is not laid out again.
inline void setTextIfChanged(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

} // namespace chart
