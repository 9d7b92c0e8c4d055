#include "QButtonManager.h"
#include "QCommToolButton.h"
#include "QFunToolWidget_Servo.h"
#include "QLibSetting.h"
#include "QSoftCore.h"
#include "QSystemSetting.h"
#include "QTestHost.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>

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

    // One word per layout item: a button's id, "combo", "find[...]" with the find box's contents,
    // "gap" for the fixed spacer and "stretch" for the expanding one.
    static QString describe(const QLayout* layout, const QButtonGroup* group)
    {
        QStringList words;
        for (int i = 0; i < layout->count(); ++i) {
            QLayoutItem* item = layout->itemAt(i);
            if (QSpacerItem* spacer = item->spacerItem()) {
                words.append(spacer->sizePolicy().horizontalPolicy() == QSizePolicy::Fixed ? "gap"
                                                                                           : "stretch");
                continue;
            }
            QWidget* widget = item->widget();
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                words.append(QString::number(group->id(button)));
            } else if (qobject_cast<QLineEdit*>(widget)) {
                words.append(widget->objectName());
            } else if (qobject_cast<QComboBox*>(widget)) {
                words.append(QStringLiteral("combo"));
            } else if (widget && widget->layout()) {
                words.append(QStringLiteral("find[%1]").arg(describe(widget->layout(), group)));
            } else {
                words.append(QStringLiteral("?"));
            }
        }
        return words.join(QLatin1Char(' '));
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void cleanup()
    {
        buttonManager()->setButtonGroup(QButtonManager::BUTTON_GROUP_SERVO_FUNCODE, nullptr);
        m_group.reset();
    }

    void layoutFollowsTheGroup_data()
    {
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QString>("layout");
        QTest::newRow("all buttons")
            << QList<int>{54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64}
            << "54 55 56 57 58 59 60 61 62 find[FLOWDIAGRAM 63] 64 combo gap stretch";
        QTest::newRow("no help button")
            << QList<int>{54, 55, 60, 62, 63} << "54 55 60 62 find[FLOWDIAGRAM 63] stretch";
        QTest::newRow("no compare button")
            << QList<int>{54, 55, 61, 63, 64} << "54 55 61 63 64 combo gap stretch";
        QTest::newRow("compare last")
            << QList<int>{54, 55, 64, 62} << "54 55 64 combo gap 62 find[FLOWDIAGRAM] stretch";
        QTest::newRow("compare then help") << QList<int>{62, 64, 60} << "62 find[FLOWDIAGRAM 64] 60 stretch";
    }

    void layoutFollowsTheGroup()
    {
        QFETCH(QList<int>, ids);
        QFETCH(QString, layout);
        QButtonGroup* group = installGroup(ids);
        QFunToolWidget_Servo bar;
        QCOMPARE(bar.getButtonGroup(), group);
        QVERIFY(bar.layout());
        QCOMPARE(describe(bar.layout(), group), layout);
        QCOMPARE(bar.findChild<QComboBox*>(QStringLiteral("TOOLBAR_COMBOBOX")) != nullptr,
                 layout.contains("combo"));
        QCOMPARE(bar.findChild<QLineEdit*>(QStringLiteral("FLOWDIAGRAM")) != nullptr,
                 layout.contains("find"));
        // Every button now belongs to the bar.
        for (QAbstractButton* button : group->buttons()) {
            QVERIFY(bar.isAncestorOf(button));
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

    void upAndDownAreHiddenAtStart()
    {
        QButtonGroup* group = installGroup({54, 55, 60, 62, 63, 64});
        QFunToolWidget_Servo bar;
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QVERIFY(!group->button(54)->isVisible() && !group->button(55)->isVisible());
        for (int id : {60, 62, 63, 64}) {
            QVERIFY2(group->button(id)->isVisible(), qPrintable(QString::number(id)));
        }
        bar.OnSetServoUpDownButtonEnable(true);
        QVERIFY(group->button(54)->isVisible() && group->button(55)->isVisible());
        bar.OnSetServoUpDownButtonEnable(false);
        QVERIFY(!group->button(54)->isVisible() && !group->button(55)->isVisible());
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
