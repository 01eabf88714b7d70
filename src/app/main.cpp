#include "app/formcolour.h"
#include "platform/qtdialogs.h"
#include "platform/qtserialport.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    // The user's settings (on Linux ~/.config/Orvanta/Orvanta.conf);
    // --reset-settings forgets them, and the program starts as on its first day.
    QSettings settings;
    if (QApplication::arguments().contains(QStringLiteral("--reset-settings"))) {
        settings.clear();
        settings.sync();
    }
    // Every window and dialog, the message boxes included, carries the
    // program's icon; the desktop entry's name lets Wayland desktops show the
    // installed icon for the window too.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/orvanta.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("orvanta"));
    platform::QtDialogs dialogs;
    platform::QtSerialPort port;
    FormColour window(dialogs, port, &settings);
    dialogs.setParent(&window);
    QObject::connect(&window, &FormColour::programEnded, &app, &QApplication::quit);
    window.show();
    return app.exec();
}
