// Workbooks read cell by cell as other spreadsheet programs write them. Whole function-code workbooks of
// other programs, and damaged ones: tst_QFuncodeHelper_Servo.

#include "QXlsxWorkbookReader.h"
#include "ZipFixture.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace ZipFixture;

class tst_QXlsxWorkbookReader : public QObject
{
    Q_OBJECT

private slots:
    void numberTexts_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("small, exponent") << "2E-3" << QString("0.002");
        QTest::newRow("integral, point") << "15.0" << QString("15");
        QTest::newRow("integral, exponent") << "1.5E2" << QString("150");
        QTest::newRow("negative") << "-7" << QString("-7");
        QTest::newRow("beyond a double's integers") << "123456789012345678" << QString("123456789012345678");
        QTest::newRow("binary fraction") << "0.1" << QString("0.1");
        QTest::newRow("not a number") << "#N/A" << QString("#N/A");
    }

    void numberTexts()
    {
        QFETCH(QString, value);
        QFETCH(QString, text);
        QCOMPARE(QXlsxWorkbookReader::numberText(value), text);
    }

    void columnsOfReferences_data()
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

    void columnsOfReferences()
    {
        QFETCH(QString, reference);
        QFETCH(int, column);
        QCOMPARE(QXlsxWorkbookReader::columnOfReference(reference), column);
    }

    void readsCellsOfEveryKind()
    {
        const QByteArray sheet =
            kSheetStart +
            "<row r=\"2\"><c r=\"C2\"><v>2E-3</v></c><c t=\"b\"><v>1</v></c><c t=\"e\"><v>#DIV/0!</v>"
            "</c><c r=\"F2\" s=\"3\"/><c t=\"s\"><v>0</v></c></row>"
            "<row><c r=\"B3\" t=\"inlineStr\"><is><r><t>in</t></r><r><t>line</t></r></is></c></row>" +
            kSheetEnd;
        QTemporaryDir dir;
        const QString path = dir.filePath("cells.xlsx");
        QVERIFY(makeZip(path, workbookParts(sheet, sharedStrings({"<t>shared</t>"}))));
        QXlsxWorkbookReader reader;
        QCOMPARE(reader.openFile(path), 0);
        QCOMPARE(reader.sheetCount(), 2);
        QCOMPARE(reader.sheetName(1), QString("Codes"));
        QList<QPair<int, QStringList>> rows;
        const auto collect = [&rows](int row, const QXlsxWorkbookReader::Cells& cells) {
            QStringList texts;
            for (const QStringRef& cell : cells) {
                texts.append(cell.toString());
            }
            rows.append({row, texts});
            return true;
        };
        QCOMPARE(reader.readSheet(1, collect), 0);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).first, 2);
        QCOMPARE(rows.at(0).second, QStringList({"", "", "0.002", "TRUE", "#DIV/0!", "", "shared"}));
        QCOMPARE(rows.at(1).first, 3);
        QCOMPARE(rows.at(1).second, QStringList({"", "inline"}));
    }
};

QTEST_MAIN(tst_QXlsxWorkbookReader)
#include "tst_QXlsxWorkbookReader.moc"
