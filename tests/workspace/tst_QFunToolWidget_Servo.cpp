#include "QButtonManager.h"
#include "QCommToolButton.h"
#include "QFunToolWidget_Servo.h"
#include "QLibSetting.h"
#include "QSoftCore.h"
#include "QSystemSetting.h"
#include "QTestHost.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

Q_DECLARE_METATYPE(QList<int>)

// The tool bar is built from whatever group 9 the host's button manager holds; each case installs a
// group of its own.
class tst_QFunToolWidget_Servo : public QObject
{
    Q_OBJECT

    std::unique_ptr<QButtonGroup> m_group;

    static QButtonManager* buttonManager() { return QSoftCore::getCore()->getButtonManager(); }

    QButtonGroup* installGroup(const QList<int>& ids)
    {
        m_group = std::make_unique<QButtonGroup>();
        m_group->setExclusive(false);
        for (int id : ids) {
            auto* button = new QCommToolButton;
            button->setObjectName(QString::number(id));
            m_group->addButton(button, id);
        }
        buttonManager()->setButtonGroup(QButtonManager::BUTTON_GROUP_SERVO_FUNCODE, m_group.get());
        return m_group.get();
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void cleanup()
    {
        buttonManager()->setButtonGroup(QButtonManager::BUTTON_GROUP_SERVO_FUNCODE, nullptr);
        m_group.reset();
    }

    // Every button of the group joins the bar; the button after "compare" sits in the find box, and the
    // modify-type box follows "help".
    void layoutFollowsTheGroup_data()
    {
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<int>("inFindBox"); // 0: no find box, -1: a find box without a button
        QTest::addColumn<bool>("modifyTypeBox");
        QTest::newRow("all buttons") << QList<int>{54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64} << 63 << true;
        QTest::newRow("no help button") << QList<int>{54, 55, 60, 62, 63} << 63 << false;
        QTest::newRow("no compare button") << QList<int>{54, 55, 61, 63, 64} << 0 << true;
        QTest::newRow("compare last") << QList<int>{54, 55, 64, 62} << -1 << true;
        // Help inside the find box brings no modify-type box.
        QTest::newRow("compare then help") << QList<int>{62, 64, 60} << 64 << false;
    }

    void layoutFollowsTheGroup()
    {
        QFETCH(QList<int>, ids);
        QFETCH(int, inFindBox);
        QFETCH(bool, modifyTypeBox);
        QButtonGroup* group = installGroup(ids);
        QFunToolWidget_Servo bar;
        QCOMPARE(bar.getButtonGroup(), group);
        QCOMPARE(bar.findChild<QComboBox*>() != nullptr, modifyTypeBox);
        auto* find = bar.findChild<QLineEdit*>(QStringLiteral("FLOWDIAGRAM"));
        QCOMPARE(find != nullptr, inFindBox != 0);
        for (QAbstractButton* button : group->buttons()) {
            QVERIFY(bar.isAncestorOf(button));
            QCOMPARE(find && button->parentWidget() == find->parentWidget(), group->id(button) == inFindBox);
        }
    }

    void withoutGroupTheBarIsEmpty()
    {
        buttonManager()->setButtonGroup(QButtonManager::BUTTON_GROUP_SERVO_FUNCODE, nullptr);
        QFunToolWidget_Servo bar;
        QVERIFY(!bar.getButtonGroup());
        QVERIFY(!bar.layout());
        QVERIFY(bar.findChildren<QWidget*>().isEmpty());
        bar.setFindText(QStringLiteral("P00.01"));
        bar.OnSetServoUpDownButtonEnable(true);
        QVERIFY(bar.getFindText().isEmpty());
    }

    void modifyTypeBoxShowsAndStoresTheSetting()
    {
        QSystemSetting* setting = QLibSetting::self()->getSystemSetting();
        setting->setFuncodeModifyType(1);
        installGroup({62, 63, 64});
        QFunToolWidget_Servo bar;
        auto* box = bar.findChild<QComboBox*>(QStringLiteral("TOOLBAR_COMBOBOX"));
        QVERIFY(box);
        QCOMPARE(box->count(), 2);
        QCOMPARE(box->currentIndex(), 1);
        QSignalSpy spy(setting, &QSystemSetting::funcodeModifyTypeChanged);
        box->setCurrentIndex(0);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 0);
        QCOMPARE(setting->getFuncodeModifyType(), 0);
        // No choice at all stores nothing.
        box->setCurrentIndex(-1);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(setting->getFuncodeModifyType(), 0);
    }

    void findTextSetterFillsFieldAndToolTip()
    {
        installGroup({62, 63});
        QFunToolWidget_Servo bar;
        auto* field = bar.findChild<QLineEdit*>(QStringLiteral("FLOWDIAGRAM"));
        QVERIFY(field);
        const QString text = QStringLiteral("P10.25 Torque limit of the second gain set");
        bar.setFindText(text);
        QCOMPARE(field->text(), text);
        QCOMPARE(field->toolTip(), text);
        QCOMPARE(field->cursorPosition(), 0);
        field->setText(QStringLiteral("P00"));
        QCOMPARE(bar.getFindText(), QStringLiteral("P00"));
    }
};

QTEST_MAIN(tst_QFunToolWidget_Servo)
#include "tst_QFunToolWidget_Servo.moc"
