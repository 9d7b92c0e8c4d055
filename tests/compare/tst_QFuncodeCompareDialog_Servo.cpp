#include "FileFixtures.h"
#include "FuncodeRows.h"
#include "ModalAnswer.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QFuncodeCompareDialog_Servo.h"
#include "QFuncodeCompareTreeModel_Servo.h"
#include "QFuncodeCompareTreeView_Servo.h"
#include "QFuncodeHelper_Servo.h"
#include "QMyMessageBox.h"
#include "QParameterFingerprint_Servo.h"
#include "QPrinterManager.h"
#include "QProjectCore.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QTestHost.h"
#include "QTestMessageBoxes.h"
#include "QTestUi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QtTest>

using D = QFuncodeCompareDialog_Servo;
using M = QFuncodeCompareTreeModel_Servo;
using FuncodeRows::numbersOf;

namespace {
// The settings the present authority may see: the codes a drive source holds.
int visibleCodeCount(const QDeviceServo& device)
{
    int count = 0;
    for (const auto& codes : device.getNormalFuncodeGroupMap()) {
        count += codes.size();
    }
    return count;
}
} // namespace

// The compare dialog on simulated drives and function-code files: one scenario per thing a user does. How
// two sources compare is tst_QFuncodeComparer_Servo's, how a result shows
// tst_QFuncodeCompareTreeModel_Servo's.
class tst_QFuncodeCompareDialog_Servo : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QTestMessageBoxes m_boxes;
    QDeviceServo* m_a = nullptr; // the selected drive "A" of the test model, in every test

    static void chooseDrive(const D& dialog, const char* combo, const QString& alias)
    {
        auto* box = QTestUi::child<QComboBox>(&dialog, combo);
        box->setCurrentIndex(box->findData(alias));
    }

    static void compareTwoDrives(D& dialog, const QString& a, const QString& b)
    {
        QTestUi::child<QRadioButton>(&dialog, "radioButton_comp2Devices")->click();
        chooseDrive(dialog, "comboBox_device1", a);
        chooseDrive(dialog, "comboBox_device2", b);
        QTestUi::child<QPushButton>(&dialog, "btnCompFuncode")->click();
    }

    // The selected drive written to a function-code file in the form the suffix names, with the device
    // text given.
    QString exportSelectedDrive(const QString& name, const QString& devText = QString())
    {
        const QString path = m_dir.filePath(name);
        tagExportDevInfo_Servo device = QFuncodeHelper_Servo::collectDeviceFuncodes().value(0);
        device.devText = devText.isEmpty() ? device.devText : devText;
        if (!QFuncodeHelper_Servo::writeFuncodeFile(path, device)) {
            qWarning("cannot write %s: %s", qPrintable(path),
                     qPrintable(QFuncodeHelperBase::lastErrorText()));
        }
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QTestHost::setUp());
        QVERIFY(m_dir.isValid());
        // A three-axis model like the test model but without P10.05.
        auto model = qSharedPointerConstCast<QDriveModel>(QTestHost::testModel(3, "TSTX"));
        for (QDriveGroupDef& group : model->groups) {
            group.codeRows.removeAll(model->indexOf("P10.05"));
        }
        QProjectCore::self()->getCatalogue()->addModel(model);
    }

    void init()
    {
        m_a = QTestHost::addSelectedDrive("TST3", "A");
        QVERIFY(m_a);
        m_boxes.setAnswer(1);
        m_boxes.clear();
    }
    void cleanup() { QTestHost::clearProject(); }

    // Two drives of the same settings are equal, a drive against itself (as the batch download asks) is
    // read once; against another drive the code that differs is shown alone under "differing only"; an
    // offline drive is compared with the values it holds, and one never read with nothing: its codes are
    // counted as not compared (how such a code compares: tst_QFuncodeComparer_Servo::
    // valuesCompareOnEveryCommonAxis).
    void twoDrives()
    {
        QVERIFY(QTestHost::addDrive("TST3", "B"));
        QSimulatedDriveLink* link = QTestHost::link("A");
        D dialog;
        QTestHost::checkModel(dialog.treeModel());
        QCOMPARE(dialog.treeView()->emptyText(), QTestUi::text("STR_COMPARE_CHOOSE_SOURCES"));
        compareTwoDrives(dialog, "A", "B");
        const int readOnce = link->readItemCount();
        QVERIFY(readOnce >= visibleCodeCount(*m_a) * m_a->getAxisNum());
        QVERIFY(!dialog.allRecords().isEmpty());
        QCOMPARE(numbersOf(dialog.differingRecords()), QStringList());
        // One fingerprint line per source: the same set shows the same fingerprint.
        const QString fingerprint = QParameterFingerprint_Servo::ofDevice(*m_a).hex;
        QCOMPARE(QTestUi::child<QLabel>(&dialog, "FINGERPRINTS")->text().count(fingerprint), 2);
        QTestUi::child<QRadioButton>(&dialog, "radioButton_diffFuncode")->click();
        QCOMPARE(dialog.treeModel()->rowCount(), 0);
        QCOMPARE(dialog.treeView()->emptyText(), QTestUi::text("STR_COMPARE_NOTHING_DIFFERS"));
        {
            D itself;
            link->resetCounters();
            itself.presetComparison("A", "A", D::COMPARE_TWO_DEVICES, 0);
            QCOMPARE(link->readItemCount(), readOnce);
            QCOMPARE(numbersOf(itself.differingRecords()), QStringList());
        }

        QTestHost::link("B")->setRawValue("P10.07", 2, 77);
        link->setRawValue("P10.03", 0, 33); // changed in the drive, never read
        link->setOnline(false);
        link->resetCounters();
        compareTwoDrives(dialog, "A", "B");
        QCOMPARE(link->readItemCount(), 0);
        QCOMPARE(numbersOf(dialog.differingRecords()), QStringList{"P10.07"});
        QCOMPARE(QTestUi::child<QLabel>(&dialog, "FINGERPRINTS")->text().count(fingerprint), 1);
        QCOMPARE(dialog.treeModel()->rowCount(), 1);
        QTestUi::child<QRadioButton>(&dialog, "radioButton_allFuncode")->click();
        QCOMPARE(dialog.treeModel()->rowCount(), 4); // P00, P2, P10, PtP
        QVERIFY(QTestUi::child<QRadioButton>(&dialog, "radioButton_comp2Devices")->isChecked());
        QVERIFY(m_boxes.calls().isEmpty());

        QVERIFY(QTestHost::addDrive("TST3", "C"));
        QTestHost::link("C")->setOnline(false);
        D neverRead;
        neverRead.presetComparison("A", "C", D::COMPARE_TWO_DEVICES,
                                   QFuncodeComparer_Servo::PRESENCE_IN_BOTH);
        QCOMPARE(neverRead.differingRecords().size(), visibleCodeCount(*m_a));
        QVERIFY(neverRead.findChild<QStatusBar*>()->currentMessage().contains(
            QTestUi::text("STR_COMPARE_NOT_READ_COUNT").arg(visibleCodeCount(*m_a))));
    }

    void secondDriveIsAnotherOfTheSameModel_data()
    {
        QTest::addColumn<QStringList>("models"); // of the drives A (selected), B, C, in show-name order
        QTest::addColumn<QString>("partner");
        QTest::addColumn<int>("partnerAxes");
        QTest::newRow("same model after another") << QStringList{"TST3", "TST1", "TST3"} << "C" << 3;
        QTest::newRow("no other of the model") << QStringList{"TST3", "TST2", "TST1"} << "B" << 2;
    }

    // The first drive is not offered as its own partner; comparing two models is asked about first (and
    // "no" compares nothing). Drives added or removed while the dialog is open reach the choice at once;
    // the axis boxes and the columns of the second source follow its axes.
    void secondDriveIsAnotherOfTheSameModel()
    {
        QFETCH(QStringList, models);
        QFETCH(QString, partner);
        QFETCH(int, partnerAxes);
        D dialog;
        dialog.show();
        for (int i = 1; i < models.size(); ++i) {
            QVERIFY(QTestHost::addDrive(models.at(i), QString(QChar('A' + i))));
        }
        auto* second = QTestUi::child<QComboBox>(&dialog, "comboBox_device2");
        QCOMPARE(second->count(), models.size() - 1);
        QCOMPARE(second->findData("A"), -1);
        QCOMPARE(QTestUi::child<QComboBox>(&dialog, "comboBox_device1")->currentData().toString(),
                 QStringLiteral("A"));
        QCOMPARE(second->currentData().toString(), partner);
        const char* boxes[] = {"checkBox_axisX_2", "checkBox_axisY_2", "checkBox_axisZ_2"};
        for (int axis = 0; axis < 3; ++axis) {
            QCOMPARE(QTestUi::child<QCheckBox>(&dialog, boxes[axis])->isVisible(), axis < partnerAxes);
        }
        m_boxes.setAnswer(2);
        QTestUi::child<QPushButton>(&dialog, "btnCompFuncode")->click();
        const bool otherModel = models.at(partner.at(0).unicode() - 'A') != models.first();
        QCOMPARE(m_boxes.count(), otherModel ? 1 : 0);
        QCOMPARE(dialog.allRecords().isEmpty(), otherModel);
        m_boxes.setAnswer(1);
        QTestUi::child<QPushButton>(&dialog, "btnCompFuncode")->click();
        for (int axis = 0; axis < 3; ++axis) {
            QVERIFY(!dialog.treeView()->isColumnHidden(M::COL_A_X + axis));
            QCOMPARE(dialog.treeView()->isColumnHidden(M::COL_B_X + axis), axis >= partnerAxes);
        }
        QVERIFY(QProjectCore::self()->getDevMgr()->removeDevice(partner));
        QCOMPARE(second->count(), models.size() - 2);
    }

    // While the dialog is open it keeps the user's choices: the drives chosen (also when the project
    // changes), a file chosen before a cancelled file dialog, and the axes unticked (through another
    // comparison). A result of another kind of comparison goes when the kind changes.
    void theDialogKeepsTheUsersChoices()
    {
        QVERIFY(QTestHost::addDrive("TST3", "B"));
        QVERIFY(QTestHost::addDrive("TST3", "C"));
        D dialog;
        dialog.show();
        QTestUi::child<QCheckBox>(&dialog, "checkBox_axisY_1")->setChecked(false);
        compareTwoDrives(dialog, "A", "C");
        QVERIFY(QTestHost::addDrive("TST3", "D"));
        QCOMPARE(QTestUi::child<QComboBox>(&dialog, "comboBox_device2")->currentData().toString(),
                 QString("C"));
        QTestUi::child<QPushButton>(&dialog, "btnCompFuncode")->click();
        QVERIFY(!QTestUi::child<QCheckBox>(&dialog, "checkBox_axisY_1")->isChecked());
        QVERIFY(dialog.treeView()->isColumnHidden(M::COL_A_Y));
        QVERIFY(!dialog.allRecords().isEmpty());

        QTestUi::child<QRadioButton>(&dialog, "radioButton_comp2Files")->click();
        QVERIFY(dialog.allRecords().isEmpty());
        QCOMPARE(dialog.treeModel()->rowCount(), 0);
        auto* file = QTestUi::child<QLineEdit>(&dialog, "lineEdit_filePath1");
        file->setText(m_dir.filePath("chosen.csv"));
        answerModalDialog([](QDialog* files) { files->reject(); });
        QTestUi::child<QPushButton>(&dialog, "pushButton_openFile1")->click();
        QCOMPARE(file->text(), m_dir.filePath("chosen.csv"));
        QTestUi::child<QRadioButton>(&dialog, "radioButton_comp2Devices")->click();
        QCOMPARE(QTestUi::child<QComboBox>(&dialog, "comboBox_device2")->currentData().toString(),
                 QString("C"));
    }

    void sourcesAreCompared_data()
    {
        QTest::addColumn<bool>("preset"); // as the batch download asks, else chosen in the dialog
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("keyA"); // a drive's alias or a file name (written before the edit, but
        QTest::addColumn<QString>("keyB"); // after it when the name starts with "after")
        QTest::addColumn<int>("filter");
        QTest::newRow("drive and file")
            << false << int(D::COMPARE_DEVICE_FILE) << "A" << QString("a.funcodeservo") << 0;
        QTest::newRow("two files") << false << int(D::COMPARE_TWO_FILES) << "a.funcodeservo"
                                   << QString("after.csv") << 0;
        QTest::newRow("preset drive and workbook")
            << true << int(D::COMPARE_DEVICE_FILE) << "A" << QString("a.xlsx") << 0;
        QTest::newRow("preset file and drive")
            << true << int(D::COMPARE_FILE_DEVICE) << "a.csv" << QString("A") << 0;
        QTest::newRow("preset two drives, codes in B only")
            << true << int(D::COMPARE_TWO_DEVICES) << "A" << QString("B")
            << int(QFuncodeComparer_Servo::PRESENCE_IN_B);
    }

    // The drive A, edited on Z after its files were written, against them or against the drive B (whose
    // model lacks P10.05). A preset comparison hides the choice and the buttons.
    void sourcesAreCompared()
    {
        QFETCH(bool, preset);
        QFETCH(int, kind);
        QFETCH(QString, keyA);
        QFETCH(QString, keyB);
        QFETCH(int, filter);
        QVERIFY(QTestHost::readAll(m_a));
        QVERIFY(QTestHost::addDrive("TSTX", "B"));
        for (QString* key : {&keyA, &keyB}) {
            *key = key->startsWith("a.") ? exportSelectedDrive(*key) : *key;
        }
        QVERIFY(m_a->modifyFuncodeValueWithRecord("P2.01", 4.5, 2));
        keyB = keyB.startsWith("after") ? exportSelectedDrive(keyB) : keyB;
        D dialog;
        if (preset) {
            dialog.presetComparison(keyA, keyB, kind, filter);
        } else if (kind == D::COMPARE_TWO_FILES) {
            QTestUi::child<QRadioButton>(&dialog, "radioButton_comp2Files")->click();
            QTestUi::child<QLineEdit>(&dialog, "lineEdit_filePath1")->setText(keyA);
            QTestUi::child<QLineEdit>(&dialog, "lineEdit_filePath2")->setText(keyB);
        } else {
            QTestUi::child<QRadioButton>(&dialog, "radioButton_compDeviceVsFile")->click();
            chooseDrive(dialog, "comboBox_device", keyA);
            QTestUi::child<QLineEdit>(&dialog, "lineEdit_filePath")->setText(keyB);
        }
        if (!preset) {
            QTestUi::child<QPushButton>(&dialog, "btnCompFuncode")->click();
        }
        dialog.show();
        QVERIFY(m_boxes.calls().isEmpty());
        QCOMPARE(numbersOf(dialog.differingRecords()), QStringList{"P2.01"});
        QCOMPARE(dialog.allRecords().size(), visibleCodeCount(*m_a) - (filter ? 1 : 0));
        for (const char* name : {"btnCompFuncode", "btnExport", "btnPreview", "btnPrint"}) {
            QVERIFY2(QTestUi::child<QPushButton>(&dialog, name)->isVisible() != preset, name);
        }
        QCOMPARE(QTestUi::child<QGroupBox>(&dialog, "groupBox_compType")->isVisible(), !preset);
    }

    void unreadableFilesAreToldAndCompareNothing_data()
    {
        QTest::addColumn<QString>("file");     // how the file is made
        QTest::addColumn<bool>("readerError"); // the message names the reader's error
        QTest::newRow("empty path") << "" << false;
        QTest::newRow("missing database file") << "missing.funcodeservo" << true;
        QTest::newRow("refused device text") << "refused.funcodeservo" << false;
        QTest::newRow("garbage workbook") << "garbage.xlsx" << true;
        QTest::newRow("no drive selected") << "unselected.funcodeservo" << false;
    }

    void unreadableFilesAreToldAndCompareNothing()
    {
        QFETCH(QString, file);
        QFETCH(bool, readerError);
        const QString path = file.isEmpty() ? QString() : m_dir.filePath(file);
        if (file.startsWith("garbage")) {
            QVERIFY(FileFixtures::writeBytes(path, QByteArray(4096, 'x')));
        } else if (file.startsWith("refused")) {
            exportSelectedDrive(file, "KX100_1.00"); // another product family's file
        } else if (file.startsWith("unselected")) {
            exportSelectedDrive(file);
            QTestHost::select(QString());
        }
        D dialog;
        dialog.presetComparison("A", path, D::COMPARE_DEVICE_FILE, 0);
        QCOMPARE(m_boxes.count(), 1);
        const QMyMessageBox::Call call = m_boxes.calls().first();
        QCOMPARE(call.title, QTestUi::text("STR_COMPARE"));
        const QString told = file.startsWith("unselected")
                                 ? QTestUi::text("STR_NOTSELECT_DEVICE")
                                 : QTestUi::text("STR_OPEN_FILE_FAILED") + '\n' + path;
        QVERIFY2(call.text.startsWith(told), qPrintable(call.text));
        const QString reason = QFuncodeHelperBase::getErrorStr(QFuncodeHelperBase::lastError());
        QCOMPARE(call.text.contains(QTestUi::text("STR_ERROR CODE")) && call.text.contains(reason),
                 readerError);
        QVERIFY(dialog.allRecords().isEmpty());
        QCOMPARE(dialog.treeModel()->rowCount(), 0);
        QVERIFY(!file.startsWith("missing") || !QFile::exists(path)); // looking does not create it
    }

    void csvHasTheCheckedColumnsAndTrailingCommas_data()
    {
        QTest::addColumn<bool>("onlyX");
        QTest::addColumn<bool>("onlyDiffering");
        QTest::newRow("X only, differing") << true << true;
        QTest::newRow("every axis, all") << false << false;
    }

    void csvHasTheCheckedColumnsAndTrailingCommas()
    {
        QFETCH(bool, onlyX);
        QFETCH(bool, onlyDiffering);
        QVERIFY(QTestHost::addDrive("TST3", "B"));
        QTestHost::link("B")->setRawValue("P10.07", 0, 77);
        D dialog;
        QTestUi::child<QPushButton>(&dialog, "btnExport")->click(); // nothing to export yet
        QCOMPARE(m_boxes.count(), 1);
        m_boxes.clear();
        compareTwoDrives(dialog, "A", "B");
        if (onlyX) {
            for (const char* name :
                 {"checkBox_axisY_1", "checkBox_axisZ_1", "checkBox_axisY_2", "checkBox_axisZ_2"}) {
                QTestUi::child<QCheckBox>(&dialog, name)->setChecked(false);
            }
        }
        if (onlyDiffering) {
            QTestUi::child<QRadioButton>(&dialog, "radioButton_diffFuncode")->click();
        }
        // The name is typed without its suffix; the file of that name with it is there from before.
        const QString path = m_dir.filePath(QStringLiteral("result-%1").arg(QTest::currentDataTag()));
        QVERIFY(FileFixtures::writeBytes(path + ".csv", "old"));
        bool replaceAsked = false;
        chooseInFileDialog(path, nullptr, &replaceAsked);
        QTestUi::child<QPushButton>(&dialog, "btnExport")->click();
        QVERIFY(replaceAsked);

        const QStringList lines =
            QString::fromLocal8Bit(FileFixtures::readBytes(path + ".csv")).split('\n', Qt::SkipEmptyParts);
        QVERIFY(!lines.isEmpty());
        const int valueColumns = onlyX ? 2 : 6;
        QCOMPARE(lines.first().count(','), 1 + valueColumns);
        QCOMPARE(lines.size() - 1, onlyDiffering ? 1 : dialog.allRecords().size());
        for (const QString& line : lines.mid(1)) {
            QVERIFY2(line.endsWith(',') && line.count(',') == 2 + valueColumns, qPrintable(line));
        }
        const QString differing = lines.filter(QStringLiteral("P10.07,")).value(0);
        QVERIFY2(differing.startsWith(onlyX ? "P10.07,Limit 7,7,77," : "P10.07,Limit 7,7,7,7,77,7,7,"),
                 qPrintable(differing));
        QCOMPARE(m_boxes.count(), 1);
        QCOMPARE(m_boxes.calls().first().kind, QMyMessageBox::Success);
    }

    void printWritesTheComparisonWithDifferencesHighlighted()
    {
        QVERIFY(QTestHost::addDrive("TST3", "B"));
        QTestHost::link("B")->setRawValue("P2.01", 1, 1234);
        D dialog;
        // Nothing to print before a comparison: the user is told so.
        QTestUi::child<QPushButton>(&dialog, "btnPrint")->click();
        QTestUi::child<QPushButton>(&dialog, "btnPreview")->click();
        QCOMPARE(m_boxes.count(), 2);
        QVERIFY(m_boxes.calls().last().text.startsWith(QTestUi::text("STR_NO_DATA") + '\n'));
        m_boxes.clear();
        compareTwoDrives(dialog, "A", "B");
        QPrinterManager* printer = QSoftCore::getCore()->getPrinterManager();
        const QString pdf = m_dir.filePath("compare.pdf");
        printer->setOutputFileName(pdf);
        QTestUi::child<QPushButton>(&dialog, "btnPrint")->click();
        printer->setOutputFileName(QString());
        QVERIFY(QFileInfo(pdf).size() > 0);
        QVERIFY(printer->toHtml().contains(" VS "));
        QVERIFY(printer->toHtml().contains("P2.01"));
        QVERIFY(m_boxes.calls().isEmpty());

        // The preview is a modal window of its own.
        answerModal([](QWidget* preview) { preview->close(); });
        QTestUi::child<QPushButton>(&dialog, "btnPreview")->click();
        QVERIFY(!QApplication::activeModalWidget());
    }

    // The menu's rules are the folding tree's (tst_QFoldingTreeView); the result tree has that menu.
    void contextMenuFoldsTheGroupUnderTheMouse()
    {
        QVERIFY(QTestHost::addDrive("TST3", "B"));
        D dialog;
        dialog.resize(1000, 700);
        dialog.show();
        compareTwoDrives(dialog, "A", "B");
        QFuncodeCompareTreeView_Servo* view = dialog.treeView();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QModelIndex first = dialog.treeModel()->index(0, 0);
        QTestUi::rightClick(view, first);
        view->contextMenu()->findChild<QAction*>("STR_COLLAPSE")->trigger();
        QVERIFY(!view->isExpanded(first) && view->isExpanded(dialog.treeModel()->index(1, 0)));
    }
};

QTEST_MAIN(tst_QFuncodeCompareDialog_Servo)
#include "tst_QFuncodeCompareDialog_Servo.moc"
