#include "app/formcolour.h"
#include "platform/qtdialogs.h"
#include "platform/qtserialport.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    platform::QtDialogs dialogs;
    platform::QtSerialPort port;
    FormColour window(dialogs, port);
    dialogs.setParent(&window);
    QObject::connect(&window, &FormColour::programEnded, &app, &QApplication::quit);
    window.show();
    return app.exec();
}
