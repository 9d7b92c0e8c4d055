// Where a servo batch download takes its codes from: a function-code file as the export writes it (each
// axis keeps its own value), files that are refused before anything is loaded, and a source drive.

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeHelper_Servo.h"
#include "QProjectCore.h"
#include "QServoImportFunSelectorWgt.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"
#include "QTestMessageBoxes.h"

#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

namespace {
const char* const kMark = "Used for import_9786345324_";
const char* const kDevice = "TST3_1.00,3,COM1,";
const char* const kHeading = "addr,usb,group,number,name,authority,type,axes,x,y,z,tx,ty,tz";

QString codeLine(const QString& number, int x, int y, int z)
{
    return QStringLiteral("0,0,P10 Limits,%1,Limit,0,4,3,%2,%3,%4,%2,%3,%4").arg(number).arg(x).arg(y).arg(z);
}
} // namespace

class tst_QServoImportFunSelectorWgt : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
        QVERIFY(m_dir.isValid());
    }

    void init()
    {
        m_selector = new QServoImportFunSelectorWgt;
        m_selector->initSelector();
        m_boxes.clear();
    }

    void cleanup()
    {
        delete m_selector;
        QTestHost::clearProject();
    }

    void eachAxisKeepsItsValueThroughAFile()
    {
        QDeviceServo* src = QTestHost::addSelectedDrive("TST3", "src");
        QSimulatedDriveLink* link = QTestHost::link("src");
        link->setRawValue("P10.05", 0, 11);
        link->setRawValue("P10.05", 1, 22);
        link->setRawValue("P10.05", 2, 33);
        QVERIFY(QTestHost::readAll(src));
        const QList<tagExportDevInfo_Servo> devices = QFuncodeHelper_Servo::collectDeviceFuncodes();
        QCOMPARE(devices.size(), 1);
        const QString path = m_dir.filePath("written.csv");
        QString error;
        QVERIFY2(QFuncodeHelper_Servo::writeFuncodeCsvFile(path, devices.first(), &error), qPrintable(error));

        QVERIFY(m_selector->loadFile(path));
        QCOMPARE(m_selector->sourceKind(), int(QImportFuncodeSelectorWidget::SOURCE_FILE));
        QCOMPARE(m_selector->devName(), QString("TST3"));
        QCOMPARE(m_selector->devVersion(), QString("1.00"));
        FunOperationDataUnitPtr unit;
        for (const FunOperationDataUnitPtr& u : m_selector->sourceUnits()) {
            if (u->funIndex == "P10.05") {
                unit = u;
            }
        }
        QVERIFY(unit);
        QCOMPARE(unit->values, (QList<qint64>{11, 22, 33}));
        QCOMPARE(unit->valueTexts, (QStringList{"11", "22", "33"}));
        // The selected drive holds the same values: nothing stands out.
        QVERIFY(unit->isCurDevValueEqual());
        QVERIFY(unit->isMultiValueEqual(2));
    }

    void refusedFilesLoadNothing_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("message");
        const QString format = QServoImportFunSelectorWgt::tr("STR_FILE_FORMAT_FAILED");
        const QString missing = QServoImportFunSelectorWgt::tr("STR_FILE_DEVICE_INFORMATION_MISSING");
        const QString code = codeLine("P10.05", 1, 2, 3);
        QTest::newRow("no import mark") << QStringList{"Used for import", kDevice, kHeading, code} << format;
        QTest::newRow("empty device") << QStringList{kMark, ",3,COM1,", kHeading, code} << missing;
        QTest::newRow("empty axis count")
            << QStringList{kMark, "TST3_1.00,,COM1,", kHeading, code} << missing;
        QTest::newRow("empty third field") << QStringList{kMark, "TST3_1.00,3,,", kHeading, code} << missing;
        QTest::newRow("short device line") << QStringList{kMark, "TST3_1.00,3"} << missing;
    }

    void refusedFilesLoadNothing()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, message);
        QVERIFY(m_selector->loadFile(writeLines({kMark, kDevice, kHeading, codeLine("P10.01", 1, 1, 1)})));
        m_boxes.clear();
        QVERIFY(!m_selector->loadFile(writeLines(lines)));
        QCOMPARE(m_boxes.count(), 1);
        QCOMPARE(m_boxes.calls().first().text, message);
        // The source read before stays.
        QCOMPARE(m_selector->sourceUnits().size(), 1);
        QCOMPARE(m_selector->sourceUnits().first()->funIndex, QString("P10.01"));
    }

    void sourceDriveGivesItsReadCodes()
    {
        QTestHost::addDrive("TST3", "src");
        QTestHost::link("src")->setRawValue("P10.07", 2, 700);
        QVERIFY(m_selector->loadDevice("src"));
        QCOMPARE(m_selector->sourceKind(), int(QImportFuncodeSelectorWidget::SOURCE_DEVICE));
        QCOMPARE(m_selector->sourceKey(), QString("src"));
        bool found = false;
        for (const FunOperationDataUnitPtr& u : m_selector->sourceUnits()) {
            if (u->funIndex == "P10.07") {
                found = true;
                QCOMPARE(u->values.value(2), qint64(700));
            }
        }
        QVERIFY(found);
        QTestHost::link("src")->setOnline(false);
        QTRY_VERIFY(!QProjectCore::self()->getDevMgr()->getDeviceServo("src")->isDeviceOnline());
        QVERIFY(!m_selector->loadDevice("src"));
        QCOMPARE(m_boxes.count(), 1);
    }

private:
    QTestMessageBoxes m_boxes;

    QString writeLines(const QStringList& lines)
    {
        static int count = 0;
        const QString path = m_dir.filePath(QStringLiteral("codes%1.csv").arg(++count));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
            return QString();
        }
        QTextStream stream(&file);
        for (const QString& line : lines) {
            stream << line << '\n';
        }
        return path;
    }

    QTemporaryDir m_dir;
    QServoImportFunSelectorWgt* m_selector = nullptr;
};

QTEST_MAIN(tst_QServoImportFunSelectorWgt)
#include "tst_QServoImportFunSelectorWgt.moc"
