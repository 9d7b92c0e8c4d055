// The export dialog on simulated drives: what the tree offers, which buttons it shows and when they are
// enabled, the files it writes (read back through the host helper), the report it composes, and the
// function-code file offered beside the export.

#include "ModalAnswer.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDownloadTreeModel.h"
#include "QDownloadTreeView_Servo.h"
#include "QDriveCatalogue.h"
#include "QExportFuncodeDlg.h"
#include "QExportTypeDlg.h"
#include "QFuncodeHelper_Servo.h"
#include "QMyMessageBox.h"
#include "QPrinterManager.h"
#include "QProjectCore.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "TreeItem.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using D = QExportFuncodeDlg;

namespace {
QString key(const char* k)
{
    return QCoreApplication::translate("Strings", k);
}

QPushButton* button(const D& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(QLatin1String(name));
}

// Answers the next file dialog with path.
void answerFileDialog(const QString& path, QString* suggested = nullptr)
{
    answerModalDialog([path, suggested](QDialog* modal) {
        auto* files = qobject_cast<QFileDialog*>(modal);
        QVERIFY(files);
        if (suggested) {
            *suggested = files->selectedFiles().value(0);
        }
        files->selectFile(path);
        static_cast<QDialog*>(files)->accept();
    });
}

// Checks the other page of that title (clicking it as the user does).
void checkPage(D& dialog, const QString& title)
{
    TreeItem* others = dialog.model()->rootItem()->child(1);
    QVERIFY(others);
    for (TreeItem* page : others->children()) {
        if (page->number() == title) {
            QMetaObject::invokeMethod(&dialog, "OnMousePressEvent",
                                      Q_ARG(QModelIndex, dialog.model()->indexOfItem(page)));
            return;
        }
    }
    QFAIL(qPrintable(title));
}

// Unchecks everything below the top node.
void uncheckAll(D& dialog)
{
    const QModelIndex top = dialog.model()->indexOfItem(dialog.model()->topItem());
    if (dialog.model()->topItem()->checkState() != Qt::Unchecked) {
        dialog.OnMousePressEvent(top);
    }
    if (dialog.model()->topItem()->checkState() != Qt::Unchecked) {
        dialog.OnMousePressEvent(top);
    }
}
} // namespace

class tst_QExportFuncodeDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void buttonsOfTheMode_data();
    void buttonsOfTheMode();
    void axisColumnsFollowTheDrive_data();
    void axisColumnsFollowTheDrive();
    void otherPagesOfTheDrive_data();
    void otherPagesOfTheDrive();
    void monitoredNumbersOnly();
    void buttonsFollowTheChecks();
    void exportWritesWhatReadsBack_data();
    void exportWritesWhatReadsBack();
    void secondExportStartsInTheFirstDirectory();
    void unwritableFileIsTold();
    void reportHoldsCheckedSections_data();
    void reportHoldsCheckedSections();
    void funcodeFileOfEveryForm_data();
    void funcodeFileOfEveryForm();
    void readAgainNeedsAnOnlineDrive();
    void failedReadsShowNull();

private:
    QTemporaryDir m_dir;
    QDeviceServo* m_drive = nullptr;
};

void tst_QExportFuncodeDlg::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QTestHost::setUp());
    for (int axes = 1; axes <= 2; ++axes) {
        QProjectCore::self()->getCatalogue()->addModel(
            QTestHost::testModel(axes, QStringLiteral("TST%1").arg(axes)));
    }
    QProjectCore::self()->getCatalogue()->addModel(QTestHost::testModel(1, QStringLiteral("KV905")));
}

void tst_QExportFuncodeDlg::init()
{
    QTestHost::clearProject();
    m_drive = QTestHost::addSelectedDrive("TST3", "EXPORTED");
    QVERIFY(m_drive);
    QVERIFY(QTestHost::readAll(m_drive));
    QMyMessageBox::clearRecordedCalls();
    QMyMessageBox::setTestHook([](const QMyMessageBox::Call&) { return 1; });
}

void tst_QExportFuncodeDlg::cleanup()
{
    QMyMessageBox::setTestHook(nullptr);
    QSoftCore::getCore()->getPrinterManager()->setOutputFileName(QString());
}

void tst_QExportFuncodeDlg::buttonsOfTheMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("absent");
    QTest::addColumn<QString>("title");
    QTest::newRow("export") << 1 << QStringList{"btnExportSelected", "btnExportFuncodeFile", "btnReadAgain"}
                            << QStringList{"btnPreview", "btnPrint"} << key("STR_EXPORT");
    QTest::newRow("print") << 0 << QStringList{"btnPreview", "btnPrint", "btnReadAgain"}
                           << QStringList{"btnExportSelected", "btnExportFuncodeFile"} << key("STR_PRINT");
    QTest::newRow("any other mode prints")
        << 7 << QStringList{"btnPreview", "btnPrint"} << QStringList{"btnExportSelected"} << key("STR_PRINT");
}

void tst_QExportFuncodeDlg::buttonsOfTheMode()
{
    QFETCH(int, mode);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, absent);
    QFETCH(QString, title);
    D dialog("EXPORTED", QStringList(), mode);
    QTestHost::checkModel(dialog.model());
    for (const QString& name : shown) {
        QVERIFY2(button(dialog, qPrintable(name)), qPrintable(name));
    }
    for (const QString& name : absent) {
        QVERIFY2(!button(dialog, qPrintable(name)), qPrintable(name));
    }
    QVERIFY(dialog.title().startsWith(title + "("));
}

void tst_QExportFuncodeDlg::axisColumnsFollowTheDrive_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<bool>("yHidden");
    QTest::addColumn<bool>("zHidden");
    QTest::newRow("one axis") << "TST1" << true << true;
    QTest::newRow("two axes") << "TST2" << false << true;
    QTest::newRow("three axes") << "TST3" << false << false;
}

void tst_QExportFuncodeDlg::axisColumnsFollowTheDrive()
{
    QFETCH(QString, model);
    QFETCH(bool, yHidden);
    QFETCH(bool, zHidden);
    QTestHost::addSelectedDrive(model, "AXES");
    D dialog("AXES", QStringList(), D::MODE_EXPORT);
    auto* view = dialog.findChild<QDownloadTreeView_Servo*>();
    QVERIFY(view);
    QVERIFY(!view->isColumnHidden(2));
    QCOMPARE(view->isColumnHidden(3), yHidden);
    QCOMPARE(view->isColumnHidden(4), zHidden);
}

void tst_QExportFuncodeDlg::otherPagesOfTheDrive_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("pages");
    QTest::newRow("every page") << "TST3" << 6;
    QTest::newRow("without fault history") << "KV905" << 5;
}

void tst_QExportFuncodeDlg::otherPagesOfTheDrive()
{
    QFETCH(QString, model);
    QFETCH(int, pages);
    QTestHost::addSelectedDrive(model, "PAGES");
    D dialog("PAGES", QStringList(), D::MODE_EXPORT);
    TreeItem* others = dialog.model()->rootItem()->child(1);
    QVERIFY(others);
    QCOMPARE(others->number(), key("STR_OTHERS"));
    QCOMPARE(others->childCount(), pages);
    QCOMPARE(others->child(0)->number(), key("STR_SORTED_FUNCODE_MODIFY"));
    QCOMPARE(others->child(4)->number(), key("STR_CURRENT_FAULT"));
    QCOMPARE(others->child(others->childCount() - 1)->number() == key("STR_HIS_FAULT"), pages == 6);
}

void tst_QExportFuncodeDlg::monitoredNumbersOnly()
{
    const QStringList focus{"P2.00", "P00.01"};
    D dialog("EXPORTED", focus, D::MODE_EXPORT);
    QTestHost::checkModel(dialog.model());
    QCOMPARE(dialog.model()->rootItem()->childCount(), 1);
    QCOMPARE(dialog.model()->topItem()->number(), key("STR_MONITOR_FUNCODE"));
    QStringList numbers;
    for (const tagExportFuncodePtr_Servo& record : dialog.model()->checkedNumbers()) {
        numbers << record->funIndex;
    }
    QCOMPARE(numbers, (QStringList{"P00.01", "P2.00"}));

    // The file is marked as saved from the monitored list.
    const QString path = m_dir.filePath("focus.csv");
    answerFileDialog(path);
    button(dialog, "btnExportSelected")->click();
    tagExportDevInfo_Servo info;
    int error = -1;
    QVERIFY(QFuncodeHelper_Servo::getCsvFileFuncodeInfoServo(path, info, error));
    QCOMPARE(info.modeText, QString("FOCUS"));
    QCOMPARE(info.funcodes.size(), 2);
}

void tst_QExportFuncodeDlg::buttonsFollowTheChecks()
{
    D dialog("EXPORTED", QStringList(), D::MODE_PRINT);
    uncheckAll(dialog);
    QCOMPARE(dialog.checkedCount(), 0);
    QVERIFY(!button(dialog, "btnPrint")->isEnabled());
    QVERIFY(!button(dialog, "btnPreview")->isEnabled());
    checkPage(dialog, key("STR_MODIFY_RECORD"));
    QCOMPARE(dialog.checkedCount(), 1);
    QVERIFY(button(dialog, "btnPrint")->isEnabled());
    QVERIFY(button(dialog, "btnPreview")->isEnabled());
}

void tst_QExportFuncodeDlg::exportWritesWhatReadsBack_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::newRow("csv") << "csv";
    QTest::newRow("xlsx") << "xlsx";
    QTest::newRow("text") << "txt";
}

// The codes of the export read back with the drive's values, whatever the form; the pages follow.
void tst_QExportFuncodeDlg::exportWritesWhatReadsBack()
{
    QFETCH(QString, suffix);
    D dialog("EXPORTED", QStringList(), D::MODE_EXPORT);
    checkPage(dialog, key("STR_COMPARE_DEFAULT"));
    const QString path = m_dir.filePath("export." + suffix);
    answerFileDialog(path);
    button(dialog, "btnExportSelected")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const QList<QMyMessageBox::Call> calls = QMyMessageBox::recordedCalls();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.first().kind, QMyMessageBox::Success);
    QCOMPARE(calls.first().detail, path);

    tagExportDevInfo_Servo info;
    int error = -1;
    const bool read = suffix == "xlsx" ? QFuncodeHelper_Servo::getXlsxFileFuncodeInfoServo(path, info, error)
                                       : QFuncodeHelper_Servo::getCsvFileFuncodeInfoServo(path, info, error);
    QVERIFY2(read, qPrintable(QFuncodeHelper_Servo::getErrorStr(error)));
    QCOMPARE(info.funcodes.size(), QFuncodeHelper_Servo::getServoExportFuncodeList(false).size());
    for (const tagExportFuncodePtr_Servo& code : info.funcodes) {
        for (int axis = 0; axis < m_drive->getAxisNum(); ++axis) {
            QCOMPARE(code->curValue[size_t(axis)], m_drive->getCurValue(code->funIndex, axis));
        }
    }
    if (suffix != "xlsx") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QVERIFY(QString::fromLocal8Bit(file.readAll()).contains(key("STR_COMPARE_DEFAULT")));
    }
}

void tst_QExportFuncodeDlg::secondExportStartsInTheFirstDirectory()
{
    const QString dir = m_dir.filePath("chosen");
    QVERIFY(QDir().mkpath(dir));
    {
        D first("EXPORTED", QStringList(), D::MODE_EXPORT);
        answerFileDialog(dir + "/first.csv");
        button(first, "btnExportSelected")->click();
    }
    QCOMPARE(D::lastExportDir(), dir);
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

void tst_QExportFuncodeDlg::unwritableFileIsTold()
{
    D dialog("EXPORTED", QStringList(), D::MODE_EXPORT);
    const QString path = m_dir.filePath("missing-folder/export.csv");
    answerFileDialog(path);
    button(dialog, "btnExportSelected")->click();
    const QList<QMyMessageBox::Call> calls = QMyMessageBox::recordedCalls();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.first().kind, QMyMessageBox::Information);
    QVERIFY(calls.first().text.startsWith(key("STR_OPEN_FILE_FAILED")));
    QVERIFY(!QFile::exists(path));
}

void tst_QExportFuncodeDlg::reportHoldsCheckedSections_data()
{
    QTest::addColumn<bool>("codes");
    QTest::addColumn<QString>("page");
    QTest::newRow("codes and a page") << true << key("STR_MONITOR_FUNCODE");
    QTest::newRow("a page only") << false << key("STR_MODIFY_RECORD");
    QTest::newRow("codes only") << true << QString();
}

// The report holds the drive's title, the function-code table only when codes are checked, and a section
// per checked page. Preview is answered by closing it; the direct print goes to a PDF file.
void tst_QExportFuncodeDlg::reportHoldsCheckedSections()
{
    QFETCH(bool, codes);
    QFETCH(QString, page);
    D dialog("EXPORTED", QStringList(), D::MODE_PRINT);
    uncheckAll(dialog);
    if (codes) {
        // One group is enough for the table (a whole drive makes a long PDF).
        dialog.OnMousePressEvent(dialog.model()->indexOfItem(dialog.model()->topItem()->child(0)));
    }
    if (!page.isEmpty()) {
        checkPage(dialog, page);
    }
    QPrinterManager* printer = QSoftCore::getCore()->getPrinterManager();
    const QString pdf = m_dir.filePath(QStringLiteral("report-%1.pdf").arg(QTest::currentDataTag()));
    printer->setOutputFileName(pdf);
    button(dialog, "btnPrint")->click();
    QVERIFY(QFileInfo(pdf).size() > 0);
    const QString html = printer->toHtml();
    QVERIFY(html.contains(m_drive->getAliasName()));
    QCOMPARE(html.contains(key("STR_STRING_VALUE")), codes);
    QCOMPARE(html.contains(m_drive->getScaledCurValueStr("P00.02", 2).toHtmlEscaped() + "</td>"), codes);
    if (!page.isEmpty()) {
        QVERIFY(html.contains(page));
    }
    QVERIFY(QMyMessageBox::recordedCalls().isEmpty());

    answerModalDialog([](QDialog* preview) { preview->reject(); });
    button(dialog, "btnPreview")->click();
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_QExportFuncodeDlg::funcodeFileOfEveryForm_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("database") << int(QExportTypeDlg::TypeFuncodeServo) << "funcodeservo";
    QTest::newRow("comma-separated") << int(QExportTypeDlg::TypeCsv) << "csv";
    QTest::newRow("workbook") << int(QExportTypeDlg::TypeXlsx) << "xlsx";
}

// The file offered beside the export holds every code of the drive and reads back as an import reads it.
void tst_QExportFuncodeDlg::funcodeFileOfEveryForm()
{
    QFETCH(int, type);
    QFETCH(QString, suffix);
    D dialog("EXPORTED", QStringList(), D::MODE_EXPORT);
    const QString path = m_dir.filePath("ExportedFuncode-" + suffix);
    answerModal([path, type](QWidget* modal) {
        modal->findChild<QRadioButton*>(QString("radioFileType_%1").arg(type))->click();
        answerFileDialog(path);
        modal->findChild<QPushButton*>("btnOk")->click();
    });
    button(dialog, "btnExportFuncodeFile")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const QString written = path + "." + suffix;
    tagExportDevInfo_Servo info;
    int error = -1;
    QVERIFY2(QFuncodeHelper_Servo::getFileFuncodeInfoServo(written, info, error),
             qPrintable(QFuncodeHelper_Servo::getErrorStr(error)));
    QCOMPARE(info.devText.section('_', 0, 0), m_drive->getDevName());
    QCOMPARE(info.funcodes.size(), QFuncodeHelper_Servo::collectDeviceFuncodes().first().funcodes.size());
    QCOMPARE(QMyMessageBox::recordedCalls().last().kind, QMyMessageBox::Success);
}

void tst_QExportFuncodeDlg::readAgainNeedsAnOnlineDrive()
{
    D dialog("EXPORTED", QStringList(), D::MODE_EXPORT);
    QTestHost::link("EXPORTED")->setOnline(false);
    QTRY_VERIFY(!m_drive->isDeviceOnline());
    button(dialog, "btnReadAgain")->click();
    QCOMPARE(QMyMessageBox::recordedCalls().size(), 1);
    QCOMPARE(QMyMessageBox::recordedCalls().first().text, key("STR_DEVICE_NOT_ONLINE"));
}

void tst_QExportFuncodeDlg::failedReadsShowNull()
{
    D dialog("EXPORTED", QStringList(), D::MODE_EXPORT);
    dialog.onRefreshFuncodeVal("ANOTHER", {"P00.01"});
    TreeItem* group = dialog.model()->topItem()->child(0);
    QVERIFY(group);
    TreeItem* first = group->child(0);
    QCOMPARE(first->number(), QString("P00.00"));
    dialog.onRefreshFuncodeVal("EXPORTED", {"P00.00"});
    QCOMPARE(dialog.model()->data(dialog.model()->indexOfItem(first, 2)).toString(), QString("null"));
}

QTEST_MAIN(tst_QExportFuncodeDlg)
#include "tst_QExportFuncodeDlg.moc"
