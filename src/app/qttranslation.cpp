#include "app/qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace qttranslation {

namespace {

QPointer<QTranslator> s_italian;
bool s_loadTried = false;
bool s_installed = false;

QTranslator *italianTranslator()
{
    if (!s_loadTried && QCoreApplication::instance()) {
        s_loadTried = true;
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            s_italian = translator;
        else
            delete translator;
    }
    return s_italian;
}

} // namespace

void follow(bool english)
{
    QTranslator *translator = italianTranslator();
    if (!translator || english == !s_installed)
        return;
    if (english)
        QCoreApplication::removeTranslator(translator);
    else
        QCoreApplication::installTranslator(translator);
    s_installed = !english;
}

bool italian() { return s_italian && s_installed; }

} // namespace qttranslation
