#include "QDeviceServo.h"
#include "QFuncodeModel_Servo.h"
#include "QTestHost.h"

#include <QAbstractItemModelTester>
#include <QtTest>

#include <memory>

// The rows of one group: which records a view asks the device to read, and how change notices find rows.
class tst_QFuncodeModel_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    std::unique_ptr<QFuncodeModel_Servo> m_model;

    // A group of a new selected drive "A" in m_model, run through the model tester.
    bool showGroup(const QString& group)
    {
        m_device = QTestHost::addDrive("TST3", "A");
        if (!m_device) {
            return false;
        }
        QTestHost::select("A");
        m_model = std::make_unique<QFuncodeModel_Servo>();
        new QAbstractItemModelTester(m_model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest,
                                     m_model.get());
        m_model->setGroupMap(m_device->getNormalFuncodeGroupMap());
        m_model->setGroup(group);
        return true;
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void cleanup()
    {
        m_model.reset();
        QTestHost::clearProject();
    }

    void rowsOfShownGroup()
    {
        QVERIFY(showGroup("P2 Gains"));
        QVERIFY(!m_model->getSubFuncode(m_model->rowCount()));
        QCOMPARE(m_model->rowOfFuncode("P2.03", "A"), 3);
        // Notices list numbers in any order; the rows come back in row order.
        QCOMPARE(m_model->funcodesInModel({"P2.02", "P00.01", "P2.00", "U00.00"}, "A"),
                 QStringList({"P2.00", "P2.02"}));
        QSignalSpy reset(m_model.get(), &QAbstractItemModel::modelReset);
        m_model->setGroupMap(m_device->getNormalFuncodeGroupMap());
        QCOMPARE(reset.count(), 0);
        // Same group name, other records: the views must let go of the old rows.
        QDeviceServo* other = QTestHost::addDrive("TST1", "B");
        QVERIFY(other);
        m_model->setGroupMap(other->getNormalFuncodeGroupMap());
        QCOMPARE(reset.count(), 1);
        QCOMPARE(m_model->getSubFuncode(0), other->getFuncodePtrByFunIndex("P2.00"));
        m_model->setGroup("No such group");
        QCOMPARE(m_model->rowCount(), 0);
    }

    void visibleFuncodes_data()
    {
        QTest::addColumn<QList<int>>("window");   // first row, count, edited row (-1: none)
        QTest::addColumn<QList<int>>("expected"); // first row, count
        QTest::newRow("window without the edited row") << QList<int>{10, 5, 12} << QList<int>{10, 5};
        QTest::newRow("window at the end") << QList<int>{115, 10, -1} << QList<int>{115, 5};
        QTest::newRow("whole group without the edited row") << QList<int>{50, 200, 7} << QList<int>{0, 119};
    }

    void visibleFuncodes()
    {
        QFETCH(QList<int>, window);
        QFETCH(QList<int>, expected);
        QVERIFY(showGroup("P10 Limits"));
        const int edited = window.at(2);
        m_model->OnEditting(edited, edited >= 0);
        const QList<tagSubFuncode_Servo*> list =
            m_model->visibleFuncodes("P10 Limits", window.at(0), window.at(1));
        QCOMPARE(list.size(), expected.at(1));
        QCOMPARE(list.first(), m_model->getSubFuncode(expected.at(0)));
        QVERIFY(edited < 0 || !list.contains(m_model->getSubFuncode(edited)));
    }
};

QTEST_MAIN(tst_QFuncodeModel_Servo)
#include "tst_QFuncodeModel_Servo.moc"
