#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFunValueWidget_Servo.h"
#include "QFuncodeGroupWidget_Servo.h"
#include "QFuncodeModel_Servo.h"
#include "QFuncodeView_Servo.h"
#include "QFuncodeWidget_Servo.h"
#include "QModbusDriveServer.h"
#include "QModbusTcpDriveServer.h"
#include "QNodeID.h"
#include "QProjectCore.h"
#include "QRecordDB_Servo.h"
#include "QSignalManager.h"
#include "QSimulatedDriveCore.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "QTestUi.h"

#include <QtTest>
#include <memory>

// The road of one value with the drive on Modbus TCP: the table reads it, the user edits it, the
// drive takes it, and the workspace stores the change.
class tst_ModbusValueRoad : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void cleanup()
    {
        QTestHost::clearProject();
        QDatabaseManager::self()->getRecordDatabase_Servo()->clearModifyFunCodes("bus");
    }

    void editInATableReachesTheDriveAndTheRecords()
    {
        QSimulatedDriveCore* core = m_drives.addDrive(QTestHost::testModel(3), 1);
        core->setFrozen(true);
        m_tcp = std::make_unique<QModbusTcpDriveServer>(&m_drives);
        QVERIFY(m_tcp->listen(QHostAddress::LocalHost, 0));
        QString error;
        QDeviceServo* device = QProjectCore::self()->addDrive(
            "TST3", "bus", QDriveLinkSettings::tcp("127.0.0.1", m_tcp->port(), 1), &error);
        QVERIFY2(device, qPrintable(error));
        QTRY_VERIFY(device->isDeviceOnline());
        QTestHost::select("bus");
        QVERIFY(QTestHost::readAll(device));
        QCOMPARE(device->getScaledCurValueStr("P00.02", 1), QString("3000"));

        QFuncodeWidget_Servo main;
        QVERIFY(QTestUi::show(&main, {1200, 800}));
        QTestHost::clickTreeNode("bus", TREE_NODE_FUNCODE, "codes");
        QFuncodeView_Servo* view = main.valueWidget()->groupWidget()->getCurrentFuncodeView();
        QVERIFY(view);
        QFuncodeModel_Servo* model = view->getModel();
        const QModelIndex axisY = model->index(view->getRowByValue(0, "P00.02"), 5);
        QVERIFY(axisY.isValid());

        m_drives.resetCounters();
        QVERIFY(model->setData(axisY, 1500, Qt::EditRole));
        QCOMPARE(core->rawValue("P00.02", 1), qint64(1500));
        QCOMPARE(core->rawValue("P00.02", 0), qint64(3000));
        QCOMPARE(m_drives.writeRequestCount(), 1);
        QCOMPARE(axisY.data().toString(), QString("1500"));
        // Stored once, as the write road stores every change (its rules: tst_QFuncodeWriteRoad_Servo).
        const QList<tagModifyFuncode_Servo> stored =
            QDatabaseManager::self()->getRecordDatabase_Servo()->getModifyFunCodes("bus");
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.first().newVal, QString("1500"));
    }

private:
    QModbusDriveServer m_drives;
    std::unique_ptr<QModbusTcpDriveServer> m_tcp;
};

QTEST_MAIN(tst_ModbusValueRoad)
#include "tst_ModbusValueRoad.moc"
