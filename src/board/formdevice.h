#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace board {
struct DeviceInfo;
}

// The small "Device Information" window: the board's name and its hardware,
// firmware and product versions. It is shown at once and filled when the
// board's reply is in; it closes on its button, on Escape or when it loses
// the focus.
class FormDevice : public QWidget
{
    Q_OBJECT
public:
    FormDevice(bool english, QWidget *parent = nullptr);

    // Fills the four labels from the board's reply.
    void showDevice(const board::DeviceInfo &info);

    QLabel *LabelDevice = nullptr;
    QLabel *LabelHardware = nullptr;
    QLabel *LabelFirmware = nullptr;
    QLabel *LabelProduct = nullptr;
    QLabel *PictureDevice = nullptr;
    QPushButton *Command = nullptr;

protected:
    bool event(QEvent *event) override;

private:
    bool m_english;
};
