// The export dialog on simulated drives: what the tree offers, which buttons it shows and when they are
// enabled, one file of each form it writes (what a form holds is the file helper's,
// tst_QFuncodeHelper_Servo), the report it composes, and the function-code file offered beside the export.

#include "FuncodeRows.h"
#include "ModalAnswer.h"
#include "QDeviceServo.h"
#include "QDownloadTreeModel.h"
#include "QDownloadTreeView_Servo.h"
#include "QDriveCatalogue.h"
#include "QDriveFaultSwitches.h"
#include "QExportFuncodeDlg.h"
#include "QExportTypeDlg.h"
#include "QFuncodeHelper_Servo.h"
#include "QMyMessageBox.h"
#include "QPrinterManager.h"
#include "QProjectCore.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "QTestMessageBoxes.h"
#include "QTestUi.h"
#include "TreeItem.h"

#include <QFileDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using D = QExportFuncodeDlg;

namespace {
QPushButton* button(const D& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(QLatin1String(name));
}

// Checks the other page of that title (clicking it as the user does).
void checkPage(D& dialog, const QString& title)
{
    for (TreeItem* page : dialog.model()->rootItem()->child(1)->children()) {
        if (page->number() == title) {
            dialog.OnMousePressEvent(dialog.model()->indexOfItem(page));
            return;
        }
    }
    QFAIL(qPrintable(title));
}

// Unchecks everything below the top node.
void uncheckAll(D& dialog)
{
    const QModelIndex top = dialog.model()->indexOfItem(dialog.model()->topItem());
    for (int click = 0; click < 2 && dialog.model()->topItem()->checkState() != Qt::Unchecked; ++click) {
        dialog.OnMousePressEvent(top);
    }
}

// The function codes and mode of a file as the helper reads it back; none when it cannot read it.
tagExportDevInfo_Servo readBack(const QString& path)
{
    tagExportDevInfo_Servo info;
    int error = -1;
    return QFuncodeHelper_Servo::getFileFuncodeInfoServo(path, info, error) ? info : tagExportDevInfo_Servo();
}
} // namespace

class tst_QExportFuncodeDlg : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QDeviceServo* m_drive = nullptr;
    QTestMessageBoxes m_boxes;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QTestHost::setUp());
        QProjectCore::self()->getCatalogue()->addModel(QTestHost::testModel(1, QStringLiteral("KV905")));
    }

    void init()
    {
        QTestHost::clearProject();
        m_drive = QTestHost::addSelectedDrive("TST3", "EXPORTED");
        QVERIFY(m_drive);
        QVERIFY(QTestHost::readAll(m_drive));
        m_boxes.clear();
    }

    void cleanup() { QSoftCore::getCore()->getPrinterManager()->setOutputFileName(QString()); }

    void whatTheDialogOffers_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("exports");       // export buttons, else print buttons
        QTest::addColumn<QList<bool>>("hidden"); // the columns of the axes Y and Z
        QTest::addColumn<int>("pages");          // beside the function codes
        QTest::newRow("export, one axis") << "TST1" << 1 << true << QList<bool>{true, true} << 6;
        QTest::newRow("print, two axes") << "TST2" << 0 << false << QList<bool>{false, true} << 6;
        QTest::newRow("any other mode prints") << "TST3" << 7 << false << QList<bool>{false, false} << 6;
        QTest::newRow("no fault history") << "KV905" << 1 << true << QList<bool>{true, true} << 5;
    }

    void whatTheDialogOffers()
    {
        QFETCH(QString, model);
        QFETCH(int, mode);
        QFETCH(bool, exports);
        QFETCH(QList<bool>, hidden);
        QFETCH(int, pages);
        QTestHost::addSelectedDrive(model, "OFFERED");
        D dialog("OFFERED", QStringList(), mode);
        QTestHost::checkModel(dialog.model());
        for (const char* name : {"btnExportSelected", "btnExportFuncodeFile"}) {
            QCOMPARE(button(dialog, name) != nullptr, exports);
        }
        for (const char* name : {"btnPreview", "btnPrint"}) {
            QCOMPARE(button(dialog, name) != nullptr, !exports);
        }
        QVERIFY(button(dialog, "btnReadAgain"));
        QVERIFY(dialog.title().startsWith(QTestUi::text(exports ? "STR_EXPORT" : "STR_PRINT") + " ("));
        auto* view = dialog.findChild<QDownloadTreeView_Servo*>();
        QCOMPARE((QList<bool>{view->isColumnHidden(2), view->isColumnHidden(3), view->isColumnHidden(4)}),
                 (QList<bool>{false} + hidden));
        TreeItem* others = dialog.model()->rootItem()->child(1);
        QCOMPARE(others->childCount(), pages);
        QCOMPARE(others->child(pages - 1)->number() == QTestUi::text("STR_HIS_FAULT"), pages == 6);
    }

    void exportWritesEachForm_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QStringList>("monitored"); // the dialog opened on the monitored list
        QTest::newRow("csv") << "csv" << QStringList();
        QTest::newRow("xlsx") << "xlsx" << QStringList();
        QTest::newRow("monitored numbers only") << "csv" << QStringList{"P2.00", "P00.01"};
    }

    // On the monitored list only its numbers are offered, and the file is marked as saved from that list.
    void exportWritesEachForm()
    {
        QFETCH(QString, suffix);
        QFETCH(QStringList, monitored);
        D dialog("EXPORTED", monitored, D::MODE_EXPORT);
        QCOMPARE(dialog.model()->rootItem()->childCount(), monitored.isEmpty() ? 2 : 1);
        if (monitored.isEmpty()) {
            checkPage(dialog, QTestUi::text("STR_COMPARE_DEFAULT"));
        }
        const QString path = m_dir.filePath(QStringLiteral("export-%1.%2").arg(monitored.size()).arg(suffix));
        chooseInFileDialog(path);
        button(dialog, "btnExportSelected")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(m_boxes.count(), 1);
        QCOMPARE(m_boxes.calls().first().kind, QMyMessageBox::Success);
        QCOMPARE(m_boxes.calls().first().text, QTestUi::text("STR_EXPORT_SUCCESS").arg(path));
        const tagExportDevInfo_Servo file = readBack(path);
        QCOMPARE(file.funcodes.size(),
                 monitored.isEmpty() ? QFuncodeHelper_Servo::getServoExportFuncodeList(false).size() : 2);
        QCOMPARE(file.modeText == "FOCUS", !monitored.isEmpty());
        if (!monitored.isEmpty()) {
            QCOMPARE(FuncodeRows::numbersOf(file.funcodes), (QStringList{"P00.01", "P2.00"}));
        } else if (suffix != "xlsx") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
            QVERIFY(QString::fromLocal8Bit(file.readAll()).contains(QTestUi::text("STR_COMPARE_DEFAULT")));
        }
    }

    void secondExportStartsInTheFirstDirectory()
    {
        const QString dir = m_dir.filePath("chosen");
        QVERIFY(QDir().mkpath(dir));
        {
            D first("EXPORTED", QStringList(), D::MODE_EXPORT);
            chooseInFileDialog(dir + "/first.csv");
            button(first, "btnExportSelected")->click();
        }
        D second("EXPORTED", QStringList(), D::MODE_EXPORT);
        QString suggested;
        answerModalDialog([&suggested](QDialog* modal) {
            suggested = qobject_cast<QFileDialog*>(modal)->directory().absolutePath();
            modal->reject();
        });
        button(second, "btnExportSelected")->click();
        QCOMPARE(suggested, dir);
        QCOMPARE(second.result(), int(QDialog::Rejected));
    }

    void unwritableFileIsTold()
    {
        D dialog("EXPORTED", QStringList(), D::MODE_EXPORT);
        const QString path = m_dir.filePath("missing-folder/export.csv");
        chooseInFileDialog(path);
        button(dialog, "btnExportSelected")->click();
        QCOMPARE(m_boxes.count(), 1);
        QVERIFY(m_boxes.calls().first().text.startsWith(QTestUi::text("STR_OPEN_FILE_FAILED")));
        QVERIFY(!QFile::exists(path));
    }

    void reportHoldsCheckedSections_data()
    {
        QTest::addColumn<bool>("codes");
        QTest::addColumn<QString>("page");
        QTest::newRow("codes and a page") << true << QTestUi::text("STR_MONITOR_FUNCODE");
        QTest::newRow("a page only") << false << QTestUi::text("STR_MODIFY_RECORD");
        QTest::newRow("codes only") << true << QString();
    }

    // Print and preview wait for a check. The report holds the drive's title, the function-code table only
    // when codes are checked, and a section per checked page. The direct print goes to a PDF file; the
    // preview is answered by closing it.
    void reportHoldsCheckedSections()
    {
        QFETCH(bool, codes);
        QFETCH(QString, page);
        D dialog("EXPORTED", QStringList(), D::MODE_PRINT);
        uncheckAll(dialog);
        QCOMPARE(dialog.checkedCount(), 0);
        QVERIFY(!button(dialog, "btnPrint")->isEnabled() && !button(dialog, "btnPreview")->isEnabled());
        if (codes) { // one group is enough (a whole drive makes a long PDF)
            dialog.OnMousePressEvent(dialog.model()->indexOfItem(dialog.model()->topItem()->child(0)));
        }
        if (!page.isEmpty()) {
            checkPage(dialog, page);
        }
        QVERIFY(button(dialog, "btnPrint")->isEnabled() && button(dialog, "btnPreview")->isEnabled());
        QPrinterManager* printer = QSoftCore::getCore()->getPrinterManager();
        const QString pdf = m_dir.filePath(QStringLiteral("report-%1.pdf").arg(QTest::currentDataTag()));
        printer->setOutputFileName(pdf);
        button(dialog, "btnPrint")->click();
        QVERIFY(QFileInfo(pdf).size() > 0);
        const QString html = printer->toHtml();
        QVERIFY(html.contains(m_drive->getAliasName()));
        QCOMPARE(html.contains(m_drive->getScaledCurValueStr("P00.02", 2).toHtmlEscaped() + "</td>"), codes);
        QVERIFY(page.isEmpty() || html.contains(page));
        QVERIFY(m_boxes.calls().isEmpty());

        answerModalDialog([](QDialog* preview) { preview->reject(); });
        button(dialog, "btnPreview")->click();
        QVERIFY(!QApplication::activeModalWidget());
    }

    void unreadCodesAreLeftOutOnlyWhenAgreed_data()
    {
        QTest::addColumn<int>("type");   // of the function-code file, -1 for the export
        QTest::addColumn<int>("answer"); // 1: leave the codes out, 0: stop
        QTest::newRow("export, agreed") << -1 << 1;
        QTest::newRow("export, stopped") << -1 << 0;
        QTest::newRow("database, the form offered first, agreed")
            << int(QExportTypeDlg::TypeFuncodeServo) << 1;
        QTest::newRow("workbook, agreed") << int(QExportTypeDlg::TypeXlsx) << 1;
        QTest::newRow("comma-separated, agreed") << int(QExportTypeDlg::TypeCsv) << 1;
        QTest::newRow("comma-separated, stopped") << int(QExportTypeDlg::TypeCsv) << 0;
    }

    // A code whose read failed is named before anything is written: the file (the export, or the
    // function-code file in the form chosen) holds every other code, or nothing is written when the user
    // stops.
    void unreadCodesAreLeftOutOnlyWhenAgreed()
    {
        QFETCH(int, type);
        QFETCH(int, answer);
        QDriveFaultSwitches failing;
        failing.failCode = "P2.01";
        QTestHost::link("EXPORTED")->setFaultSwitches(failing);
        QTestHost::readCodes(m_drive, {"P2.01"});
        QVERIFY(!m_drive->hasValue("P2.01", 0));
        m_boxes.setAnswer([answer](const QMyMessageBox::Call& call) {
            return call.kind == QMyMessageBox::Question ? answer : 1;
        });
        D dialog("EXPORTED", QStringList(), D::MODE_EXPORT);
        const char* suffixes[] = {"funcodeservo", "csv", "xlsx"};
        const QString path = m_dir.filePath(QStringLiteral("unread-%1-%2.").arg(type).arg(answer)) +
                             (type < 0 ? "csv" : suffixes[type]);
        chooseInFileDialog(path);
        if (type >= 0) {
            answerModal([type](QWidget* modal) {
                if (type != QExportTypeDlg::TypeFuncodeServo) {
                    modal->findChild<QRadioButton*>(QString("radioFileType_%1").arg(type))->click();
                }
                modal->findChild<QPushButton*>("btnOk")->click();
            });
        }
        button(dialog, type >= 0 ? "btnExportFuncodeFile" : "btnExportSelected")->click();
        QCOMPARE(m_boxes.calls().first().kind, QMyMessageBox::Question);
        QVERIFY(m_boxes.calls().first().text.contains("P2.01"));
        const int all = QFuncodeHelper_Servo::collectDeviceFuncodes().first().funcodes.size();
        QCOMPARE(readBack(path).funcodes.size(), answer == 1 ? all - 1 : 0);
        QCOMPARE(m_boxes.calls().last().kind == QMyMessageBox::Success, answer == 1);
    }

    // Cancelling the choice of the function-code file's form chooses none, whatever was ticked.
    void formChoiceCancelledChoosesNone()
    {
        QExportTypeDlg types;
        answerModal([](QWidget* modal) {
            modal->findChild<QRadioButton*>("radioFileType_1")->click();
            modal->findChild<QPushButton*>("btnCancel")->click();
        });
        types.exec();
        QCOMPARE(types.getFileType(), int(QExportTypeDlg::TypeNone));
    }

    // Reading again needs an online drive; the codes that failed to read show "null", another drive's
    // failures change nothing.
    void readingAgain()
    {
        D dialog("EXPORTED", QStringList(), D::MODE_EXPORT);
        TreeItem* first = dialog.model()->topItem()->child(0)->child(0);
        QCOMPARE(first->number(), QString("P00.00"));
        dialog.onRefreshFuncodeVal("ANOTHER", {"P00.00"});
        QVERIFY(dialog.model()->data(dialog.model()->indexOfItem(first, 2)).toString() != "null");
        dialog.onRefreshFuncodeVal("EXPORTED", {"P00.00"});
        QCOMPARE(dialog.model()->data(dialog.model()->indexOfItem(first, 2)).toString(), QString("null"));
        QTestHost::link("EXPORTED")->setOnline(false);
        QTRY_VERIFY(!m_drive->isDeviceOnline());
        button(dialog, "btnReadAgain")->click();
        QCOMPARE(m_boxes.count(), 1);
        QCOMPARE(m_boxes.calls().first().text, QTestUi::text("STR_DEVICE_NOT_ONLINE"));
    }
};

QTEST_MAIN(tst_QExportFuncodeDlg)
#include "tst_QExportFuncodeDlg.moc"
