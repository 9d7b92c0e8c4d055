#include "ModalAnswer.h"
#include "QKeyTranslator.h"
#include "QPrinterManager.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTextDocument>
#include <QtTest>

namespace {
void composeSample(QPrinterManager& printer, int rows)
{
    printer.dataBegin();
    printer.insertTitle("Drive1");
    printer.insertTitle2("Function codes");
    printer.tableBegin({"Number", "Name", "Value"});
    for (int i = 0; i < rows; ++i) {
        printer.insert2TableRow({QString("P00.%1").arg(i), QString("Code %1").arg(i), "10"});
    }

    printer.tableEnd();
    printer.insertSeperator();
    printer.dataEnd();
}

QString lastRow(const QString& html)
{
    const int end = html.lastIndexOf("</tr>");
    const int start = html.lastIndexOf("<tr>", end);
    return html.mid(start, end - start);
}
} // namespace

class tst_QPrinterManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QKeyTranslator::installForApplication("en"); }
    // A new document forgets the old one, a row outside a table opens one, every text is escaped, and a
    // highlighted row colours the named cells.
    void composesEscapedTables()
    {
        QPrinterManager printer;
        composeSample(printer, 2);
        printer.dataBegin();
        QVERIFY(printer.isEmpty());
        printer.insertTitle("A<B & \"C\"");
        printer.insert2TableRow({"lonely"});
        printer.tableBegin({"<th>", "Drive A", "Drive B"});
        printer.insert2TableRow({"<script>x</script>", "a&b\nline 2", "plain"});
        printer.insert2TableRowHighLight({"all0", "all1", "all2"}); // no column named: every cell
        printer.insert2TableRowHighLight({"some0", "some1", "some2"}, {0, 2, 7});
        printer.insert2MultiTableRow(
            {{"E01", "Over current", "1"}, {"E02"}, {"E03", "Under voltage", "2", "x"}});
        printer.dataEnd();
        const QString html = printer.toHtml();
        QVERIFY(!html.contains("P00.1"));
        QCOMPARE(html.count("<table"), 2);
        QCOMPARE(html.count("</table>"), 2);
        QCOMPARE(html.count("<tr>"), 8);
        QVERIFY(html.contains("A&lt;B &amp; &quot;C&quot;") && html.contains("&lt;th&gt;"));
        QVERIFY(html.contains("a&amp;b<br/>line 2") && !html.contains("<script>"));
        QVERIFY(printer.document()->toPlainText().contains("<script>x</script>"));
        QCOMPARE(html.count("color:#D9443A"), 5);
        for (const char* cell : {"all0", "all1", "all2", "some0", "some2"}) {
            QVERIFY2(html.contains(QString("color:#D9443A\">%1<").arg(cell)), cell);
        }
        QVERIFY(html.indexOf("E01") < html.indexOf("E02") && html.indexOf("E02") < html.indexOf("E03"));
        // A short row is padded to the header; a long one keeps every cell.
        QCOMPARE(lastRow(html.left(html.indexOf("E03"))).count("<td"), 3);
        QCOMPARE(lastRow(html).count("<td"), 4);
    }

    void printsAPdf_data()
    {
        QTest::addColumn<bool>("direct");
        QTest::addColumn<QString>("folder"); // empty: a temporary folder
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages"); // 2: more than one; 0: nothing written

        QTest::newRow("direct with an output file, landscape") << true << "" << 5 << 1;
        QTest::newRow("to a file, several pages") << false << "" << 300 << 2;
        QTest::newRow("unwritable folder") << false << "/nonexistent-folder-for-tests" << 1 << 0;
    }

    void printsAPdf()
    {
        QFETCH(bool, direct);
        QFETCH(QString, folder);
        QFETCH(int, rows);
        QFETCH(int, pages);

        QTemporaryDir dir;
        const QString path = (folder.isEmpty() ? dir.path() : folder) + "/report.pdf";
        QPrinterManager printer;
        composeSample(printer, rows);
        printer.setOutputFileName(path);
        const bool ok = direct ? printer.printDirect(QPrinter::Landscape) : printer.printToPdf(path);
        QCOMPARE(ok, pages > 0);
        QCOMPARE(printer.errorString().isEmpty(), ok);
        QFile file(path);
        QCOMPARE(file.open(QIODevice::ReadOnly), ok);
        if (!ok) {
            return;
        }
        const QByteArray pdf = file.readAll();
        QVERIFY(pdf.startsWith("%PDF"));
        static const QRegularExpression pageObject(QString("/Type\\s*/Page(?!s)"));
        const int written = QString::fromLatin1(pdf.constData(), pdf.size()).count(pageObject);
        QVERIFY2(pages > 1 ? written > 1 : written == 1, qPrintable(QString::number(written)));
    }

    void previewIsModalAndShowsPages()
    {
        QPrinterManager printer;
        composeSample(printer, 20);
        int pages = 0;
        answerModal([&](QWidget* modal) {
            if (qobject_cast<QPrintPreviewDialog*>(modal)) {
                pages = modal->findChild<QPrintPreviewWidget*>()->pageCount();
            }
            modal->close();
        });
        QVERIFY(!printer.printWithPreview(QPrinter::Portrait));
        QVERIFY(pages >= 1);
    }
};

QTEST_MAIN(tst_QPrinterManager)
#include "tst_QPrinterManager.moc"
