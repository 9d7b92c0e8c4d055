#include "QButtonManager.h"
#include "QCommToolButton.h"

#include <QButtonGroup>
#include <QPointer>
#include <QtTest>

class tst_QButtonManager : public QObject
{
    Q_OBJECT

private slots:
    void servoGroupOrder();
    void unadoptedButtonsDieWithTheManager();
};

void tst_QButtonManager::servoGroupOrder()
{
    QButtonManager manager;
    QButtonGroup* group = manager.getButtonGroupByType(QButtonManager::BUTTON_GROUP_SERVO_FUNCODE);
    QCOMPARE(manager.getButtonGroupByType(9), group);
    QVERIFY(group && !manager.getButtonGroupByType(0));
    const QStringList icons = {"up",      "down",     "batch_download", "import", "export", "print",
                               "refresh", "read_all", "compare",        "find",   "help"};
    const QList<QAbstractButton*> buttons = group->buttons();
    QCOMPARE(buttons.size(), icons.size());
    for (int i = 0; i < buttons.size(); ++i) {
        auto* button = qobject_cast<QCommToolButton*>(buttons.at(i));
        QVERIFY(button);
        QCOMPARE(group->id(button), QButtonManager::BTN_UP + i);
        QCOMPARE(button->imgPath(), ":/img/toolbar/" + icons.at(i));
        QVERIFY(!button->icon().pixmap(24, 24).isNull());
        QVERIFY(!button->toolTip().isEmpty());
    }
}

void tst_QButtonManager::unadoptedButtonsDieWithTheManager()
{
    QWidget toolBar;
    QPointer<QAbstractButton> adopted;
    QPointer<QAbstractButton> loose;
    QPointer<QAbstractButton> replaced;
    {
        QButtonManager manager;
        const QList<QAbstractButton*> buttons = manager.getButtonGroupByType(9)->buttons();
        adopted = buttons.at(0);
        loose = buttons.at(1);
        replaced = buttons.at(2);
        adopted->setParent(&toolBar);
        // A group replaced by a host's own still loses its loose buttons with the manager.
        QButtonGroup custom;
        manager.setButtonGroup(9, &custom);
        manager.setButtonGroup(9, nullptr);
        QVERIFY(replaced);
    }
    QVERIFY(adopted);
    QVERIFY(!loose);
    QVERIFY(!replaced);
}

QTEST_MAIN(tst_QButtonManager)
#include "tst_QButtonManager.moc"
