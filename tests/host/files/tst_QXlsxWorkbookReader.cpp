// Workbooks written by the writer and read back, workbooks read cell by cell as other spreadsheet programs
// write them, and sheets whose XML is damaged. Whole function-code workbooks of other programs, and damaged
// archives: tst_QFuncodeHelper_Servo.

#include "QXlsxWorkbookReader.h"
#include "QXlsxWorkbookWriter.h"
#include "ZipFixture.h"

#include <QtTest>

using namespace ZipFixture;

class tst_QXlsxWorkbookReader : public QObject
{
    Q_OBJECT

    static QByteArray rows(const QByteArray& xml) { return kSheetStart + xml + kSheetEnd; }

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
        QTest::addColumn<QByteArray>("reference");
        QTest::addColumn<int>("column");
        QTest::newRow("A1") << QByteArray("A1") << 0;
        QTest::newRow("Z9") << QByteArray("Z9") << 25;
        QTest::newRow("AA10") << QByteArray("AA10") << 26;
        QTest::newRow("XFD1") << QByteArray("XFD1") << 16383;
        QTest::newRow("lower case") << QByteArray("ab3") << 27;
        QTest::newRow("too many letters") << QByteArray("ABCD1") << -1;
        QTest::newRow("no letters") << QByteArray("12") << -1;
    }

    void columnsOfReferences()
    {
        QFETCH(QByteArray, reference);
        QFETCH(int, column);
        QCOMPARE(QXlsxWorkbookReader::columnOfReference(reference.constData(), reference.size()), column);
    }

    void sheetsAsProgramsWriteThem_data()
    {
        QTest::addColumn<QByteArray>("sheet");
        QTest::addColumn<QByteArray>("strings"); // the shared strings' items
        QTest::addColumn<QString>("rows");       // "number:cell,cell|..." or "error"
        const QByteArray strings =
            "<si><t>shared</t></si><si><r><t>ri</t></r><rPh><t>x</t></rPh><r><t>ch</t></r></si>";
        QTest::newRow("cells of every kind")
            << rows("<row r=\"2\"><c r=\"C2\"><v>2E-3</v></c><c t=\"b\"><v>1</v></c><c t=\"e\"><v>#DIV/0!</v>"
                    "</c><c r=\"F2\" s=\"3\"/><c t=\"s\"><v>0</v></c></row>"
                    "<row><c r=\"B3\" t=\"inlineStr\"><is><r><t>in</t></r><r><t>line</t></r></is></c></row>")
            << strings << "2:,,0.002,TRUE,#DIV/0!,,shared|3:,inline";
        QTest::newRow("prefixes, quotes, byte-order mark")
            << QByteArray(
                   "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<x:worksheet xmlns:x=\"u\"><x:sheetData>"
                   "<x:row r='4'><x:c r='B4' t='s'><x:v>1</x:v></x:c><x:c r=\"C4\" s=\"2\"/><x:c><x:v>5"
                   "</x:v></x:c></x:row></x:sheetData></x:worksheet>")
            << strings << "4:,rich,,5";
        QTest::newRow("entities, CDATA, comment, line breaks, space between")
            << rows("<row>\n <c t=\"inlineStr\"><is><t>a&amp;&#x4e2d;&#65;&lt;&gt;&quot;&apos;</t></is></c>"
                    "<!-- c --><c t=\"str\"><v><![CDATA[<x>]]></v></c>\n <c "
                    "t=\"str\"><v>1\r\n2\r3</v></c></row>")
            << strings
            << QString::fromUtf8("1:a&\xE4\xB8\xAD"
                                 "A<>\"',<x>,1\n2\n3");
        QTest::newRow("shared strings with entities") << rows("<row><c t=\"s\"><v>0</v></c></row>")
                                                      << QByteArray("<si><t>&lt;&#x41;</t></si>") << "1:<A";
        const QStringList garbage{"<row><c><v>1</v>",
                                  "<row><c></row>",
                                  "</sheetData></worksheet><a/><x",
                                  "<row><c t=\"str\"><v>&nbsp;</v></c></row>",
                                  "<row><c t=\"str\"><v>&#0;</v></c></row>",
                                  "<row><c t=\"str\"><v>&#x110000;</v></c></row>",
                                  "<row><c t=\"str\"><v>&#X41;</v></c></row>",
                                  "<row><c t=\"str\"><v>a & b</v></c></row>",
                                  "<row><c r></c></row>",
                                  "<row r=1></row>",
                                  "<row><c r=\"A1\"t=\"s\"></c></row>",
                                  "<row r=\"<\"></row>",
                                  "<!-- x",
                                  "<row><",
                                  "<row><<row/></row>",
                                  QString("<a>").repeated(300)};
        for (const QString& rowsXml : garbage) {
            QTest::newRow(qPrintable(rowsXml.left(40))) << rows(rowsXml.toUtf8()) << strings << "error";
        }
        QTest::newRow("text beside the root") << kSheetStart + kSheetEnd + "x" << strings << "error";
        QTest::newRow("document type") << "<!DOCTYPE a [<!ENTITY x \"y\">]>" + rows("") << strings << "error";
        QTest::newRow("empty sheet") << QByteArray(" ") << strings << "error";
        QTest::newRow("NUL in a name") << rows(QByteArray("<row><\0/></row>", 15)) << strings << "error";
        QTest::newRow("shared strings cut") << rows("") << QByteArray("<si><t>a</t") << "error";
        QTest::newRow("shared string missing")
            << rows("<row><c t=\"s\"><v>2</v></c></row>") << strings << "error";
    }

    void sheetsAsProgramsWriteThem()
    {
        QFETCH(QByteArray, sheet);
        QFETCH(QByteArray, strings);
        QFETCH(QString, rows);
        const QByteArray stringsXml = "<?xml version=\"1.0\"?><sst xmlns=\"u\">" + strings + "</sst>";
        QXlsxWorkbookReader reader;
        QStringList read;
        int error = reader.openBytes(zipBytes(workbookParts(sheet, stringsXml)));
        if (error == 0) {
            QCOMPARE(reader.sheetName(1), QString("Codes"));
            error = reader.readSheet(1, [&read](int row, const QXlsxWorkbookReader::Cells& cells) {
                QStringList texts;
                for (const QStringRef& cell : cells) {
                    texts.append(cell.toString());
                }
                read.append(QStringLiteral("%1:%2").arg(row).arg(texts.join(',')));
                return true;
            });
        }
        QVERIFY(error == 0 || !reader.errorDetail().isEmpty());
        QCOMPARE(error == 0 ? read.join('|') : QString("error"), rows);
    }

    void writtenCellsReadBack_data()
    {
        QTest::addColumn<QVariant>("cell");
        QTest::addColumn<QString>("read");
        QTest::newRow("integer") << QVariant(-2147483647LL) << "-2147483647";
        QTest::newRow("fraction") << QVariant(0.1) << "0.1";
        QTest::newRow("small") << QVariant(1.5e-7) << "1.5e-07";
        QTest::newRow("beyond 2^53: its digits") << QVariant(9007199254740993LL) << "9007199254740993";
        QTest::newRow("markup") << QVariant("a<b>&\"c\" 'd'") << "a<b>&\"c\" 'd'";
        QTest::newRow("spaces, tab and line break kept") << QVariant(" a\tb\nc ") << " a\tb\nc ";
        QTest::newRow("other controls escaped") << QVariant("a\rb\x01") << "a_x000D_b_x0001_";
        QTest::newRow("wide characters")
            << QVariant("\u7535\u673a\u7c7b\u578b") << "\u7535\u673a\u7c7b\u578b";
        QTest::newRow("longer than a cell holds") << QVariant(QString(40000, 'x')) << QString(32767, 'x');
    }

    void writtenCellsReadBack()
    {
        QFETCH(QVariant, cell);
        QFETCH(QString, read);
        QTemporaryDir dir;
        const QString path = dir.filePath("cells.xlsx");
        QXlsxWorkbookWriter writer;
        writer.addSheet("Codes", {{"Header"}, {cell}}, 0);
        writer.addSheet("A[1]:<&>", {{cell}}, -1);
        writer.addSheet("codes", {}, -1);
        QString error;
        QVERIFY2(writer.write(path, &error), qPrintable(error));
        QXlsxWorkbookReader reader;
        QCOMPARE(reader.openFile(path), 0);
        QCOMPARE(reader.sheetCount(), 3);
        QCOMPARE(reader.sheetName(1), QString("A_1__<&>"));
        QCOMPARE(reader.sheetName(2), QString("codes (2)"));
        QStringList cells;
        QCOMPARE(reader.readSheet(0,
                                  [&cells](int, const QXlsxWorkbookReader::Cells& row) {
                                      cells.append(row.value(0).toString());
                                      return true;
                                  }),
                 0);
        QCOMPARE(cells, (QStringList{"Header", read}));
    }
};

QTEST_MAIN(tst_QXlsxWorkbookReader)
#include "tst_QXlsxWorkbookReader.moc"
