#include "support/formfixture.h"

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
    if (!action->isEnabled())
        return false;
    action->trigger();
    return true;
}
