// Workbooks as other spreadsheet programs write them, read cell by cell, and damaged workbooks refused
// with an error rather than a crash.

#include "FuncodeFileFixture.h"
#include "QFuncodeHelper_Servo.h"
#include "QXlsxWorkbookReader.h"
#include "ZipFixture.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace ZipFixture;

namespace {
typedef QFuncodeHelperBase Err;

const QByteArray kSheetStart = "<?xml version=\"1.0\"?><worksheet xmlns=\"http://schemas.openxmlformats.org/"
                               "spreadsheetml/2006/main\"><sheetData>";
const QByteArray kSheetEnd = "</sheetData></worksheet>";

QByteArray sharedStrings(const QList<QByteArray>& items)
{
    QByteArray xml =
        "<?xml version=\"1.0\"?><sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/"
        "main\">";
    for (const QByteArray& item : items) {
        xml += "<si>" + item + "</si>";
    }
    return xml + "</sst>";
}

QByteArray inlineCell(const QByteArray& text)
{
    return "<c t=\"inlineStr\"><is><t xml:space=\"preserve\">" + text + "</t></is></c>";
}

QByteArray numberCell(const QByteArray& value)
{
    return "<c><v>" + value + "</v></c>";
}

// Function codes on the second sheet: the import mark as formatted runs of a shared string, inline strings,
// numbers in other notations, rows and cells without references, a cell reached by reference only.
QByteArray foreignCodeSheet()
{
    QByteArray rows;
    rows += "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>";
    rows += "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>1</v></c><c r=\"B2\"><v>3</v></c>" +
            inlineCell("Simulated") + "</row>";
    rows += "<row r=\"3\">" + inlineCell("CANopen") + inlineCell("USB") + "</row>";
    rows += "<row>" + numberCell("131072") + numberCell("0") + inlineCell("P00 Basic") +
            inlineCell("P00.00") + "<c t=\"s\"><v>2</v></c>" + numberCell("0") + numberCell("4") +
            numberCell("3") + numberCell("1") + numberCell("3") + numberCell("5") +
            "<c t=\"s\"><v>3</v></c>" + inlineCell("3:80 mm flange, 750 W, 2500 rpm") +
            "<c t=\"str\"><f>CONCAT(\"5:130\",\"\")</f><v>5:130 mm flange, 1 kW, 2000 rpm</v></c></row>";
    rows += "<row>" + numberCell("1.31073E5") + numberCell("1") + inlineCell("P00 Basic") +
            inlineCell("P00.01") + inlineCell("Rated current, peak,") + numberCell("0") + numberCell("4") +
            numberCell("3") + numberCell("1.5E2") + numberCell("151") + numberCell("152") +
            numberCell("1.5") + numberCell("1.51") + "<c r=\"N5\"><v>1.52</v></c></row>";
    rows += "<row r=\"7\"></row>";
    return kSheetStart + rows + kSheetEnd;
}

QList<QByteArray> foreignStringItems()
{
    return {"<r><rPr><b/></rPr><t>Function-code file</t></r><r><t xml:space=\"preserve\"> for "
            "import_9786345324_</t></r><rPh><t>x</t></rPh>",
            "<t>FCM3_1.00</t>", "<t>Motor type, frame, power</t>", "<t>1:60 mm flange, 200 W, 3000 rpm</t>"};
}

QByteArray foreignStrings()
{
    return sharedStrings(foreignStringItems());
}
} // namespace

class tst_QXlsxWorkbookReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void numberTexts_data();
    void numberTexts();
    void columnsOfReferences_data();
    void columnsOfReferences();
    void readsWorkbookOfAnotherProgram();
    void readsCellsOfEveryKind();
    void damagedWorkbooksGiveErrors_data();
    void damagedWorkbooksGiveErrors();

private:
    QTemporaryDir m_dir;
};

void tst_QXlsxWorkbookReader::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QTestHost::setUp());
    FuncodeFileFixture::registerModels();
}

void tst_QXlsxWorkbookReader::numberTexts_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("small, exponent") << "2E-3"
                                     << "0.002";
    QTest::newRow("integral, point") << "15.0"
                                     << "15";
    QTest::newRow("integral, exponent") << "1.5E2"
                                        << "150";
    QTest::newRow("negative") << "-7"
                              << "-7";
    QTest::newRow("beyond a double's integers") << "123456789012345678"
                                                << "123456789012345678";
    QTest::newRow("binary fraction") << "0.1"
                                     << "0.1";
    QTest::newRow("not a number") << "#N/A"
                                  << "#N/A";
}

void tst_QXlsxWorkbookReader::numberTexts()
{
    QFETCH(QString, value);
    QFETCH(QString, text);
    QCOMPARE(QXlsxWorkbookReader::numberText(value), text);
}

void tst_QXlsxWorkbookReader::columnsOfReferences_data()
{
    QTest::addColumn<QString>("reference");
    QTest::addColumn<int>("column");
    QTest::newRow("A1") << "A1" << 0;
    QTest::newRow("Z9") << "Z9" << 25;
    QTest::newRow("AA10") << "AA10" << 26;
    QTest::newRow("XFD1") << "XFD1" << 16383;
    QTest::newRow("lower case") << "ab3" << 27;
    QTest::newRow("too many letters") << "ABCD1" << -1;
    QTest::newRow("no letters") << "12" << -1;
}

void tst_QXlsxWorkbookReader::columnsOfReferences()
{
    QFETCH(QString, reference);
    QFETCH(int, column);
    QCOMPARE(QXlsxWorkbookReader::columnOfReference(reference), column);
}

void tst_QXlsxWorkbookReader::readsWorkbookOfAnotherProgram()
{
    const QString path = m_dir.filePath("foreign.xlsx");
    QVERIFY(makeZip(path, workbookParts(foreignCodeSheet(), foreignStrings())));
    tagExportDevInfo_Servo info;
    int error = -1;
    QVERIFY2(QFuncodeHelper_Servo::getXlsxFileFuncodeInfoServo(path, info, error),
             qPrintable(Err::getErrorStr(error)));
    QCOMPARE(info.devText, QString("FCM3_1.00"));
    QCOMPARE(info.axisNumText, QString("3"));
    QCOMPARE(info.funcodes.size(), 2);
    const tagExportFuncode_Servo& motor = *info.funcodes.at(0);
    QCOMPARE(motor.funName, QString("Motor type, frame, power"));
    QCOMPARE(motor.curValue, (std::array<qint64, 3>{{1, 3, 5}}));
    QCOMPARE(motor.valueTexts.at(0), QString("1:60 mm flange, 200 W, 3000 rpm"));
    QCOMPARE(motor.valueTexts.at(2), QString("5:130 mm flange, 1 kW, 2000 rpm"));
    const tagExportFuncode_Servo& current = *info.funcodes.at(1);
    QCOMPARE(current.canopenAddr, 131073);
    QCOMPARE(current.curValue, (std::array<qint64, 3>{{150, 151, 152}}));
    // "1.5" as a spreadsheet shows it is the drive's "1.50".
    QCOMPARE(current.valueTexts, QStringList({"1.50", "1.51", "1.52"}));
}

void tst_QXlsxWorkbookReader::readsCellsOfEveryKind()
{
    const QByteArray sheet =
        kSheetStart +
        "<row r=\"2\"><c r=\"C2\"><v>2E-3</v></c><c t=\"b\"><v>1</v></c><c t=\"e\"><v>#DIV/0!</v>"
        "</c><c r=\"F2\" s=\"3\"/><c t=\"s\"><v>0</v></c></row>"
        "<row><c r=\"B3\" t=\"inlineStr\"><is><r><t>in</t></r><r><t>line</t></r></is></c></row>" +
        kSheetEnd;
    const QString path = m_dir.filePath("cells.xlsx");
    QVERIFY(makeZip(path, workbookParts(sheet, sharedStrings({"<t>shared</t>"}))));
    QXlsxWorkbookReader reader;
    QCOMPARE(reader.openFile(path), 0);
    QCOMPARE(reader.sheetCount(), 2);
    QCOMPARE(reader.sheetName(1), QString("Codes"));
    QList<QPair<int, QStringList>> rows;
    QCOMPARE(reader.readSheet(1,
                              [&rows](int row, const QStringList& cells) {
                                  rows.append({row, cells});
                                  return true;
                              }),
             0);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).first, 2);
    QCOMPARE(rows.at(0).second, QStringList({"", "", "0.002", "TRUE", "#DIV/0!", "", "shared"}));
    QCOMPARE(rows.at(1).first, 3);
    QCOMPARE(rows.at(1).second, QStringList({"", "inline"}));
}

void tst_QXlsxWorkbookReader::damagedWorkbooksGiveErrors_data()
{
    QTest::addColumn<QByteArray>("sheet");
    QTest::addColumn<QByteArray>("strings");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("error");
    const QByteArray goodSheet = foreignCodeSheet();
    QTest::newRow("sheet not well-formed")
        << goodSheet.left(goodSheet.size() - 30) << foreignStrings() << "" << int(Err::FILE_ERR_BAD_XML);
    QTest::newRow("shared text missing")
        << goodSheet << sharedStrings(foreignStringItems().mid(0, 3)) << "" << int(Err::FILE_ERR_BAD_XML);
    QTest::newRow("part does not unpack")
        << goodSheet << foreignStrings() << "flip bytes" << int(Err::FILE_ERR_ZIP_ENTRY);
    QTest::newRow("no workbook part")
        << goodSheet << foreignStrings() << "drop workbook" << int(Err::FILE_ERR_NOT_WORKBOOK);
}

void tst_QXlsxWorkbookReader::damagedWorkbooksGiveErrors()
{
    QFETCH(QByteArray, sheet);
    QFETCH(QByteArray, strings);
    QFETCH(QString, damage);
    QFETCH(int, error);
    Entries parts = workbookParts(sheet, strings);
    if (damage == "drop workbook") {
        parts.removeAt(2);
    }
    const QString path = m_dir.filePath("damaged.xlsx");
    QVERIFY(makeZip(path, parts));
    if (damage == "flip bytes") {
        // The compressed data of the code sheet (the sixth part) is changed; its check sum no longer fits.
        QByteArray bytes = FuncodeFileFixture::readBytes(path);
        const int at = bytes.indexOf("xl/worksheets/codes.xml") + 40;
        for (int i = at; i < at + 16; ++i) {
            bytes[i] = char(bytes.at(i) ^ 0x5A);
        }
        QVERIFY(FuncodeFileFixture::writeBytes(path, bytes));
    }
    tagExportDevInfo_Servo info;
    int result = -1;
    QVERIFY(!QFuncodeHelper_Servo::getXlsxFileFuncodeInfoServo(path, info, result));
    QCOMPARE(result, error);
    QVERIFY2(Err::getErrorStr(result).contains(':'), qPrintable(Err::getErrorStr(result)));
}

QTEST_MAIN(tst_QXlsxWorkbookReader)
#include "tst_QXlsxWorkbookReader.moc"
