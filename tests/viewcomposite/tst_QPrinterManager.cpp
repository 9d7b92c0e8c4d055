#include "QKeyTranslator.h"
#include "QPrinterManager.h"

#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include <functional>

class tst_QPrinterManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void escapesEveryText();
    void highlighting_data();
    void highlighting();
    void rowsArePaddedToTheHeader();
    void multiRowsAndRowsOutsideATable();
    void dataBeginForgetsThePreviousReport();
    void printsAPdf_data();
    void printsAPdf();
    void unwritablePdfFails();
    void previewIsModalAndShowsPages();

private:
    static void composeSample(QPrinterManager& printer, int rows);
    static int count(const QString& text, const QString& what) { return text.count(what); }
};

namespace {
void whenModal(const std::function<void(QWidget*)>& answer)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, answer]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        answer(modal);
    });
    timer->start();
}

QString lastRow(const QString& html)
{
    const int end = html.lastIndexOf("</tr>");
    const int start = html.lastIndexOf("<tr>", end);
    return html.mid(start, end - start);
}
} // namespace

void tst_QPrinterManager::initTestCase()
{
    // The dialogs show English texts, as the application does.
    QKeyTranslator::installForApplication(QStringLiteral("en"));
}

void tst_QPrinterManager::composeSample(QPrinterManager& printer, int rows)
{
    printer.dataBegin();
    printer.insertTitle("Drive1");
    printer.insertTitle2("Function codes");
    printer.tableBegin({"Number", "Name", "Value"});
    for (int i = 0; i < rows; ++i) {
        printer.insert2TableRow({QStringLiteral("P00.%1").arg(i), QStringLiteral("Code %1").arg(i), "10"});
    }
    printer.tableEnd();
    printer.insertSeperator();
    printer.dataEnd();
}

void tst_QPrinterManager::escapesEveryText()
{
    QPrinterManager printer;
    printer.dataBegin();
    printer.insertTitle("A<B & \"C\"");
    printer.tableBegin({"<th>"});
    printer.insert2TableRow({"<script>x</script>", "a&b\nline 2"});
    printer.dataEnd();
    const QString html = printer.toHtml();
    QVERIFY(html.contains("A&lt;B &amp; &quot;C&quot;"));
    QVERIFY(html.contains("&lt;th&gt;"));
    QVERIFY(html.contains("&lt;script&gt;x&lt;/script&gt;"));
    QVERIFY(html.contains("a&amp;b<br/>line 2"));
    QVERIFY(!html.contains("<script>"));
    // The laid-out document shows the texts as they were given.
    QVERIFY(printer.document()->toPlainText().contains("<script>x</script>"));
}

void tst_QPrinterManager::highlighting_data()
{
    QTest::addColumn<QList<int>>("columns");
    QTest::addColumn<int>("redCells");
    QTest::addColumn<QList<int>>("redTexts");

    QTest::newRow("all cells when no column is named") << QList<int>{} << 3 << QList<int>{0, 1, 2};
    QTest::newRow("named columns only") << QList<int>{2} << 1 << QList<int>{2};
    QTest::newRow("two columns") << QList<int>{0, 2} << 2 << QList<int>{0, 2};
    QTest::newRow("column beyond the row") << QList<int>{7} << 0 << QList<int>{};
}

void tst_QPrinterManager::highlighting()
{
    QFETCH(QList<int>, columns);
    QFETCH(int, redCells);
    QFETCH(QList<int>, redTexts);

    QPrinterManager printer;
    printer.dataBegin();
    printer.tableBegin({"Number", "Drive A", "Drive B"});
    printer.insert2TableRow({"plain0", "plain1", "plain2"});
    printer.insert2TableRowHighLight({"cell0", "cell1", "cell2"}, columns);
    printer.dataEnd();
    const QString row = lastRow(printer.toHtml());
    QCOMPARE(count(row, "color:#D9443A"), redCells);
    for (int column : redTexts) {
        QVERIFY(row.contains(QStringLiteral("color:#D9443A\">cell%1<").arg(column)));
    }
    QVERIFY(!lastRow(printer.toHtml().left(printer.toHtml().indexOf("cell0"))).contains("color:"));
}

void tst_QPrinterManager::rowsArePaddedToTheHeader()
{
    QPrinterManager printer;
    printer.dataBegin();
    printer.tableBegin({"A", "B", "C", "D"});
    printer.insert2TableRow({"1"});
    QCOMPARE(count(lastRow(printer.toHtml()), "<td"), 4);
    printer.insert2TableRow({"1", "2", "3", "4", "5"});
    QCOMPARE(count(lastRow(printer.toHtml()), "<td"), 5);
}

void tst_QPrinterManager::multiRowsAndRowsOutsideATable()
{
    QPrinterManager printer;
    printer.dataBegin();
    printer.insert2TableRow({"lonely"});
    printer.insertTitle2("Faults");
    printer.tableBegin({"Code", "Name"});
    printer.insert2MultiTableRow(
        {{"E01", "Over current"}, {"E02", "Over voltage"}, {"E03", "Under voltage"}});
    printer.dataEnd();
    const QString html = printer.toHtml();
    QCOMPARE(count(html, "<table"), 2);
    QCOMPARE(count(html, "</table>"), 2);
    QCOMPARE(count(html, "<tr>"), 5);
    QVERIFY(html.indexOf("E01") < html.indexOf("E02"));
    QVERIFY(html.indexOf("E02") < html.indexOf("E03"));
}

void tst_QPrinterManager::dataBeginForgetsThePreviousReport()
{
    QPrinterManager printer;
    composeSample(printer, 2);
    QVERIFY(printer.toHtml().contains("P00.1"));
    printer.dataBegin();
    QVERIFY(printer.isEmpty());
    QVERIFY(!printer.toHtml().contains("P00.1"));
}

void tst_QPrinterManager::printsAPdf_data()
{
    QTest::addColumn<bool>("direct");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("rows");

    QTest::newRow("to a file, portrait") << false << int(QPrinter::Portrait) << 5;
    QTest::newRow("direct with an output file, landscape") << true << int(QPrinter::Landscape) << 5;
    QTest::newRow("several pages") << false << int(QPrinter::Portrait) << 300;
}

void tst_QPrinterManager::printsAPdf()
{
    QFETCH(bool, direct);
    QFETCH(int, orientation);
    QFETCH(int, rows);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("report.pdf");
    QPrinterManager printer;
    composeSample(printer, rows);
    bool ok = false;
    if (direct) {
        printer.setOutputFileName(path);
        ok = printer.printDirect(QPrinter::Orientation(orientation));
    } else {
        ok = printer.printToPdf(path, QPrinter::Orientation(orientation));
    }
    QVERIFY2(ok, qPrintable(printer.errorString()));
    QVERIFY(printer.errorString().isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.startsWith("%PDF"));
    static const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page(?!s)"));
    const int pages = QString::fromLatin1(pdf.constData(), pdf.size()).count(pageObject);
    if (rows > 100) {
        QVERIFY2(pages > 1, qPrintable(QString::number(pages)));
    } else {
        QCOMPARE(pages, 1);
    }
}

void tst_QPrinterManager::unwritablePdfFails()
{
    QPrinterManager printer;
    composeSample(printer, 1);
    const QString path = "/nonexistent-folder-for-tests/report.pdf";
    QVERIFY(!printer.printToPdf(path));
    QVERIFY(!printer.errorString().isEmpty());
    QVERIFY(!QFile::exists(path));
    QVERIFY(!printer.printToPdf(QString()));
}

void tst_QPrinterManager::previewIsModalAndShowsPages()
{
    QPrinterManager printer;
    composeSample(printer, 20);
    int pages = 0;
    bool wasPreview = false;
    whenModal([&](QWidget* modal) {
        wasPreview = qobject_cast<QPrintPreviewDialog*>(modal) != nullptr;
        if (auto* widget = modal->findChild<QPrintPreviewWidget*>()) {
            pages = widget->pageCount();
        }
        modal->close();
    });
    QVERIFY(!printer.printWithPreview(QPrinter::Portrait));
    QVERIFY(wasPreview);
    QVERIFY(pages >= 1);
}

QTEST_MAIN(tst_QPrinterManager)
#include "tst_QPrinterManager.moc"
