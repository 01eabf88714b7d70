#include "support/formfixture.h"
#include <QTest>
class TestMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startsInItalian();
};
void TestMainWindow::startsInItalian()
{
    FormFixture f(false);
    QCOMPARE(f.form->windowTitle(), QStringLiteral("Orvanta"));
}
QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
