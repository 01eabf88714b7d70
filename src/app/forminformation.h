#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The small information window about the program: its picture and its
// software version. It takes the language in force when it opens, does not
// hold up the main window, and closes on its button or as soon as another
// window takes the focus.
class FormInformation : public QWidget
{
    Q_OBJECT
public:
    explicit FormInformation(bool english, QWidget *parent = nullptr);

    QLabel *PictureInformation = nullptr;
    QLabel *LabelSoftware = nullptr;
    QPushButton *Command = nullptr;

protected:
    bool event(QEvent *event) override;
};
