// Function-code files through the host helper: what our writers write reads back field for field, what
// a person or a spreadsheet makes of a file still reads, and what cannot be read gives an error number and
// a message that names the place.

#include "FuncodeFileFixture.h"
#include "QBatchReadWrite_Servo.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QExportDB_Servo.h"
#include "QFuncodeHelper_Servo.h"
#include "QLibSetting.h"
#include "QRecordDB_Servo.h"
#include "QSystemSetting.h"
#include "ZipFixture.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

using namespace FuncodeFileFixture;

namespace {
typedef QFuncodeHelperBase Err;

// Writes a drive's function codes in one of the three forms; returns the path.
QString writeForm(const QString& form, const QString& dir)
{
    const QList<tagExportDevInfo_Servo> devices = QFuncodeHelper_Servo::collectDeviceFuncodes();
    const QString path = dir + QStringLiteral("/drive.") + form;
    if (form == QLatin1String("funcodeservo")) {
        return QFuncodeHelper_Servo::writeFuncodeDatabaseFile(path, devices) ? path : QString();
    }
    if (form == QLatin1String("xlsx")) {
        return QFuncodeHelper_Servo::exportSelectInfoListServo(devices.first().funcodes, {}, path)
                   ? path
                   : QString();
    }
    return QFuncodeHelper_Servo::writeFuncodeCsvFile(path, devices.first()) ? path : QString();
}

QMap<QString, tagExportFuncodePtr_Servo> byNumber(const tagExportDevInfo_Servo& info)
{
    QMap<QString, tagExportFuncodePtr_Servo> map;
    for (const tagExportFuncodePtr_Servo& funcode : info.funcodes) {
        map.insert(funcode->funIndex, funcode);
    }
    return map;
}

// A comma-separated file of our layout with the lines given after the heading.
QByteArray csvFile(const QList<QByteArray>& codeLines, const QByteArray& device = "FCM3_1.00,3,Simulated,")
{
    QByteArray text = "Function-code file for import_9786345324_\n" + device + "\nheadings\n";
    for (const QByteArray& line : codeLines) {
        text += line + "\n";
    }
    return text;
}
} // namespace

class tst_QFuncodeHelper_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void driveRoundTrip_data();
    void driveRoundTrip();
    void whatSpreadsheetsWriteReads_data();
    void whatSpreadsheetsWriteReads();
    void unreadableLineNamesIt_data();
    void unreadableLineNamesIt();
    void brokenWorkbooksGiveErrors_data();
    void brokenWorkbooksGiveErrors();
    void refusedDatabaseFiles_data();
    void refusedDatabaseFiles();
    void segmentsCodeLineIntoFourteenFields();
    void exportKeepsPagesAfterEndSignAndMode();
    void pagesListRealRows();
    void faultPagesListTheDrivesFaults();
    void authorityFilterLeavesHigherCodesOut();

private:
    QTemporaryDir m_dir;
    QDeviceServo* m_source = nullptr;
};

void tst_QFuncodeHelper_Servo::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QTestHost::setUp());
    registerModels();
}

void tst_QFuncodeHelper_Servo::init()
{
    QTestHost::clearProject();
    m_source = QTestHost::addSelectedDrive("FCM3", "SOURCE");
    QVERIFY(m_source);
    QVERIFY(setDistinctValues(m_source, 1));
}

void tst_QFuncodeHelper_Servo::driveRoundTrip_data()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("comma-separated") << "csv";
    QTest::newRow("workbook") << "xlsx";
    QTest::newRow("database") << "funcodeservo";
}

// A drive written to a file and the file written into another drive of the model: the same value on
// every axis of every code, names and enumerated texts with commas included.
void tst_QFuncodeHelper_Servo::driveRoundTrip()
{
    QFETCH(QString, form);
    const QString path = writeForm(form, m_dir.path());
    QVERIFY2(!path.isEmpty(), qPrintable(QFuncodeHelper_Servo::lastErrorText()));
    tagExportDevInfo_Servo info;
    int error = -1;
    QVERIFY2(QFuncodeHelper_Servo::getFileFuncodeInfoServo(path, info, error),
             qPrintable(Err::getErrorStr(error)));
    QCOMPARE(error, 0);
    QCOMPARE(info.devText, QString("FCM3_1.00"));
    QCOMPARE(info.axisNumText, QString("3"));

    const QList<tagExportFuncodePtr_Servo> expected =
        QFuncodeHelper_Servo::collectDeviceFuncodes().first().funcodes;
    QCOMPARE(info.funcodes.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const tagExportFuncode_Servo& a = *expected.at(i);
        const tagExportFuncode_Servo& b = *info.funcodes.at(i);
        QCOMPARE(b.funIndex, a.funIndex);
        QCOMPARE(b.funName, a.funName);
        QCOMPARE(b.groupName, a.groupName);
        QCOMPARE(b.canopenAddr, a.canopenAddr);
        QCOMPARE(b.usbCode, a.usbCode);
        QCOMPARE(b.authority, a.authority);
        QCOMPARE(b.dataType, a.dataType);
        QCOMPARE(b.axisNum, 3);
        QCOMPARE(b.curValue, a.curValue);
        QCOMPARE(b.valueTexts, a.valueTexts);
    }
    QCOMPARE(byNumber(info).value("P00.00")->valueTexts.at(1), QString("3:80 mm flange, 750 W, 2500 rpm"));

    QDeviceServo* target = QTestHost::addDrive("FCM3", "TARGET");
    QVERIFY(QTestHost::readAll(target));
    QMap<QString, tagExportFuncodePtr_Servo> writable;
    for (const tagExportFuncodePtr_Servo& funcode : qAsConst(info.funcodes)) {
        if (target->checkWriteRawValue(funcode->funIndex, funcode->curValue[0], 0) ==
            QDeviceServo::WRITE_OK) {
            writable.insert(funcode->funIndex, funcode);
        }
    }
    QVERIFY(writable.size() > 100);
    QBatchReadWrite_Servo writer("TARGET", "write", nullptr, 1);
    QVERIFY2(writer.batchWriteFuncode(writable, true, 0), qPrintable(writer.failedFuncodes().join(' ')));
    for (const QString& number : writable.keys()) {
        for (int axis = 0; axis < 3; ++axis) {
            QCOMPARE(target->getCurValue(number, axis), m_source->getCurValue(number, axis));
        }
    }
}

void tst_QFuncodeHelper_Servo::whatSpreadsheetsWriteReads_data()
{
    QTest::addColumn<QByteArray>("content");
    const QByteArray plain = csvFile({"131072,0,P00 Basic,P00.00,Motor type, frame, power,0,4,3,1,3,5,"
                                      "1:60 mm flange, 200 W, 3000 rpm,3:80 mm flange, 750 W, 2500 rpm,"
                                      "5:130 mm flange, 1 kW, 2000 rpm",
                                      "131073,1,P00 Basic,P00.01,\"Rated current, peak,\",0,4,3,150,151,152,"
                                      "1.50,1.51,1.52"});
    QTest::newRow("as written") << plain;
    QByteArray crlf = plain;
    crlf.replace("\n", "\r\n");
    QTest::newRow("CRLF and byte-order mark") << QByteArray("\xEF\xBB\xBF") + crlf;
    QByteArray cr = plain;
    cr.replace("\n", "\r");
    QTest::newRow("CR line ends") << cr;
    QTest::newRow("empty lines at the end") << plain + "\n\r\n\n,,,\n";
    QTest::newRow("quoted and padded by a spreadsheet") << QByteArray(
        "Function-code file for import_9786345324_,,,,,,,,,,,,,\r\n"
        "FCM3_1.00,3,Simulated,,,,,,,,,,,\r\n"
        "a,b,c,d,e,f,g,h,i,j,k,l,m,n\r\n"
        "131072,0,P00 Basic,P00.00,\"Motor type, frame, power\",0,4,3,1,3,5,"
        "\"1:60 mm flange, 200 W, 3000 rpm\",\"3:80 mm flange, 750 W, 2500 rpm\","
        "\"5:130 mm flange, 1 kW, 2000 rpm\"\r\n"
        "131073,1,P00 Basic,P00.01,\"Rated current, peak,\",0,4,3,150,151,152,1.5,1.51,1.52\r\n");
    QTest::newRow("text changed by hand wins over the raw value")
        << csvFile({"131072,0,P00 Basic,P00.00,Motor type, frame, power,0,4,3,1,3,0,"
                    "1:60 mm flange, 200 W, 3000 rpm,3:80 mm flange, 750 W, 2500 rpm,"
                    "5:130 mm flange, 1 kW, 2000 rpm",
                    "131073,1,P00 Basic,P00.01,Rated current, peak,,0,4,3,150,151,1,1.50,1.51,1.52"});
}

void tst_QFuncodeHelper_Servo::whatSpreadsheetsWriteReads()
{
    QFETCH(QByteArray, content);
    const QString path = m_dir.filePath("edited.csv");
    QVERIFY(writeBytes(path, content));
    tagExportDevInfo_Servo info;
    int error = -1;
    QVERIFY2(QFuncodeHelper_Servo::getCsvFileFuncodeInfoServo(path, info, error, true, false),
             qPrintable(Err::getErrorStr(error)));
    QCOMPARE(info.devText, QString("FCM3_1.00"));
    QCOMPARE(info.funcodes.size(), 2);
    const tagExportFuncode_Servo& motor = *info.funcodes.at(0);
    QCOMPARE(motor.funName, QString("Motor type, frame, power"));
    QCOMPARE(motor.valueTexts,
             QStringList({"1:60 mm flange, 200 W, 3000 rpm", "3:80 mm flange, 750 W, 2500 rpm",
                          "5:130 mm flange, 1 kW, 2000 rpm"}));
    QCOMPARE(motor.curValue, (std::array<qint64, 3>{{1, 3, 5}}));
    const tagExportFuncode_Servo& current = *info.funcodes.at(1);
    QCOMPARE(current.funName, QString("Rated current, peak,"));
    QCOMPARE(current.valueTexts, QStringList({"1.50", "1.51", "1.52"}));
    QCOMPARE(current.curValue, (std::array<qint64, 3>{{150, 151, 152}}));
}

void tst_QFuncodeHelper_Servo::unreadableLineNamesIt_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("where");
    const QByteArray good = "131074,2,P00 Basic,P00.02,Rated speed,0,4,3,3000,3000,3000,3000,3000,3000";
    QTest::newRow("too few fields") << csvFile({good, "131075,3,P00 Basic,P00.03,Mode,0,4"})
                                    << int(Err::FILE_ERR_FIELD_COUNT) << "line 5";
    QTest::newRow("authority not a number")
        << csvFile({good, good, "131075,3,P00 Basic,P00.03,Mode,high,4,3,0,0,0,a,b,c"})
        << int(Err::FILE_ERR_NOT_INTEGER) << "line 6";
    QTest::newRow("axis count 5") << csvFile({"131075,3,P00 Basic,P00.03,Mode,0,4,5,0,0,0,a,b,c"})
                                  << int(Err::FILE_ERR_AXIS_COUNT) << "line 4";
    QTest::newRow("commas that fit no layout")
        << csvFile({"131075,3,P00 Basic,P00.03,Mode,x,y,z,w,v,u,t,s,r,q"}) << int(Err::FILE_ERR_SPLIT)
        << "line 4";
    QTest::newRow("no number") << csvFile({"131075,3,P00 Basic,,Mode,0,4,3,0,0,0,a,b,c"})
                               << int(Err::FILE_ERR_NO_NUMBER) << "line 4";
    QTest::newRow("no import mark") << QByteArray("FCM3_1.00,3,Simulated,\nheadings\n" + good + "\n")
                                    << int(Err::FILE_ERR_NO_MARK) << "line 1";
    QTest::newRow("empty device text")
        << csvFile({good}, ",3,Simulated,") << int(Err::FILE_ERR_DEVICE_INFO) << "line 2";
    QTest::newRow("no code") << csvFile({}) << int(Err::FILE_ERR_NO_FUNCODE) << "";
    QTest::newRow("empty file") << QByteArray("\xEF\xBB\xBF\r\n") << int(Err::FILE_ERR_EMPTY) << "";
    QTest::newRow("binary garbage") << QByteArray("\x00\x01\x02PK\x03\x04\xff\xfe\x00", 9)
                                    << int(Err::FILE_ERR_NO_MARK) << "line 1";
}

void tst_QFuncodeHelper_Servo::unreadableLineNamesIt()
{
    QFETCH(QByteArray, content);
    QFETCH(int, error);
    QFETCH(QString, where);
    const QString path = m_dir.filePath("bad.csv");
    QVERIFY(writeBytes(path, content));
    tagExportDevInfo_Servo info;
    info.devText = "untouched";
    int result = -1;
    QVERIFY(!QFuncodeHelper_Servo::getCsvFileFuncodeInfoServo(path, info, result, true, false));
    QCOMPARE(result, error);
    QCOMPARE(info.devText, QString("untouched"));
    const QString text = Err::getErrorStr(result);
    QVERIFY2(!text.startsWith("STR_") && text.contains(where), qPrintable(text));
}

void tst_QFuncodeHelper_Servo::brokenWorkbooksGiveErrors_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("error");
    QTest::newRow("truncated") << "truncated" << int(Err::FILE_ERR_NOT_ZIP);
    QTest::newRow("zip without workbook") << "zip of a text" << int(Err::FILE_ERR_NOT_WORKBOOK);
    QTest::newRow("comma-separated text") << "text" << int(Err::FILE_ERR_NOT_ZIP);
    QTest::newRow("missing file") << "missing" << int(Err::FILE_ERR_OPEN);
}

void tst_QFuncodeHelper_Servo::brokenWorkbooksGiveErrors()
{
    QFETCH(QString, damage);
    QFETCH(int, error);
    const QString good = writeForm("xlsx", m_dir.path());
    QVERIFY(!good.isEmpty());
    const QString path = m_dir.filePath("broken.xlsx");
    QFile::remove(path);
    if (damage == "truncated") {
        const QByteArray bytes = readBytes(good);
        QVERIFY(writeBytes(path, bytes.left(bytes.size() / 2)));
    } else if (damage == "zip of a text") {
        QVERIFY(ZipFixture::makeZip(path, {{"notes.txt", "a zip archive, but no workbook"}}));
    } else if (damage == "text") {
        QVERIFY(writeBytes(path, csvFile({})));
    }
    tagExportDevInfo_Servo info;
    int result = -1;
    QVERIFY(!QFuncodeHelper_Servo::getXlsxFileFuncodeInfoServo(path, info, result));
    QCOMPARE(result, error);
    QVERIFY(!Err::getErrorStr(result).isEmpty());
}

void tst_QFuncodeHelper_Servo::refusedDatabaseFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("error");
    QTest::newRow("another program's SQLite file") << "foreign" << int(Err::FILE_ERR_DATABASE);
    QTest::newRow("damaged") << "damaged" << int(Err::FILE_ERR_DATABASE);
    QTest::newRow("newer layout") << "newer" << int(Err::FILE_ERR_DATABASE);
    QTest::newRow("no device") << "empty" << int(Err::FILE_ERR_NO_DEVICE);
}

void tst_QFuncodeHelper_Servo::refusedDatabaseFiles()
{
    QFETCH(QString, kind);
    QFETCH(int, error);
    const QString path = m_dir.filePath(kind + ".funcodeservo");
    QFile::remove(path);
    if (kind == "damaged") {
        const QByteArray bytes = readBytes(writeForm("funcodeservo", m_dir.path()));
        QVERIFY(writeBytes(path, bytes.left(bytes.size() / 3)));
    } else if (kind == "empty") {
        QVERIFY(QFuncodeHelper_Servo::writeFuncodeDatabaseFile(path, {}));
    } else {
        QVERIFY(QFile::copy(writeForm("funcodeservo", m_dir.path()), path));
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "raw");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery(db).exec(kind == "newer" ? "PRAGMA user_version = 99" : "PRAGMA application_id = 7");
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("raw");
    }
    const QByteArray before = readBytes(path);
    tagExportDevInfo_Servo info;
    int result = -1;
    QVERIFY(!QFuncodeHelper_Servo::getFuncodeServoFileInfoServo(path, info, result));
    QCOMPARE(result, error);
    QVERIFY(Err::getErrorStr(result).contains(':'));
    QCOMPARE(readBytes(path), before);
}

void tst_QFuncodeHelper_Servo::segmentsCodeLineIntoFourteenFields()
{
    const QStringList fields =
        QFuncodeHelper_Servo::segMenteStrForList("131072,0,P00 Basic,P00.00,Motor type, frame, "
                                                 "power,0,4,1,1,0,0,1:60 mm flange, 200 W, 3000 rpm,,\r\n");
    QCOMPARE(fields.size(), 14);
    QCOMPARE(fields.at(4), QString("Motor type, frame, power"));
    QCOMPARE(fields.at(7), QString("1"));
    QCOMPARE(fields.at(11), QString("1:60 mm flange, 200 W, 3000 rpm"));
    QCOMPARE(fields.at(12), QString());
    QCOMPARE(QFuncodeHelper_Servo::segMenteStrForList("FCM3_1.00,3,Simulated,"),
             QStringList({"FCM3_1.00", "3", "Simulated", ""}));
}

void tst_QFuncodeHelper_Servo::exportKeepsPagesAfterEndSignAndMode()
{
    m_source->appendSelSubFuncode("P00.00");
    m_source->appendSelSubFuncode("P2.00");
    const QString path = m_dir.filePath("selected.csv");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
    QTextStream stream(&file);
    const QList<tagExportFuncodePtr_Servo> records =
        QFuncodeHelper_Servo::getServoExportFuncodeList(false).mid(0, 3);
    QVERIFY(
        QFuncodeHelper_Servo::exportSelectInfoListServo(records, {tr("STR_MONITOR_FUNCODE")}, stream, true));
    file.close();
    const QString text = QString::fromUtf8(readBytes(path));
    QVERIFY(text.indexOf("import end sign") < text.indexOf("Monitored function codes"));
    QVERIFY(text.contains("P2.00,Speed gain"));

    tagExportDevInfo_Servo info;
    int error = -1;
    QVERIFY(QFuncodeHelper_Servo::getCsvFileFuncodeInfoServo(path, info, error, true, false));
    QCOMPARE(info.modeText, QString("FOCUS"));
    QCOMPARE(info.funcodes.size(), 3);
    // The present values are written, not the defaults the export tree compares with.
    QCOMPARE(info.funcodes.first()->valueTexts.at(2), m_source->getScaledCurValueStr("P00.00", 2));
}

void tst_QFuncodeHelper_Servo::pagesListRealRows()
{
    m_source->appendSelSubFuncode("P2.01");
    QVERIFY(m_source->modifyFuncodeValueWithRecord("P2.00", 33.0, 1));
    tagModifyFuncode_Servo record;
    record.strTime = "2024-05-01 10:00:00";
    record.funIndex = "P00.03";
    record.axisIndex = 2;
    record.oldVal = "0";
    record.newVal = "2";
    QVERIFY(QDatabaseManager::self()->getRecordDatabase_Servo()->insertModifyFunCode("SOURCE", record));

    QStringList header;
    QList<QStringList> rows;
    QString text;
    QVERIFY(QFuncodeHelper_Servo::getServoNonFuncodeInfoList(tr("STR_MONITOR_FUNCODE"), header, rows, text));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().mid(0, 2), QStringList({"P2.01", "Speed integral time"}));
    QCOMPARE(rows.first().size(), header.size());

    QVERIFY(QFuncodeHelper_Servo::getServoNonFuncodeInfoList(tr("STR_SORTED_FUNCODE_MODIFY"), header, rows,
                                                             text));
    QVERIFY(!rows.isEmpty());
    QCOMPARE(rows.first().at(0), QString("P2.00"));
    QCOMPARE(rows.first().at(2), QString("1"));

    QVERIFY(QFuncodeHelper_Servo::getServoNonFuncodeInfoList(tr("STR_MODIFY_RECORD"), header, rows, text));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().at(4), QString("2:Torque, 3 limits"));
    QVERIFY(QFuncodeHelper_Servo::getServoNonFuncodeInfoList(tr("STR_COMPARE_DEFAULT"), header, rows, text));
    QCOMPARE(rows, m_source->getCompareFuncodeDefault());
    QVERIFY(rows.size() > 100);
    QCOMPARE(rows.first().size(), header.size());
    QVERIFY(!QFuncodeHelper_Servo::getServoNonFuncodeInfoList("no such page", header, rows, text));
}

// The fault pages hold one row per current fault, and the history of every axis led by its axis.
void tst_QFuncodeHelper_Servo::faultPagesListTheDrivesFaults()
{
    QStringList header;
    QList<QStringList> rows;
    QString text;
    QVERIFY(QFuncodeHelper_Servo::getServoNonFuncodeInfoList(tr("STR_CURRENT_FAULT"), header, rows, text));
    QVERIFY(rows.isEmpty());
    QVERIFY(!text.isEmpty());

    QVERIFY(QTestHost::link("SOURCE")->raiseFault("E.101", 1));
    QSignalSpy changed(m_source, SIGNAL(curFaultsChanged()));
    m_source->readCurFaults();
    QTRY_VERIFY_WITH_TIMEOUT(!m_source->getCurFaultList().isEmpty(), 5000);
    QVERIFY(QFuncodeHelper_Servo::getServoNonFuncodeInfoList(tr("STR_CURRENT_FAULT"), header, rows, text));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().size(), header.size());
    QVERIFY(rows.first().join(',').contains("E.101"));

    QVERIFY(QFuncodeHelper_Servo::getServoNonFuncodeInfoList(tr("STR_HIS_FAULT"), header, rows, text));
    QCOMPARE(header.first(), tr("STR_AXIS_INDEX"));
    for (const QStringList& row : qAsConst(rows)) {
        QCOMPARE(row.size(), header.size());
    }
}

void tst_QFuncodeHelper_Servo::authorityFilterLeavesHigherCodesOut()
{
    const QString path = writeForm("csv", m_dir.path());
    tagExportDevInfo_Servo all;
    tagExportDevInfo_Servo filtered;
    int error = -1;
    QVERIFY(QFuncodeHelper_Servo::getCsvFileFuncodeInfoServo(path, all, error, true, false));
    QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_USER);
    QVERIFY(QFuncodeHelper_Servo::getCsvFileFuncodeInfoServo(path, filtered, error, true, true));
    QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
    QVERIFY(filtered.funcodes.size() < all.funcodes.size());
    for (const tagExportFuncodePtr_Servo& funcode : qAsConst(filtered.funcodes)) {
        QCOMPARE(funcode->authority, 0);
    }
}

QTEST_MAIN(tst_QFuncodeHelper_Servo)
#include "tst_QFuncodeHelper_Servo.moc"
