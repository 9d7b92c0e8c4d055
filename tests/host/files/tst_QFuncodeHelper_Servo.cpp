// Function-code files through the host helper: what our writers write reads back field for field, what
// a person or a spreadsheet makes of a file still reads, and what cannot be read gives an error number and
// a message that names the place.

#include "FileFixtures.h"
#include "QConfigDB_Servo.h"
#include "QDatabaseManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QFaultExportRows.h"
#include "QFuncodeCsvReader_Servo.h"
#include "QFuncodeHelper_Servo.h"
#include "QFuncodeScaling.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QRecordDB_Servo.h"
#include "QSimulatedDriveLink.h"
#include "QStatistics.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "ZipFixture.h"

#include <QtTest>

using namespace FileFixtures;

namespace {
typedef QFuncodeHelperBase Err;

// The test model with commas in names and value texts (in both languages), and a code the user authority
// does not see: "FCM<axes>", for the round trips through function-code files.
QDriveModelPtr commaModel(int axisNum, const QString& language = QStringLiteral("en"))
{
    return QTestHost::testModel(axisNum, QStringLiteral("FCM%1").arg(axisNum), language,
                                {{"\"Motor type\"", "\"Motor type, frame, power\""},
                                 {"\"Rated current\"", "\"Rated current, peak,\""},
                                 {"0:Motor A 200W", "0:40 mm flange, 100 W, 3000 rpm"},
                                 {"1:Motor B 400W", "1:60 mm flange, 200 W, 3000 rpm"},
                                 {"3:Motor C 750W", "3:80 mm flange, 750 W, 2500 rpm"},
                                 {"5:Motor D 1kW", "5:130 mm flange, 1 kW, 2000 rpm"},
                                 {"\"0:Position\"", "\"0:Position, pulses\""},
                                 {"\"1:Speed\"", "\"1:Speed, analog\""},
                                 {"\"2:Torque\"", "\"2:Torque, 3 limits\""},
                                 {"\"电机型号\"", "\"电机型号, 机座, 功率\""},
                                 {"\"额定电流\"", "\"额定电流, 峰值,\""},
                                 {"0:电机A 200W", "0:40法兰, 100W, 3000rpm"},
                                 {"1:电机B 400W", "1:60法兰, 200W, 3000rpm"},
                                 {"3:电机C 750W", "3:80法兰, 750W, 2500rpm"},
                                 {"5:电机D 1kW", "5:130法兰, 1kW, 2000rpm"},
                                 {"\"0:位置\"", "\"0:位置, 脉冲\""},
                                 {"\"1:速度\"", "\"1:速度, 模拟量\""},
                                 {"\"2:转矩\"", "\"2:转矩, 3个限值\""},
                                 {"\"index\": \"P2.03\"", "\"authority\": 1, \"index\": \"P2.03\""}});
}

void registerModels()
{
    for (const QString& language : QDriveModel::languages()) {
        QProjectCore::self()->getCatalogue()->addModel(commaModel(3, language));
    }
}

// Gives every writable code of the drive a value of its own per axis (different from the default), as
// the drive's memory, and reads them into the device.
bool setDistinctValues(QDeviceServo* device, int seed)
{
    QSimulatedDriveLink* link = QTestHost::link(device->getAliasName());
    if (!link) {
        return false;
    }
    const auto& groups = device->getNormalFuncodeGroupMap();
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        for (const tagSubFuncode_Servo* fun : it.value()) {
            if (fun->rwLevel != 1 || fun->showType == 4 || fun->showType == 5 || fun->showType == 7) {
                continue;
            }
            const qint64 low = QFuncodeScaling::rawMin(*fun);
            const qint64 high = QFuncodeScaling::rawMax(*fun);
            for (int axis = 0; axis < device->getAxisNum(); ++axis) {
                const qint64 step = qint64(seed * 7 + axis * 3 + 1);
                const qint64 value =
                    fun->showType == 2   ? fun->enumTable->itemValue((seed + axis) % fun->enumTable->count())
                    : fun->showType == 6 ? (seed + axis) % 2
                                         : low + step % qMax<qint64>(1, qMin<qint64>(high - low, 90));
                link->setRawValue(fun->funIndex, axis, value);
            }
        }
    }
    return QTestHost::readAll(device);
}

// Writes the selected drive's function codes in one of the three forms; returns the path.
QString writeForm(const QString& form, const QString& dir)
{
    const QList<tagExportDevInfo_Servo> devices = QFuncodeHelper_Servo::collectDeviceFuncodes();
    const QString path = dir + QStringLiteral("/drive.") + form;
    bool written = false;
    if (form == QLatin1String("funcodeservo")) {
        written = QFuncodeHelper_Servo::writeFuncodeDatabaseFile(path, devices);
    } else if (form == QLatin1String("xlsx")) {
        written = QFuncodeHelper_Servo::exportSelectInfoListServo(devices.first().funcodes, {}, path);
    } else {
        written = QFuncodeHelper_Servo::writeFuncodeCsvFile(path, devices.first());
    }
    return written ? path : QString();
}

// Every field a function-code file keeps, on one line.
QStringList fileFields(const tagExportFuncodeList_Servo& funcodes)
{
    QStringList lines;
    for (const tagExportFuncodePtr_Servo& f : funcodes) {
        QStringList fields{f->funIndex, f->funName, f->groupName};
        for (qint64 n :
             {qint64(f->canopenAddr), qint64(f->usbCode), qint64(f->authority), qint64(f->dataType),
              qint64(f->axisNum), f->curValue[0], f->curValue[1], f->curValue[2]}) {
            fields << QString::number(n);
        }
        lines << (fields << f->valueTexts.join('^')).join('|');
    }
    return lines;
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

    QTemporaryDir m_dir;
    QDeviceServo* m_source = nullptr;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QTestHost::setUp());
        registerModels();
    }

    void init()
    {
        QLibSetting::self()->getSystemSetting()->setLanguage("en");
        QTestHost::clearProject();
        m_source = QTestHost::addSelectedDrive("FCM3", "SOURCE");
        QVERIFY(m_source);
        QVERIFY(setDistinctValues(m_source, 1));
    }

    void driveRoundTrip_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("written"); // the language chosen when the file was written
        QTest::addColumn<QString>("read");
        QTest::newRow("comma-separated") << "csv" << QString("en") << QString("en");
        QTest::newRow("workbook") << "xlsx" << QString("en") << QString("en");
        QTest::newRow("database") << "funcodeservo" << QString("en") << QString("en");
        QTest::newRow("Chinese file, English chosen") << "csv" << QString("zh_CN") << QString("en");
        QTest::newRow("English file, Chinese chosen") << "csv" << QString("en") << QString("zh_CN");
    }

    // A drive written to a file reads back with the drive's value on every axis of every code, names and
    // enumerated texts with commas included. Read in the other language, every code has its value and shows
    // it in the language chosen now.
    void driveRoundTrip()
    {
        QFETCH(QString, form);
        QFETCH(QString, written);
        QFETCH(QString, read);
        QLibSetting::self()->getSystemSetting()->setLanguage(written);
        const QString path = writeForm(form, m_dir.path());
        QVERIFY2(!path.isEmpty(), qPrintable(QFuncodeHelper_Servo::lastErrorText()));
        QLibSetting::self()->getSystemSetting()->setLanguage(read);
        tagExportDevInfo_Servo info;
        int error = -1;
        QVERIFY2(QFuncodeHelper_Servo::getFileFuncodeInfoServo(path, info, error),
                 qPrintable(Err::getErrorStr(error)));
        QCOMPARE(error, 0);
        QCOMPARE(info.devText, QString("FCM3_1.00"));
        QCOMPARE(info.axisNumText, QString("3"));
        // Number, axes, raw values and value texts of every code; names too in the language written.
        const auto values = [&](const tagExportFuncodeList_Servo& funcodes) {
            QStringList lines = fileFields(funcodes);
            for (QString& line : lines) {
                line = written == read ? line : line.section('|', 0, 0) + '|' + line.section('|', 7);
            }
            return lines;
        };
        QCOMPARE(values(info.funcodes),
                 values(QFuncodeHelper_Servo::collectDeviceFuncodes().first().funcodes));
        QVERIFY(info.funcodes.size() > 100);
        for (const tagExportFuncodePtr_Servo& funcode : qAsConst(info.funcodes)) {
            for (int axis = 0; axis < 3; ++axis) {
                QCOMPARE(funcode->curValue[axis], m_source->getCurValue(funcode->funIndex, axis));
            }
        }
        QCOMPARE(info.funcodes.first()->valueTexts.at(1),
                 QString(read == "en" ? "3:80 mm flange, 750 W, 2500 rpm" : "3:80法兰, 750W, 2500rpm"));
    }

    void whatSpreadsheetsWriteReads_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("taken"); // per code, the axes whose raw value was made from the text
        const QByteArray plain =
            csvFile({"131072,0,P00 Basic,P00.00,Motor type, frame, power,0,4,3,1,3,5,"
                     "1:60 mm flange, 200 W, 3000 rpm,3:80 mm flange, 750 W, 2500 rpm,"
                     "5:130 mm flange, 1 kW, 2000 rpm",
                     "131073,1,P00 Basic,P00.01,\"Rated current, peak,\",0,4,3,150,151,152,"
                     "1.50,1.51,1.52"});
        QTest::newRow("as written") << "csv" << plain << QString("0 0");
        QTest::newRow("CRLF and byte-order mark")
            << "csv" << QByteArray("\xEF\xBB\xBF") + QByteArray(plain).replace("\n", "\r\n")
            << QString("0 0");
        QTest::newRow("CR line ends") << "csv" << QByteArray(plain).replace("\n", "\r") << QString("0 0");
        // Large enough to be read in parts, a code in the first and the last.
        QTest::newRow("empty lines, in the middle and at the end")
            << "csv"
            << QByteArray(plain).replace("rpm\n1", "rpm\n" + QByteArray(70000, '\n') + "1") + "\n\r\n\n,,,\n"
            << QString("0 0");
        // Lines padded to the widest one; the name with commas is quoted in plain already.
        QTest::newRow("quoted and padded by a spreadsheet")
            << "csv"
            << QByteArray(plain)
                   .replace("\n", ",,,,,,,,,,\r\n")
                   .replace("1:60 mm flange, 200 W, 3000 rpm", "\"1:60 mm flange, 200 W, 3000 rpm\"")
            << QString("0 0");
        QTest::newRow("text changed by hand wins over the raw value")
            << "csv"
            << csvFile({"131072,0,P00 Basic,P00.00,Motor type, frame, power,0,4,3,1,3,0,"
                        "1:60 mm flange, 200 W, 3000 rpm,3:80 mm flange, 750 W, 2500 rpm,"
                        "5:130 mm flange, 1 kW, 2000 rpm",
                        "131073,1,P00 Basic,P00.01,Rated current, peak,,0,4,3,150,151,1,1.50,1.51,1.52"})
            << QString("4 4");
        QTest::newRow("workbook of another program")
            << "xlsx" << ZipFixture::zipBytes(ZipFixture::foreignWorkbook()) << QString("0 0");
        // Cut in two at the line break, the heading would leave a line that is not a function code.
        QTest::newRow("quoted field holding a line break")
            << "csv" << QByteArray(plain).replace("headings", "number,\"name,\r\nin two lines\",axes")
            << QString("0 0");
    }

    void whatSpreadsheetsWriteReads()
    {
        QFETCH(QString, suffix);
        QFETCH(QByteArray, content);
        QFETCH(QString, taken);
        const QString path = m_dir.filePath("edited." + suffix);
        QVERIFY(writeBytes(path, content));
        tagExportDevInfo_Servo info;
        int error = -1;
        QVERIFY2(QFuncodeHelper_Servo::getFileFuncodeInfoServo(path, info, error),
                 qPrintable(Err::getErrorStr(error)));
        QCOMPARE(info.devText, QString("FCM3_1.00"));
        QCOMPARE(info.axisNumText, QString("3"));
        // "1.5" as a spreadsheet shows it is the drive's "1.50".
        QCOMPARE(
            fileFields(info.funcodes),
            (QStringList{"P00.00|Motor type, frame, power|P00 Basic|131072|0|0|4|3|1|3|5|"
                         "1:60 mm flange, 200 W, 3000 rpm^3:80 mm flange, 750 W, 2500 rpm^"
                         "5:130 mm flange, 1 kW, 2000 rpm",
                         "P00.01|Rated current, peak,|P00 Basic|131073|1|0|4|3|150|151|152|1.50^1.51^1.52"}));
        QCOMPARE(
            QString("%1 %2").arg(info.funcodes.at(0)->textTakenAxes).arg(info.funcodes.at(1)->textTakenAxes),
            taken);
    }

    void refusedFilesNameThePlace_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QByteArray>("content"); // empty: no file
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("where");
        const QByteArray good = "131074,2,P00 Basic,P00.02,Rated speed,0,4,3,3000,3000,3000,3000,3000,3000";
        // A large file is read in parts, cut at line breaks outside the quoted name (of 400 lines) that
        // spans its middle; the lines of the parts before are counted on in a later one.
        QList<QByteArray> large = QVector<QByteArray>(1001, good).toList();
        large[500] = "131075,3,P00 Basic,P00.03,\"" + QByteArray(400, '\n') + "\",0,4,3,0,0,0,a,b,c";
        QTest::newRow("too few fields, in the last part of a large file")
            << "csv" << csvFile(large << "131075,3,P00 Basic,P00.03,Mode,0,4")
            << int(Err::FILE_ERR_FIELD_COUNT) << "line 1405";
        // A failure quotes only the start of the field it names.
        QTest::newRow("authority not a number")
            << "csv"
            << csvFile({good, good,
                        "131075,3,P00 Basic,P00.03,Mode,high" + QByteArray(4000, 'h') + ",4,3,0,0,0,a,b,c"})
            << int(Err::FILE_ERR_NOT_INTEGER) << "line 6";
        QTest::newRow("field longer than any")
            << "csv" << csvFile({"131075,3,P00 Basic,P00.03," + QByteArray(5000, 'n') + ",0,4,3,0,0,0,a,b,c"})
            << int(Err::FILE_ERR_TOO_LARGE) << "line 4";
        QTest::newRow("axis count 5")
            << "csv" << csvFile({"131075,3,P00 Basic,P00.03,Mode,0,4,5,0,0,0,a,b,c"})
            << int(Err::FILE_ERR_AXIS_COUNT) << "line 4";
        QTest::newRow("commas that fit no layout")
            << "csv" << csvFile({"131075,3,P00 Basic,P00.03,Mode,x,y,z,w,v,u,t,s,r,q"})
            << int(Err::FILE_ERR_SPLIT) << "line 4";
        QTest::newRow("no number") << "csv" << csvFile({"131075,3,P00 Basic,,Mode,0,4,3,0,0,0,a,b,c"})
                                   << int(Err::FILE_ERR_NO_NUMBER) << "line 4";
        QTest::newRow("no import mark")
            << "csv" << QByteArray("FCM3_1.00,3,Simulated,\nheadings\n" + good + "\n")
            << int(Err::FILE_ERR_NO_MARK) << "line 1";
        QTest::newRow("empty device text")
            << "csv" << csvFile({good}, ",3,Simulated,") << int(Err::FILE_ERR_DEVICE_INFO) << "line 2";
        QTest::newRow("no code") << "csv" << csvFile({}) << int(Err::FILE_ERR_NO_FUNCODE) << "";
        QTest::newRow("empty file") << "csv" << QByteArray("\xEF\xBB\xBF\r\n") << int(Err::FILE_ERR_EMPTY)
                                    << "";
        QTest::newRow("binary garbage") << "csv" << QByteArray("\x00\x01\x02PK\x03\x04\xff\xfe\x00", 9)
                                        << int(Err::FILE_ERR_NO_MARK) << "line 1";
        using namespace ZipFixture;
        const QByteArray workbook = zipBytes(foreignWorkbook());
        QTest::newRow("truncated workbook")
            << "xlsx" << workbook.left(workbook.size() / 2) << int(Err::FILE_ERR_NOT_ZIP) << "";
        QTest::newRow("text as workbook") << "xlsx" << csvFile({}) << int(Err::FILE_ERR_NOT_ZIP) << "";
        QTest::newRow("missing workbook") << "xlsx" << QByteArray() << int(Err::FILE_ERR_OPEN) << "";
        QTest::newRow("zip of a text")
            << "xlsx" << zipBytes({{"notes.txt", "a zip archive, but no workbook"}})
            << int(Err::FILE_ERR_NOT_WORKBOOK) << "";
        Entries parts = foreignWorkbook();
        parts.removeAt(1);
        QTest::newRow("no workbook part")
            << "xlsx" << zipBytes(parts) << int(Err::FILE_ERR_NOT_WORKBOOK) << ":";
        const QByteArray sheet = foreignCodeSheet();
        QTest::newRow("sheet not well-formed")
            << "xlsx"
            << zipBytes(workbookParts(sheet.left(sheet.size() - 30), sharedStrings(foreignStringItems())))
            << int(Err::FILE_ERR_BAD_XML) << ":";
        QList<QByteArray> longText = foreignStringItems();
        longText[2] = "<t>" + QByteArray(200000, 'x') + "</t>";
        QTest::newRow("shared text longer than any")
            << "xlsx" << zipBytes(workbookParts(sheet, sharedStrings(longText)))
            << int(Err::FILE_ERR_TOO_LARGE) << "line 4";
        // The compressed data of the code sheet is changed; its check sum no longer fits.
        QByteArray flipped = workbook;
        const int at = flipped.indexOf("xl/worksheets/codes.xml") + 40;
        for (int i = at; i < at + 16; ++i) {
            flipped[i] = char(flipped.at(i) ^ 0x5A);
        }
        QTest::newRow("part does not unpack") << "xlsx" << flipped << int(Err::FILE_ERR_ZIP_ENTRY) << ":";
        // Files refused by the database: tst_QSqliteDatabase, tst_QExportDB_Servo; here the error they give.
        QTemporaryDir dir;
        const QString empty = dir.filePath("empty.funcodeservo");
        QVERIFY(QFuncodeHelper_Servo::writeFuncodeDatabaseFile(empty, {}));
        const QByteArray noDevice = readBytes(empty);
        QTest::newRow("damaged database")
            << "funcodeservo" << noDevice.left(100) + randomBytes(noDevice.size() - 100, 3)
            << int(Err::FILE_ERR_OPEN) << "damaged";
        QTest::newRow("database without device")
            << "funcodeservo" << noDevice << int(Err::FILE_ERR_NO_DEVICE) << "";
    }

    // Nothing is taken from a refused file, and the file stays as it was.
    void refusedFilesNameThePlace()
    {
        QFETCH(QString, suffix);
        QFETCH(QByteArray, content);
        QFETCH(int, error);
        QFETCH(QString, where);
        const QString path = m_dir.filePath("refused." + suffix);
        QFile::remove(path);
        QVERIFY(content.isEmpty() || writeBytes(path, content));
        tagExportDevInfo_Servo info;
        info.devText = "untouched";
        int result = -1;
        QVERIFY(!QFuncodeHelper_Servo::getFileFuncodeInfoServo(path, info, result));
        QCOMPARE(result, error);
        QCOMPARE(info.devText, QString("untouched"));
        const QString text = Err::getErrorStr(result);
        QVERIFY2(!text.isEmpty() && !text.startsWith("STR_") && text.contains(where), qPrintable(text));
        QVERIFY2(text.size() < 300, qPrintable(text.left(300)));
        QCOMPARE(readBytes(path), content);
        QCOMPARE(QFileInfo::exists(path), !content.isEmpty());
    }

    // Reading stops between lines once cancelled, with nothing taken from the file (large enough to be read
    // in parts on two threads).
    void cancelStopsReading()
    {
        std::atomic_bool cancel{true};
        QFuncodeCsvReader_Servo reader(true, {});
        reader.setCancelFlag(&cancel);
        tagExportDevInfo_Servo info;
        const QByteArray line = "131074,2,P00 Basic,P00.02,Rated speed,0,4,3,3000,3000,3000,3000,3000,3000";
        QCOMPARE(reader.readBytes(csvFile(QVector<QByteArray>(1000, line).toList()), &info),
                 int(Err::FILE_ERR_CANCELLED));
        QVERIFY(info.funcodes.isEmpty());
    }

    // The helper splits lines as the splitter does (its rules: tst_QFuncodeLineSplitter_Servo).
    void segmentsCodeLineIntoFourteenFields()
    {
        const QStringList fields = QFuncodeHelper_Servo::segMenteStrForList(
            "131072,0,P00 Basic,P00.00,Motor type, frame, power,0,4,1,1,0,0,1:60 mm flange, 200 W, 3000 "
            "rpm,,\r\n");
        QCOMPARE(fields.size(), 14);
        QCOMPARE(fields.at(4), QString("Motor type, frame, power"));
        QCOMPARE(fields.at(11), QString("1:60 mm flange, 200 W, 3000 rpm"));
        QCOMPARE(QFuncodeHelper_Servo::segMenteStrForList("FCM3_1.00,3,Simulated,"),
                 QStringList({"FCM3_1.00", "3", "Simulated", ""}));
    }

    void exportKeepsPagesAfterEndSignAndMode()
    {
        m_source->appendSelSubFuncode("P00.00");
        m_source->appendSelSubFuncode("P2.00");
        QString text;
        QTextStream stream(&text);
        QVERIFY(QFuncodeHelper_Servo::exportSelectInfoListServo(
            QFuncodeHelper_Servo::getServoExportFuncodeList(false).mid(0, 3), {tr("STR_MONITOR_FUNCODE")},
            stream, true));
        stream.flush();
        const QString path = m_dir.filePath("selected.csv");
        QVERIFY(writeBytes(path, text.toUtf8()));
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

    void pagesListRealRows()
    {
        m_source->appendSelSubFuncode("P2.01");
        QVERIFY(QDatabaseManager::self()->getStatisticsDatabase()->addFuncodeModifyEvent(
            "SOURCE", "P2.00", tagFuncodeModifyData{1714557600, 27.0, 33.0, 1}));
        const tagModifyFuncode_Servo record{"2024-05-01 10:00:00", "P00.03", 2, "0", "2", {}};
        QVERIFY(QDatabaseManager::self()->getRecordDatabase_Servo()->insertModifyFunCode("SOURCE", record));
        QStringList header;
        QList<QStringList> rows;
        QString text;
        QVERIFY(
            QFuncodeHelper_Servo::getServoNonFuncodeInfoList(tr("STR_MONITOR_FUNCODE"), header, rows, text));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().mid(0, 2), QStringList({"P2.01", "Speed integral time"}));
        QCOMPARE(rows.first().size(), header.size());
        QVERIFY(QFuncodeHelper_Servo::getServoNonFuncodeInfoList(tr("STR_SORTED_FUNCODE_MODIFY"), header,
                                                                 rows, text));
        QCOMPARE(rows.value(0).value(0), QString("P2.00"));
        QCOMPARE(rows.value(0).value(2), QString("1"));
        QVERIFY(
            QFuncodeHelper_Servo::getServoNonFuncodeInfoList(tr("STR_MODIFY_RECORD"), header, rows, text));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().at(4), QString("2:Torque, 3 limits"));
        QVERIFY(
            QFuncodeHelper_Servo::getServoNonFuncodeInfoList(tr("STR_COMPARE_DEFAULT"), header, rows, text));
        QCOMPARE(rows, m_source->getCompareFuncodeDefault());
        QVERIFY(rows.size() > 100);
        QCOMPARE(rows.first().size(), header.size());
        QVERIFY(!QFuncodeHelper_Servo::getServoNonFuncodeInfoList("no such page", header, rows, text));
    }

    // The fault pages hold one row per current fault, and the history of every axis led by its axis; a
    // record read with a format without parameters still gets its line.
    void faultPagesListTheDrivesFaults()
    {
        QStringList header;
        QList<QStringList> rows;
        QString text;
        QVERIFY(
            QFuncodeHelper_Servo::getServoNonFuncodeInfoList(tr("STR_CURRENT_FAULT"), header, rows, text));
        QVERIFY(rows.isEmpty());
        QVERIFY(!text.isEmpty());
        QConfigDB_Servo* config = QDatabaseManager::self()->getConfigDatabase_Servo();
        QVERIFY(config->saveHisFaultFromat("TST", "T1", 903, {m_source->getDevHisFaultFormat(true).first()}));
        m_source->initHisFaultFormat(true);
        QVERIFY(QTestHost::link("SOURCE")->raiseFault("E.201", 1));
        m_source->readCurFaults();
        QTRY_VERIFY_WITH_TIMEOUT(!m_source->getCurFaultList().isEmpty(), 5000);
        QVERIFY(
            QFuncodeHelper_Servo::getServoNonFuncodeInfoList(tr("STR_CURRENT_FAULT"), header, rows, text));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().size(), header.size());
        QVERIFY(rows.first().join(',').contains("E.201"));
        QTRY_COMPARE(m_source->getHistoryFaultList(1).size(), 1);
        QVERIFY(QFuncodeHelper_Servo::getServoNonFuncodeInfoList(tr("STR_HIS_FAULT"), header, rows, text));
        QCOMPARE(header.first(), tr("STR_AXIS_INDEX"));
        QCOMPARE(header.size(), 1 + int(QFaultExportRows::HISTORY_COLUMNS));
        QCOMPARE(rows, (QList<QStringList>{{"Y", "1", "E.201: Overvoltage", "", "", ""}}));
        QVERIFY(config->saveHisFaultFromat("TST", "T1", 903, {}));
    }

    // The texts of history records and of their parameters, as the pages show them.
    void faultTexts()
    {
        tagHistoryFaultList record;
        QCOMPARE(QFaultExportRows::recordLabel(3, record), QString("Fault record 3: no fault"));
        QCOMPARE(QFaultExportRows::recordToolTip(record), QString());
        record.faults = {{"E.1", "A"}, {"E.2", "B"}};
        QCOMPARE(QFaultExportRows::recordLabel(3, record), QString("Fault record 3: E.1: A,E.2: B"));
        QCOMPARE(QFaultExportRows::recordToolTip(record), QString("E.1: A\nE.2: B"));
        record.faults.removeLast();
        record.truncated = true;
        QCOMPARE(QFaultExportRows::recordLabel(3, record),
                 QString("Fault record 3: E.1: A (record ends early)"));
        tagHistoryFaultParam param;
        param.statusFunIndex = "U00.01";
        param.rawValue = 35;
        QCOMPARE(QFaultExportRows::paramTexts(m_source, param), (QStringList{"DC bus voltage", "3.5", ""}));
        param.missing = true;
        QCOMPARE(QFaultExportRows::paramTexts(m_source, param),
                 (QStringList{"DC bus voltage", "(missing)", ""}));
        param.statusFunIndex = "X1";
        param.missing = false;
        QCOMPARE(QFaultExportRows::paramTexts(m_source, param), (QStringList{"", "35", ""}));
        QCOMPARE(QFaultExportRows::curFaultRows(nullptr), QList<QStringList>());
    }

    void authorityFilterLeavesHigherCodesOut()
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
};

QTEST_MAIN(tst_QFuncodeHelper_Servo)
#include "tst_QFuncodeHelper_Servo.moc"
