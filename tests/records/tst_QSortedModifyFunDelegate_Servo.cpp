#include "ModalAnswer.h"
#include "QDatabaseManager.h"
#include "QDeviceServo.h"
#include "QFuncodeItemComboBox.h"
#include "QHexDlg.h"
#include "QLibSetting.h"
#include "QSimulatedDriveLink.h"
#include "QSortedModifyFunDelegate_Servo.h"
#include "QSortedModifyFunModel_Servo.h"
#include "QSortedModifyFunView_Servo.h"
#include "QStatistics.h"
#include "QSystemSetting.h"
#include "QTestHost.h"

#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QtTest>

using M = QSortedModifyFunModel_Servo;

// The statistics page's value editor: which editor a cell gets and when its value is written.
class tst_QSortedModifyFunDelegate_Servo : public QObject
{
    Q_OBJECT

    QSortedModifyFunView_Servo* m_view = nullptr;
    M* m_model = nullptr;
    QDeviceServo* m_device = nullptr;

    QModelIndex cell(const QString& funIndex, int column) const
    {
        return m_model->index(m_model->getAllFunIndexes().indexOf(funIndex), column);
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(0);
        QStatistics* statistics = QDatabaseManager::self()->getStatisticsDatabase();
        QVERIFY(statistics->clearDevice("drive"));
        m_device = QTestHost::addDrive("TST3", "drive");
        QVERIFY(m_device);
        QTestHost::link("drive")->setFrozen(true);
        QTestHost::select("drive");
        QCommuParams params = m_device->getCommuParams();
        params.refreshInterval = 0;
        m_device->setCommuParams(params);
        for (const char* number : {"P00.00", "P00.02", "P00.04", "P00.07", "P00.10"}) {
            QVERIFY(statistics->addFuncodeModifyEvent("drive", number, tagFuncodeModifyData()));
        }
        QVERIFY(QTestHost::readAll(m_device));
        m_view = new QSortedModifyFunView_Servo;
        m_model = new M(m_view);
        m_view->setModel(m_model);
        m_view->resize(900, 300);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view));
    }

    void cleanup()
    {
        delete m_view;
        m_view = nullptr;
        QTestHost::clearProject();
    }

    void editorsFollowShowTypeAndRight_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("editorClass");
        QTest::newRow("decimal") << "P00.02" << 3 << "QDoubleSpinBox";
        QTest::newRow("enumerated, axis Z") << "P00.00" << 5 << "QFuncodeItemComboBox";
        QTest::newRow("read only") << "P00.07" << 3 << "";
        QTest::newRow("bit view has no editor") << "P00.10" << 4 << "";
        QTest::newRow("not an axis column") << "P00.02" << 2 << "";
    }

    void editorsFollowShowTypeAndRight()
    {
        QFETCH(QString, funIndex);
        QFETCH(int, column);
        QFETCH(QString, editorClass);
        QSortedModifyFunDelegate_Servo delegate;
        QWidget parent;
        QWidget* editor = delegate.createEditor(&parent, QStyleOptionViewItem(), cell(funIndex, column));
        QCOMPARE(editor ? QString(editor->metaObject()->className()) : QString(), editorClass);
    }

    void spinBoxCommits_data()
    {
        QTest::addColumn<int>("modifyType");
        QTest::addColumn<bool>("pressReturn");
        QTest::addColumn<QString>("written");
        QTest::newRow("focus lost") << 0 << false << "3000";
        QTest::newRow("Return") << 0 << true << "1500";
        QTest::newRow("focus lost, modify type 1") << 1 << false << "1500";
    }

    void spinBoxCommits()
    {
        QFETCH(int, modifyType);
        QFETCH(bool, pressReturn);
        QFETCH(QString, written);
        QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(modifyType);
        QSignalSpy changed(m_view, &QSortedModifyFunView_Servo::sigDataChanged);
        m_view->edit(cell("P00.02", M::COL_AXIS_Y));
        auto* spin = m_view->findChild<QDoubleSpinBox*>();
        QVERIFY(spin);
        QCOMPARE(spin->value(), 3000.0);
        spin->setValue(1500);
        if (pressReturn) {
            QTest::keyClick(spin, Qt::Key_Return);
        } else {
            // What the delegate does when the editor loses the focus.
            emit m_view->itemDelegate()->commitData(spin);
        }
        QTRY_COMPARE(m_device->getScaledCurValueStr("P00.02", 1), written);
        QCOMPARE(changed.count(), written == "3000" ? 0 : 1);
        QVERIFY(changed.isEmpty() || changed.at(0).at(3).toInt() == 1);
    }

    void comboBoxWritesItemValue()
    {
        m_view->edit(cell("P00.00", M::COL_AXIS_X));
        auto* combo = m_view->findChild<QFuncodeItemComboBox*>();
        QVERIFY(combo);
        combo->setCurrentIndex(2);
        QTest::keyClick(combo, Qt::Key_Enter);
        // The third item of 0, 1, 3, 5.
        QTRY_COMPARE(m_device->getCurValue("P00.00", 0), qint64(3));
    }

    void hexDialogWritesWhenAccepted_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("accepted") << true;
        QTest::newRow("cancelled") << false;
    }

    void hexDialogWritesWhenAccepted()
    {
        QFETCH(bool, accept);
        bool seen = false;
        answerModalDialog([&seen, accept](QDialog* dialog) {
            seen = qobject_cast<QHexDlg*>(dialog) && dialog->findChild<QLineEdit*>();
            if (seen) {
                dialog->findChild<QLineEdit*>()->setText("1FF");
            }
            accept ? dialog->accept() : dialog->reject();
        });
        m_view->edit(cell("P00.04", M::COL_AXIS_X));
        QVERIFY(seen);
        QTRY_VERIFY(m_view->findChild<QHexDlg*>() == nullptr);
        QCOMPARE(m_device->getCurValue("P00.04", 0), qint64(accept ? 0x1FF : 255));
    }
};

QTEST_MAIN(tst_QSortedModifyFunDelegate_Servo)
#include "tst_QSortedModifyFunDelegate_Servo.moc"
