// orvanta-cli: the cycle files and the daylight cycle from a shell or a
// script, without a window (Qt Core only).

#include "app/cli.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    const QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orvanta-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORVANTA_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = cli::run(QCoreApplication::arguments(), out, err, cli::englishFromEnvironment(),
                                QCoreApplication::applicationVersion());
    out.flush();
    err.flush();
    return status;
}
