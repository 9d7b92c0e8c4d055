#include "QDatabaseManager.h"
#include "QDeviceServo.h"
#include "QLibSetting.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QSortedModifyFunModel_Servo.h"
#include "QStatistics.h"
#include "QSystemSetting.h"
#include "QTestHost.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QtTest>

using M = QSortedModifyFunModel_Servo;

// The statistics page's rows: codes by number of modifications, their cells, writes and check boxes.
class tst_QSortedModifyFunModel_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    M* m_model = nullptr;

    static QStatistics* statistics() { return QDatabaseManager::self()->getStatisticsDatabase(); }

    static void addEvents(const QString& funIndex, int count)
    {
        for (int i = 0; i < count; ++i) {
            QVERIFY(statistics()->addFuncodeModifyEvent("drive", funIndex, tagFuncodeModifyData()));
        }
    }

    QModelIndex cell(const QString& funIndex, int column) const
    {
        return m_model->index(m_model->getAllFunIndexes().indexOf(funIndex), column);
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
        QVERIFY(statistics()->clearDevice("drive"));
        m_device = QTestHost::addDrive("TST3", "drive");
        QVERIFY(m_device);
        QTestHost::link("drive")->setFrozen(true);
        QTestHost::select("drive");
        m_model = new M(this);
        QTestHost::checkModel(m_model);
    }

    void cleanup()
    {
        delete m_model;
        m_model = nullptr;
        QTestHost::clearProject();
    }

    void rowsFollowCountAndAuthority_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("authority");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("no modifications") << false << int(AUTHORITY_ENGINEER) << true << QStringList{};
        QTest::newRow("most first") << true << int(AUTHORITY_ENGINEER) << true
                                    << QStringList{"P00.01", "P2.00", "P00.02"};
        QTest::newRow("fewest first")
            << true << int(AUTHORITY_ENGINEER) << false << QStringList{"P00.02", "P2.00", "P00.01"};
        QTest::newRow("manufacturer sees the hidden code")
            << true << int(AUTHORITY_MANUFACTURER) << true
            << QStringList{"P00.09", "P00.01", "P2.00", "P00.02"};
    }

    void rowsFollowCountAndAuthority()
    {
        QFETCH(bool, modified);
        QFETCH(int, authority);
        QFETCH(bool, descending);
        QFETCH(QStringList, numbers);
        if (modified) {
            addEvents("P00.01", 3);
            addEvents("P00.02", 1);
            addEvents("P2.00", 2);
            addEvents("P00.09", 5); // seen from the manufacturer's authority on
            addEvents("P88.01", 4); // a code the drive does not have
            addEvents("U00.01", 6); // a state code is not a setting
        }
        QLibSetting::self()->getSystemSetting()->setAuthority(authority);
        QSignalSpy reset(m_model, &QAbstractItemModel::modelReset);
        m_model->refresh(descending);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(m_model->getAllFunIndexes(), numbers);
        QCOMPARE(m_model->index(0, M::COL_INDEX).data().toString(), numbers.value(0));
        QCOMPARE(m_model->getFunIndexes(1, 1), numbers.mid(1, 1));
        QCOMPARE(m_model->getFunIndexes(-5, 100), numbers);
    }

    void cells()
    {
        addEvents("P00.01", 3);
        addEvents("P00.07", 1); // read only
        addEvents("P00.08", 1); // write only
        QTestHost::link("drive")->setRawValue("P00.01", 1, 500);
        QVERIFY(QTestHost::readAll(m_device));
        m_model->refresh(true);
        auto data = [this](const QString& funIndex, int column, int role = Qt::DisplayRole) {
            return cell(funIndex, column).data(role);
        };
        QCOMPARE(data("P00.01", M::COL_AXIS_Y).toString(), QStringLiteral("5.00"));
        QCOMPARE(data("P00.01", M::COL_MODIFY_COUNT).toString(), QStringLiteral("3"));
        QCOMPARE(m_model->getModifyData(0).size(), 3);
        // The axis that differs from its default is yellow, the others have no background.
        QCOMPARE(data("P00.01", M::COL_AXIS_Y, Qt::BackgroundRole).value<QBrush>(), QBrush(Qt::yellow));
        QVERIFY(!data("P00.01", M::COL_AXIS_X, Qt::BackgroundRole).isValid());
        QVERIFY(data("P00.01", M::COL_SAVE_STATE, Qt::BackgroundRole).isValid());
        // A code that may not be modified is grey (except for the coloured columns) and not editable.
        QCOMPARE(data("P00.07", M::COL_NAME, Qt::ForegroundRole).value<QColor>(), QColor(Qt::gray));
        QCOMPARE(data("P00.07", M::COL_AXIS_X, Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
        for (int column = M::COL_AXIS_X; column <= M::COL_AXIS_Z; ++column) {
            QVERIFY(m_model->flags(cell("P00.01", column)) & m_model->flags(cell("P00.08", column)) &
                    Qt::ItemIsEditable);
            QVERIFY(!(m_model->flags(cell("P00.07", column)) & Qt::ItemIsEditable));
        }
        QVERIFY(m_model->flags(cell("P00.07", M::COL_INDEX)) & Qt::ItemIsUserCheckable);
    }

    void writes_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<int>("column");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("oldText"); // empty: nothing is recorded
        QTest::newRow("changed value") << "P00.01" << int(M::COL_AXIS_Y) << 3.25 << "2.80";
        QTest::newRow("same value again") << "P00.02" << int(M::COL_AXIS_X) << 3000.0 << "";
        QTest::newRow("beyond the maximum") << "P00.02" << int(M::COL_AXIS_Z) << 99999.0 << "";
    }

    void writes()
    {
        QFETCH(QString, funIndex);
        QFETCH(int, column);
        QFETCH(double, value);
        QFETCH(QString, oldText);
        const int axis = column - M::COL_AXIS_X;
        addEvents(funIndex, 1);
        addEvents("P00.03", 2);
        QVERIFY(QTestHost::readAll(m_device));
        m_model->refresh(true);
        QSignalSpy changed(m_model, &M::sigDataChanged);
        const int before = statistics()->eventCount("drive", funIndex);

        const bool accepted = m_model->setData(cell(funIndex, column), value, Qt::EditRole);
        if (oldText.isEmpty()) {
            QCOMPARE(changed.count(), 0);
            QCOMPARE(statistics()->eventCount("drive", funIndex), before);
            // A refused value is not marked unsaved.
            QCOMPARE(m_device->isParamUnsaved(funIndex, axis), accepted);
            return;
        }
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), oldText);
        QCOMPARE(changed.at(0).at(1).toString(), cell(funIndex, column).data().toString());
        QCOMPARE(changed.at(0).at(2).value<tagSubFuncodePtr_Servo>()->funIndex, funIndex);
        QCOMPARE(changed.at(0).at(3).toInt(), axis);
        QCOMPARE(statistics()->eventCount("drive", funIndex), before + 1);
        QVERIFY(m_device->isParamUnsaved(funIndex, axis));
        // The rows were reloaded with the new count.
        QCOMPARE(cell(funIndex, M::COL_MODIFY_COUNT).data().toString(), QStringLiteral("2"));
    }

    void changeNoticesAndCheckBoxes()
    {
        addEvents("P00.01", 3);
        addEvents("P00.02", 2);
        addEvents("P2.00", 1);
        m_model->refresh(true);
        QSignalSpy changed(m_model, &QAbstractItemModel::dataChanged);
        QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
        emit hub->SigFuncodeChanged_Servo("another drive", QStringList{"P00.02"});
        QCOMPARE(changed.count(), 0);
        emit hub->SigFuncodeChanged_Servo("drive", QStringList{"P00.02", "P10.00"});
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), cell("P00.02", M::COL_AXIS_X));
        QCOMPARE(changed.at(0).at(1).toModelIndex(), cell("P00.02", M::COL_AXIS_Z));

        QSignalSpy selection(m_model, &M::sigSelectionChanged);
        const QModelIndex box = cell("P00.02", M::COL_INDEX);
        QCOMPARE(box.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QVERIFY(m_model->setData(box, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(m_device->isSubFuncodeSelected("P00.02"));
        QCOMPARE(box.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QVERIFY(m_model->setData(box, Qt::Unchecked, Qt::CheckStateRole));
        QVERIFY(!m_device->isSubFuncodeSelected("P00.02"));
        QCOMPARE(selection.count(), 2);
        QTestHost::select(QString());
        QVERIFY(!m_model->setData(box, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(!m_device->isSubFuncodeSelected("P00.02"));
    }
};

QTEST_MAIN(tst_QSortedModifyFunModel_Servo)
#include "tst_QSortedModifyFunModel_Servo.moc"
