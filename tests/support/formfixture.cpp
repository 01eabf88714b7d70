#include "support/formfixture.h"

#include <QMenu>
#include <QTimer>

FormFixture::FormFixture(bool started, QSettings *settings)
    : form(std::make_unique<FormColour>(dialogs, port, settings))
{
    form->TimerMove->stop();
    if (started)
        tick(5);
}

void FormFixture::tick(int count)
{
    for (int i = 0; i < count; ++i)
        form->TimerMove_Timer();
}

bool FormFixture::trigger(const QString &menuItem)
{
    QAction *action = form->menuItem(menuItem);
    Q_ASSERT_X(action, "FormFixture::trigger", qPrintable(menuItem));
    // A user reaches an item through its menus: under a disabled menu it is out of reach.
    for (QAction *a = action; a;) {
        if (!a->isEnabled())
            return false;
        QAction *up = nullptr;
        for (QObject *owner : a->associatedObjects())
            if (auto *menu = qobject_cast<QMenu *>(owner); menu && menu->menuAction() != a)
                up = menu->menuAction();
        a = up;
    }
    action->trigger();
    return true;
}
