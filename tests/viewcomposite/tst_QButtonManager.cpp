#include "QButtonManager.h"
#include "QCommToolButton.h"

#include <QButtonGroup>
#include <QPointer>
#include <QtTest>

class tst_QButtonManager : public QObject
{
    Q_OBJECT

private slots:
    void servoGroupOrderAndLook();
    void groupIsMadeOnce();
    void otherKindsHaveNoGroup();
    void setButtonGroupReplacesAndRemoves();
    void unadoptedButtonsDieWithTheManager();
};

void tst_QButtonManager::servoGroupOrderAndLook()
{
    QButtonManager manager;
    QButtonGroup* group = manager.getButtonGroupByType(QButtonManager::BUTTON_GROUP_SERVO_FUNCODE);
    QVERIFY(group);
    const QList<QAbstractButton*> buttons = group->buttons();
    QCOMPARE(buttons.size(), 11);
    const QStringList icons = {"up",      "down",     "batch_download", "import", "export", "print",
                               "refresh", "read_all", "compare",        "find",   "help"};
    const QStringList tips = {
        "STR_MOVE_UP", "STR_MOVE_DOWN", "STR_BATCH_DOWNLOAD", "STR_IMPORT", "STR_EXPORT", "STR_PRINT",
        "STR_REFRESH", "STR_READ_ALL",  "STR_COMPARE",        "STR_FIND",   "STR_HELP"};
    QStringList names;
    for (int i = 0; i < buttons.size(); ++i) {
        auto* button = qobject_cast<QCommToolButton*>(buttons.at(i));
        QVERIFY(button);
        QCOMPARE(group->id(button), 54 + i);
        QCOMPARE(button->imgPath(), ":/img/toolbar/" + icons.at(i));
        QVERIFY(!button->icon().isNull());
        QVERIFY(!button->icon().pixmap(24, 24).isNull());
        QCOMPARE(button->toolTip(), tips.at(i));
        QCOMPARE(button->iconSize(), QSize(24, 24));
        QVERIFY(!button->parent());
        QVERIFY(!button->objectName().isEmpty());
        names << button->objectName();
    }
    names.removeDuplicates();
    QCOMPARE(names.size(), 11);
    QCOMPARE(group->button(QButtonManager::BTN_COMPARE), buttons.at(8));
}

void tst_QButtonManager::groupIsMadeOnce()
{
    QButtonManager manager;
    QButtonGroup* first = manager.getButtonGroupByType(9);
    QCOMPARE(manager.getButtonGroupByType(9), first);
    QCOMPARE(first->buttons().size(), 11);
}

void tst_QButtonManager::otherKindsHaveNoGroup()
{
    QButtonManager manager;
    QVERIFY(!manager.getButtonGroupByType(0));
    QVERIFY(!manager.getButtonGroupByType(8));
    QVERIFY(!manager.getButtonGroupByType(-1));
}

void tst_QButtonManager::setButtonGroupReplacesAndRemoves()
{
    QButtonManager manager;
    manager.setButtonGroup(9, nullptr);
    QVERIFY(!manager.getButtonGroupByType(9));

    // A group without 64 and with 62 last, as a host may give it.
    QButtonGroup custom;
    QCommToolButton up, compare;
    custom.addButton(&up, 54);
    custom.addButton(&compare, 62);
    manager.setButtonGroup(9, &custom);
    QCOMPARE(manager.getButtonGroupByType(9), &custom);
    QCOMPARE(custom.buttons().last(), &compare);

    QButtonGroup other;
    manager.setButtonGroup(3, &other);
    QCOMPARE(manager.getButtonGroupByType(3), &other);
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
        adopted->setParent(&toolBar);
        // A group replaced by a host's own still loses its loose buttons with the manager.
        QButtonGroup custom;
        manager.setButtonGroup(9, &custom);
        replaced = buttons.at(2);
        QVERIFY(replaced);
        manager.setButtonGroup(9, nullptr);
    }
    QVERIFY(adopted);
    QVERIFY(!loose);
    QVERIFY(!replaced);
}

QTEST_MAIN(tst_QButtonManager)
#include "tst_QButtonManager.moc"
