#include "FileFixtures.h"
#include "FuncodeRows.h"
#include "QConfigDB_Servo.h"
#include "QDatabaseManager.h"
#include "QDeviceServo.h"
#include "QFuncodeHelper_Servo.h"
#include "QFuncodeImportFile_Servo.h"
#include "QLibSetting.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "QTestUi.h"

#include <QtTest>

namespace {
const QString kAlias = QStringLiteral("Import-File");

QStringList groupsOf(const tagExportFuncodeList_Servo& rows)
{
    QStringList groups;
    for (const tagExportFuncodePtr_Servo& row : rows) {
        if (groups.isEmpty() || groups.last() != row->groupName) {
            groups.append(row->groupName);
        }
    }
    return groups;
}
} // namespace

// A file read for an import into the selected drive: which reader, which drive model, which codes the
// present authority keeps, in which order, and which list the import targets.
class tst_QFuncodeImportFile_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QTemporaryDir m_dir;

    // The selected drive's codes as the export writes them, with the header changed as given.
    tagExportDevInfo_Servo driveInfo(const QString& devText = QString(),
                                     const QString& mode = QString()) const
    {
        tagExportDevInfo_Servo info = QFuncodeHelper_Servo::collectDeviceFuncodes().value(0);
        if (!devText.isNull()) {
            info.devText = devText;
        }
        info.modeText = mode;
        return info;
    }
    QString writeCsv(const tagExportDevInfo_Servo& info, const QString& name = QStringLiteral("drive.csv"))
    {
        const QString path = m_dir.filePath(name);
        return QFuncodeHelper_Servo::writeFuncodeCsvFile(path, info) ? path : QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QTestHost::setUp());
        QVERIFY(m_dir.isValid());
    }
    void init()
    {
        m_device = QTestHost::addSelectedDrive(QStringLiteral("TST3"), kAlias);
        QVERIFY(m_device && QTestHost::readAll(m_device));
        QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
    }
    void cleanup() { QTestHost::clearProject(); }

    void readOutcomes_data()
    {
        QTest::addColumn<QString>("devText"); // null: the drive's own; "garbage": not a function-code file
        QTest::addColumn<bool>("renamed");    // OLDTST is the old name of TST3
        QTest::addColumn<QString>("mode");    // of the file
        QTest::addColumn<bool>("pageShown");  // the monitored list's page
        QTest::addColumn<int>("status");      // NoDevice: no drive is selected
        QTest::addColumn<bool>("monitored");  // the list the import targets
        const int ok = QFuncodeImportFile_Servo::Ok;
        const int other = QFuncodeImportFile_Servo::OtherDevice;
        QTest::newRow("the drive's own file") << QString() << false << "" << false << ok << false;
        QTest::newRow("no mode, monitored page shown") << QString() << false << "" << true << ok << true;
        QTest::newRow("saved from the monitored list")
            << QString() << false << "FOCUS" << false << ok << true;
        QTest::newRow("another mode, page shown") << QString() << false << "GROUPS" << true << ok << false;
        QTest::newRow("same model, another version") << "TST3_9.99" << false << "" << false << ok << false;
        QTest::newRow("model only") << "TST3" << false << "" << false << ok << false;
        QTest::newRow("another model") << "OTHER_1.00" << false << "" << false << other << false;
        QTest::newRow("the old name of the model") << "OLDTST_1.00" << true << "" << false << ok << false;
        QTest::newRow("a renamed model is still another")
            << "OLDTST_1.00" << false << "" << false << other << false;
        QTest::newRow("not a function-code file")
            << "garbage" << false << "" << false << int(QFuncodeImportFile_Servo::ReadFailed) << false;
        QTest::newRow("no drive") << QString() << false << "" << false
                                  << int(QFuncodeImportFile_Servo::NoDevice) << false;
    }

    // A file of the drive's model, its suffix none of the known ones (read as comma-separated), is offered
    // in the drive's group order, for the list its mode names (else the list whose page is shown); another
    // model's is refused, and a reader's error (each reader's are tst_QFuncodeHelper_Servo's) is named with
    // the path.
    void readOutcomes()
    {
        QFETCH(QString, devText);
        QFETCH(bool, renamed);
        QFETCH(QString, mode);
        QFETCH(bool, pageShown);
        QFETCH(int, status);
        QFETCH(bool, monitored);
        QConfigDB_Servo* config = QDatabaseManager::self()->getConfigDatabase_Servo();
        QVERIFY(config->addRenamedModel(QStringLiteral("OLDTST"),
                                        renamed ? QStringLiteral("TST3") : QString("GONE")));
        const tagExportDevInfo_Servo info = driveInfo(devText, mode);
        QString path = writeCsv(info, QStringLiteral("own.txt"));
        if (devText == QLatin1String("garbage")) {
            QVERIFY(FileFixtures::writeBytes(path, "\x01\x02 not a function-code file\n"));
        }
        QFuncodeImportFile_Servo file;
        QDeviceServo* device = status == QFuncodeImportFile_Servo::NoDevice ? nullptr : m_device;
        QCOMPARE(int(file.read(path, device, pageShown)), status);
        QCOMPARE(file.rows().isEmpty(), status != QFuncodeImportFile_Servo::Ok);
        if (status == QFuncodeImportFile_Servo::Ok) {
            QVERIFY(file.errorText().isEmpty());
            QCOMPARE(groupsOf(file.rows()),
                     QStringList({"P00 Basic", "P2 Gains", "P10 Limits", "PtP Points"}));
            QCOMPARE(file.rows().size(), info.funcodes.size());
            QCOMPARE(file.isMonitored(), monitored);
        } else if (status == QFuncodeImportFile_Servo::OtherDevice) {
            QCOMPARE(file.errorText(), QTestUi::text("STR_DOWNLOAD_DEVIC_ERROR"));
        } else if (status == QFuncodeImportFile_Servo::ReadFailed) {
            QVERIFY(file.errorCode() != 0);
            QVERIFY2(file.errorText().startsWith(QTestUi::text("STR_OPEN_FILE_FAILED") + '\n' + path + '\n' +
                                                 QTestUi::text("STR_ERROR CODE") +
                                                 QString::number(file.errorCode()) + '('),
                     qPrintable(file.errorText()));
        }
    }

    void codesAboveThePresentAuthorityAreLeftOut_data()
    {
        QTest::addColumn<int>("authority");
        QTest::addColumn<int>("status");
        QTest::newRow("engineer") << int(AUTHORITY_ENGINEER) << int(QFuncodeImportFile_Servo::NotPermitted);
        QTest::newRow("manufacturer") << int(AUTHORITY_MANUFACTURER) << int(QFuncodeImportFile_Servo::Ok);
    }
    void codesAboveThePresentAuthorityAreLeftOut()
    {
        QFETCH(int, authority);
        QFETCH(int, status);
        // Written at the manufacturer's level: the file holds P00.09, which only the manufacturer sees.
        QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_MANUFACTURER);
        tagExportDevInfo_Servo info = driveInfo();
        info.funcodes = {info.funcodes.value(FuncodeRows::numbersOf(info.funcodes).indexOf("P00.09"))};
        QVERIFY(info.funcodes.first());
        const QString path = writeCsv(info);
        QLibSetting::self()->getSystemSetting()->setAuthority(authority);
        QFuncodeImportFile_Servo file;
        QCOMPARE(int(file.read(path, m_device, false)), status);
        if (status == QFuncodeImportFile_Servo::NotPermitted) {
            QCOMPARE(file.errorText(), QTestUi::text("STR_AUTHORITY_NOW_NOT_PERMIT_IMPORT"));
        } else {
            QCOMPARE(FuncodeRows::numbersOf(file.rows()), QStringList({"P00.09"}));
        }
    }
};

QTEST_MAIN(tst_QFuncodeImportFile_Servo)
#include "tst_QFuncodeImportFile_Servo.moc"
