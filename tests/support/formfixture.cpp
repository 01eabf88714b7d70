#include "support/formfixture.h"

#include <QMenu>
#include <QTimer>

FormFixture::FormFixture(bool started, QSettings *settings, int boardPort)
    : port(board, boardPort)
    , form(std::make_unique<FormColour>(dialogs, port, settings))
{
    child<QTimer>(*form, "TimerMove")->stop();
    if (started)
        tick(5);
}

void FormFixture::tick(int count)
{
    for (int i = 0; i < count; ++i) {
        port.advance(50);
        form->TimerMove_Timer();
    }
}

int FormFixture::tickUntil(const std::function<bool()> &done, int limit)
{
    for (int n = 1; n <= limit; ++n) {
        tick();
        if (done())
            return n;
    }
    return -1;
}

bool FormFixture::trigger(const QString &menuItem)
{
    QAction *action = form->menuItem(menuItem);
    Q_ASSERT_X(action, "FormFixture::trigger", qPrintable(menuItem));
    if (!reachable(action))
        return false;
    action->trigger();
    return true;
}

bool FormFixture::reachable(const QAction *action)
{
    if (!action || !action->isEnabled())
        return false;
    // A user reaches an item through its menus: under a disabled menu it is out of reach.
    for (QObject *owner : action->associatedObjects()) {
        if (auto *menu = qobject_cast<QMenu *>(owner); menu && menu->menuAction() != action)
            return reachable(menu->menuAction());
    }
    return true;
}
