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
        QVERIFY(QTestHost::setUp());
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

    // A file the export wrote from the selected drive is a file source of its model and version, each axis
    // with its own value, and nothing in it stands out against the selected drive.
    void eachAxisKeepsItsValueThroughAFile()
    {
        QDeviceServo* src = QTestHost::addSelectedDrive("TST3", "src");
        for (int axis = 0; axis < 3; ++axis) {
            QTestHost::link("src")->setRawValue("P10.05", axis, 11 * (axis + 1));
        }
        QVERIFY(QTestHost::readAll(src));
        const QString path = m_dir.filePath("written.csv");
        QVERIFY(QFuncodeHelper_Servo::writeFuncodeCsvFile(
            path, QFuncodeHelper_Servo::collectDeviceFuncodes().value(0)));
        QVERIFY(m_selector->loadFile(path));
        QCOMPARE(m_selector->sourceKind(), int(QImportFuncodeSelectorWidget::SOURCE_FILE));
        QCOMPARE(m_selector->devName() + ' ' + m_selector->devVersion(), QString("TST3 1.00"));
        const FunOperationDataUnitPtr unit = unitOf("P10.05");
        QVERIFY(unit);
        QCOMPARE(unit->values, (QList<qint64>{11, 22, 33}));
        QCOMPARE(unit->valueTexts, (QStringList{"11", "22", "33"}));
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
        QVERIFY(unitOf("P10.07"));
        QCOMPARE(unitOf("P10.07")->values.value(2), qint64(700));
        QTestHost::link("src")->setOnline(false);
        QTRY_VERIFY(!QProjectCore::self()->getDevMgr()->getDeviceServo("src")->isDeviceOnline());
        QVERIFY(!m_selector->loadDevice("src"));
        QCOMPARE(m_boxes.count(), 1);
    }

private:
    QTestMessageBoxes m_boxes;

    FunOperationDataUnitPtr unitOf(const QString& number) const
    {
        for (const FunOperationDataUnitPtr& u : m_selector->sourceUnits()) {
            if (u->funIndex == number) {
                return u;
            }
        }
        return {};
    }

    QString writeLines(const QStringList& lines)
    {
        static int count = 0;
        const QString path = m_dir.filePath(QStringLiteral("codes%1.csv").arg(++count));
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write((lines.join('\n') + '\n').toUtf8()) > 0
                   ? path
                   : QString();
    }

    QTemporaryDir m_dir;
    QServoImportFunSelectorWgt* m_selector = nullptr;
};

QTEST_MAIN(tst_QServoImportFunSelectorWgt)
#include "tst_QServoImportFunSelectorWgt.moc"
