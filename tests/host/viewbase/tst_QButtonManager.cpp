#include "QButtonManager.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QPointer>
#include <QtTest>

class tst_QButtonManager : public QObject
{
    Q_OBJECT

private slots:
    // The tool bar lays the buttons out in the group's order; each needs its icon (a resource) and tip.
    void servoGroupInIdOrderWithIcons()
    {
        QButtonManager manager;
        QButtonGroup* group = manager.getButtonGroupByType(QButtonManager::BUTTON_GROUP_SERVO_FUNCODE);
        QVERIFY(group && !manager.getButtonGroupByType(0));
        const QList<QAbstractButton*> buttons = group->buttons();
        QCOMPARE(buttons.size(), QButtonManager::BTN_HELP - QButtonManager::BTN_UP + 1);
        for (int i = 0; i < buttons.size(); ++i) {
            QCOMPARE(group->id(buttons.at(i)), QButtonManager::BTN_UP + i);
            QVERIFY(!buttons.at(i)->icon().pixmap(24, 24).isNull() && !buttons.at(i)->toolTip().isEmpty());
        }
    }

    void unadoptedButtonsDieWithTheManager()
    {
        QWidget toolBar;
        QPointer<QAbstractButton> adopted, loose, replaced;
        {
            QButtonManager manager;
            const QList<QAbstractButton*> buttons = manager.getButtonGroupByType(9)->buttons();
            std::tie(adopted, loose, replaced) = std::make_tuple(buttons.at(0), buttons.at(1), buttons.at(2));
            adopted->setParent(&toolBar);
            // A group replaced by a host's own still loses its loose buttons with the manager.
            QButtonGroup custom;
            manager.setButtonGroup(9, &custom);
            manager.setButtonGroup(9, nullptr);
            QVERIFY(replaced);
        }
        QVERIFY(adopted && !loose && !replaced);
    }
};

QTEST_MAIN(tst_QButtonManager)
#include "tst_QButtonManager.moc"
