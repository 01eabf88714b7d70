#include "app/forminformation.h"

#include "platform/toolwindow.h"

#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

FormInformation::FormInformation(bool english, QWidget *parent)
    : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("FormInformation"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Orvanta Information"));
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(18, 16, 18, 12);
    layout->setHorizontalSpacing(18);
    layout->setVerticalSpacing(12);

    PictureInformation = new QLabel(this);
    PictureInformation->setObjectName(QStringLiteral("PictureInformation"));
    PictureInformation->setPixmap(QIcon(QStringLiteral(":/icons/orvanta.png")).pixmap(64, 64));
    layout->addWidget(PictureInformation, 0, 0, Qt::AlignTop);

    // The spaces between the word and the version are part of the caption.
    LabelSoftware = new QLabel(this);
    LabelSoftware->setObjectName(QStringLiteral("LabelSoftware"));
    LabelSoftware->setTextFormat(Qt::PlainText);
    LabelSoftware->setText(QStringLiteral("Software               V01.00"));
    LabelSoftware->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(LabelSoftware, 0, 1, Qt::AlignVCenter);

    Command = new QPushButton(english ? QStringLiteral("Close") : QStringLiteral("Chiudi"), this);
    Command->setObjectName(QStringLiteral("Command"));
    Command->setDefault(true);
    layout->addWidget(Command, 1, 0, 1, 2, Qt::AlignRight);
    connect(Command, &QPushButton::clicked, this, &QWidget::close);
}

bool FormInformation::event(QEvent *event)
{
    // Clicking anywhere else closes the window.
    if (event->type() == QEvent::WindowDeactivate)
        close();
    // Escape closes it, as it closes any small window.
    if (platform::closeOnEscape(*this, event))
        return true;
    return QWidget::event(event);
}
