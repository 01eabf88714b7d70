#include "board/formdevice.h"

#include "board/jobs.h"
#include "platform/toolwindow.h"

#include <QEvent>
#include <QGridLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

FormDevice::FormDevice(bool english, QWidget *parent)
    : QWidget(parent, Qt::Tool)
    , m_english(english)
{
    setObjectName(QStringLiteral("FormDevice"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Device Information"));
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setHorizontalSpacing(16);
    PictureDevice = new QLabel(this);
    PictureDevice->setObjectName(QStringLiteral("PictureDevice"));
    PictureDevice->setPixmap(QIcon(QStringLiteral(":/icons/orvanta.png")).pixmap(64, 64));
    PictureDevice->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    layout->addWidget(PictureDevice, 0, 0, 4, 1);
    auto makeLabel = [this, layout](const char *name, int row) {
        auto *label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setTextFormat(Qt::PlainText);
        label->setMinimumWidth(220);
        layout->addWidget(label, row, 1);
        return label;
    };
    LabelDevice = makeLabel("LabelDevice", 0);
    LabelHardware = makeLabel("LabelHardware", 1);
    LabelFirmware = makeLabel("LabelFirmware", 2);
    LabelProduct = makeLabel("LabelProduct", 3);
    QFont bold = LabelDevice->font();
    bold.setBold(true);
    LabelDevice->setFont(bold);
    Command = new QPushButton(english ? QStringLiteral("Close") : QStringLiteral("Chiudi"), this);
    Command->setObjectName(QStringLiteral("Command"));
    Command->setDefault(true);
    layout->addWidget(Command, 4, 0, 1, 2, Qt::AlignRight);
    connect(Command, &QPushButton::clicked, this, &QWidget::close);
}

void FormDevice::showDevice(const board::DeviceInfo &info)
{
    const QString name = QString::fromLatin1(info.name);
    LabelDevice->setText((m_english ? QStringLiteral("Device: ") : QStringLiteral("Scheda: ")) + name);
    LabelHardware->setText(QStringLiteral("Hardware: ") + board::versionText(info.hardware));
    LabelFirmware->setText(QStringLiteral("Firmware: ") + board::versionText(info.firmware));
    LabelProduct->setText((m_english ? QStringLiteral("Product: ") : QStringLiteral("Prodotto: "))
                          + board::versionText(info.product));
}

bool FormDevice::event(QEvent *event)
{
    // The window goes away when the user turns to another one.
    if (event->type() == QEvent::WindowDeactivate)
        close();
    // Escape closes it, as it closes any small window.
    if (platform::closeOnEscape(*this, event))
        return true;
    return QWidget::event(event);
}
