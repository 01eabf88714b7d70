#pragma once

#include <QColor>
#include <QFrame>

// A rounded frame with a border colour and an optional fill: the group frames
// of the editor and the simulator's colour swatch.
class Shape : public QFrame
{
    Q_OBJECT
public:
    explicit Shape(QWidget *parent = nullptr);

    QColor borderColor() const { return m_border; }
    void setBorderColor(const QColor &color);
    QColor fillColor() const { return m_fill; }
    // An invalid colour leaves the frame transparent.
    void setFillColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_border = QColor(128, 128, 128);
    QColor m_fill;
};
