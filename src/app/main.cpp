#include "app/formcolour.h"
#include "platform/qtdialogs.h"
#include "platform/qtserialport.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    // Every window and dialog, the message boxes included, carries the
    // program's icon; the desktop entry's name lets Wayland desktops show the
    // installed icon for the window too.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/orvanta.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("orvanta"));
    platform::QtDialogs dialogs;
    platform::QtSerialPort port;
    FormColour window(dialogs, port);
    dialogs.setParent(&window);
    QObject::connect(&window, &FormColour::programEnded, &app, &QApplication::quit);
    window.show();
    return app.exec();
}
