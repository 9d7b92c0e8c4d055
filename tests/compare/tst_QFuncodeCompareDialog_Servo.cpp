#include "ModalAnswer.h"
#include "QCompareSourceLoader_Servo.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QExportDB_Servo.h"
#include "QFuncodeCompareDialog_Servo.h"
#include "QFuncodeCompareTreeModel_Servo.h"
#include "QFuncodeCompareTreeView_Servo.h"
#include "QFuncodeHelper_Servo.h"
#include "QMyMessageBox.h"
#include "QPrinterManager.h"
#include "QProjectCore.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QTestHost.h"

#include <QBrush>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using D = QFuncodeCompareDialog_Servo;
using M = QFuncodeCompareTreeModel_Servo;

namespace {
QString key(const char* k)
{
    return QCoreApplication::translate("Strings", k);
}

// The settings the present authority may see: the codes a drive source holds.
int visibleSettingCount(const QDeviceServo& device)
{
    int count = 0;
    for (const auto& codes : device.getNormalFuncodeGroupMap()) {
        count += codes.size();
    }
    return count;
}

// The codes the present authority may see, settings and states: what reading a whole drive reads.
int visibleCodeCount(const QDeviceServo& device)
{
    int count = 0;
    for (const QDeviceServo::FuncodeGroupMap* groups :
         {&device.getNormalFuncodeGroupMap(), &device.getStateFuncodeGroupMap()}) {
        for (const auto& codes : *groups) {
            count += codes.size();
        }
    }
    return count;
}

QStringList numbersOf(const QList<tagCompareFuncode_Servo*>& records)
{
    QStringList numbers;
    for (const tagCompareFuncode_Servo* record : records) {
        numbers << record->funIndex;
    }
    return numbers;
}
} // namespace

// The compare dialog on simulated drives and function-code files.
class tst_QFuncodeCompareDialog_Servo : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    template <typename T>
    static T* child(const D& dialog, const char* name)
    {
        T* widget = dialog.findChild<T*>(QLatin1String(name));
        if (!widget) {
            qWarning("no %s", name);
        }
        return widget;
    }

    static void chooseDrive(const D& dialog, const char* combo, const QString& alias)
    {
        auto* box = child<QComboBox>(dialog, combo);
        box->setCurrentIndex(box->findData(alias));
    }

    static void compareTwoDrives(D& dialog, const QString& a, const QString& b)
    {
        child<QRadioButton>(dialog, "radioButton_comp2Devices")->click();
        chooseDrive(dialog, "comboBox_device1", a);
        chooseDrive(dialog, "comboBox_device2", b);
        child<QPushButton>(dialog, "btnCompFuncode")->click();
    }

    // A three-axis model like the test model but without P10.05.
    static void addModelWithoutCode(const QString& name)
    {
        auto model = qSharedPointerConstCast<QDriveModel>(QTestHost::testModel(3, name));
        for (QDriveGroupDef& group : model->groups) {
            group.codeRows.removeAll(model->indexOf("P10.05"));
        }
        QProjectCore::self()->getCatalogue()->addModel(model);
    }

    // The drive's settings as the function-code file form holds them.
    static tagExportDevInfo_Servo fileOf(const QDeviceServo& device)
    {
        const tagCompareSource_Servo source = QCompareSourceLoader_Servo::sourceOfDrive(device);
        tagExportDevInfo_Servo info;
        info.devText = source.devText;
        info.axisNumText = QString::number(source.axisNum);
        info.commuName = source.name;
        for (const QList<tagExportFuncodePtr_Servo>& codes : source.groupMap) {
            info.funcodes += codes;
        }
        return info;
    }

    // The selected drive exported through the function-code file writers, in the form the suffix names.
    QString exportSelectedDrive(const QString& name)
    {
        const QString path = m_dir.filePath(name);
        const QList<tagExportDevInfo_Servo> devices = QFuncodeHelper_Servo::collectDeviceFuncodes();
        bool written = false;
        if (name.endsWith(".csv")) {
            written = QFuncodeHelper_Servo::writeFuncodeCsvFile(path, devices.value(0));
        } else if (name.endsWith(".xlsx")) {
            written = QFuncodeHelper_Servo::exportSelectInfoListServo(devices.value(0).funcodes, {}, path);
        } else {
            written = QFuncodeHelper_Servo::writeFuncodeDatabaseFile(path, devices);
        }
        if (!written) {
            qWarning("cannot write %s: %s", qPrintable(path),
                     qPrintable(QFuncodeHelperBase::lastErrorText()));
        }
        return path;
    }

    QString writeDatabaseFile(const tagExportDevInfo_Servo& info, const QString& name)
    {
        const QString path = m_dir.filePath(name);
        QExportDB_Servo database;
        if (!database.writeFile(path, {info})) {
            qWarning("cannot write %s: %s", qPrintable(path), qPrintable(database.lastError()));
        }
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QTestHost::setUp());
        QVERIFY(m_dir.isValid());
        addModelWithoutCode("TSTX");
    }

    void init()
    {
        QMyMessageBox::clearRecordedCalls();
        QMyMessageBox::setTestHook([](const QMyMessageBox::Call&) { return 1; });
    }

    void cleanup()
    {
        QMyMessageBox::setTestHook(nullptr);
        QTestHost::clearProject();
    }

    void driveComparedWithItselfIsReadOnceAndEqual()
    {
        QDeviceServo* device = QTestHost::addSelectedDrive("TST3", "A");
        QSimulatedDriveLink* link = QTestHost::link("A");
        link->resetCounters();
        D dialog;
        QTestHost::checkModel(dialog.treeModel());
        compareTwoDrives(dialog, "A", "A");
        QCOMPARE(link->readItemCount(), visibleCodeCount(*device) * device->getAxisNum());
        QVERIFY(!dialog.allRecords().isEmpty());
        QCOMPARE(dialog.differingRecords().size(), 0);
        child<QRadioButton>(dialog, "radioButton_diffFuncode")->click();
        QCOMPARE(dialog.treeModel()->rowCount(), 0);
        QCOMPARE(dialog.treeView()->emptyText(), key("STR_COMPARE_NOTHING_DIFFERS"));
        child<QRadioButton>(dialog, "radioButton_allFuncode")->click();
        QVERIFY(!child<QRadioButton>(dialog, "radioButton_diffFuncode")->isChecked());
        QVERIFY(child<QRadioButton>(dialog, "radioButton_comp2Devices")->isChecked());
        QCOMPARE(dialog.treeModel()->rowCount(), 4); // P00, P2, P10, PtP
        QVERIFY(QMyMessageBox::recordedCalls().isEmpty());
    }

    void offlineDriveIsComparedWithTheValuesHeld()
    {
        QDeviceServo* device = QTestHost::addSelectedDrive("TST3", "A");
        QVERIFY(QTestHost::readAll(device));
        QVERIFY(QTestHost::addDrive("TST3", "B"));
        QSimulatedDriveLink* link = QTestHost::link("A");
        link->setRawValue("P10.03", 0, 33); // changed in the drive, never read
        link->setOnline(false);
        link->resetCounters();
        D dialog;
        compareTwoDrives(dialog, "A", "B");
        QCOMPARE(link->readItemCount(), 0);
        QCOMPARE(numbersOf(dialog.differingRecords()), QStringList());
    }

    void projectChangesReachTheDriveChoice()
    {
        QVERIFY(QTestHost::addSelectedDrive("TST3", "A"));
        D dialog;
        auto* second = child<QComboBox>(dialog, "comboBox_device2");
        QCOMPARE(second->count(), 1);
        QVERIFY(QTestHost::addDrive("TST1", "B"));
        QCOMPARE(second->count(), 2);
        QCOMPARE(second->currentData().toString(), QStringLiteral("B"));
        QVERIFY(!child<QCheckBox>(dialog, "checkBox_axisY_2")->isChecked());
        QVERIFY(QProjectCore::self()->getDevMgr()->removeDevice("B"));
        QCOMPARE(second->count(), 1);
    }

    void secondDriveIsOneOfTheSameModel_data()
    {
        QTest::addColumn<QStringList>("models"); // of the drives A (selected), B, C, in show-name order
        QTest::addColumn<QString>("partner");
        QTest::newRow("same model after another") << QStringList{"TST3", "TST1", "TST3"} << "C";
        QTest::newRow("no other of the model") << QStringList{"TST3", "TST1", "TST2"} << "B";
        QTest::newRow("alone") << QStringList{"TST3"} << "A";
    }

    void secondDriveIsOneOfTheSameModel()
    {
        QFETCH(QStringList, models);
        QFETCH(QString, partner);
        const QStringList aliases{"A", "B", "C"};
        for (int i = 0; i < models.size(); ++i) {
            QVERIFY(QTestHost::addDrive(models.at(i), aliases.at(i)));
        }
        QTestHost::select("A");
        D dialog;
        QCOMPARE(child<QComboBox>(dialog, "comboBox_device1")->currentData().toString(), QStringLiteral("A"));
        QCOMPARE(child<QComboBox>(dialog, "comboBox_device2")->currentData().toString(), partner);
    }

    void differencesOnAnyAxisAreRed_data()
    {
        QTest::addColumn<int>("axis");
        QTest::newRow("X") << 0;
        QTest::newRow("Y") << 1;
        QTest::newRow("Z alone") << 2;
    }

    void differencesOnAnyAxisAreRed()
    {
        QFETCH(int, axis);
        QVERIFY(QTestHost::addSelectedDrive("TST3", "A"));
        QVERIFY(QTestHost::addDrive("TST3", "B"));
        QTestHost::link("B")->setRawValue("P10.07", axis, 77);
        D dialog;
        QTestHost::checkModel(dialog.treeModel());
        compareTwoDrives(dialog, "A", "B");
        QCOMPARE(numbersOf(dialog.differingRecords()), QStringList{"P10.07"});

        child<QRadioButton>(dialog, "radioButton_diffFuncode")->click();
        const M* model = dialog.treeModel();
        QCOMPARE(model->rowCount(), 1);
        const QModelIndex group = model->index(0, 0);
        QCOMPARE(group.data().toString(), QStringLiteral("P10 Limits"));
        QCOMPARE(group.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
        const QModelIndex row = model->index(0, M::COL_B_X + axis, group);
        QCOMPARE(row.data().toString(), QStringLiteral("77"));
        QCOMPARE(row.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
        QVERIFY(!dialog.treeView()->isColumnHidden(M::COL_B_X + axis));
    }

    void codeInOneSourceOnlyIsRedWithEmptyCells()
    {
        QVERIFY(QTestHost::addSelectedDrive("TST3", "A"));
        QVERIFY(QTestHost::addDrive("TSTX", "B"));
        D dialog;
        compareTwoDrives(dialog, "A", "B");
        QCOMPARE(numbersOf(dialog.differingRecords()), QStringList{"P10.05"});
        const tagCompareFuncode_Servo* record = dialog.differingRecords().first();
        QCOMPARE(record->textsA, (QStringList{"5", "5", "5"}));
        QCOMPARE(record->textsB, (QStringList{"", "", ""}));
        QCOMPARE(dialog.modelHeader().size(), 8);
        QVERIFY(dialog.modelHeader().at(M::COL_A_X).contains(QStringLiteral("A")));
    }

    void axisBoxesFollowTheChosenDrive_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QList<bool>>("shown"); // X, Y, Z boxes of source B
        QTest::newRow("one axis") << "TST1" << QList<bool>{true, false, false};
        QTest::newRow("two axes") << "TST2" << QList<bool>{true, true, false};
        QTest::newRow("three axes") << "TST3" << QList<bool>{true, true, true};
    }

    void axisBoxesFollowTheChosenDrive()
    {
        QFETCH(QString, model);
        QFETCH(QList<bool>, shown);
        QVERIFY(QTestHost::addSelectedDrive("TST3", "A"));
        QVERIFY(QTestHost::addDrive(model, "B"));
        D dialog;
        dialog.show();
        chooseDrive(dialog, "comboBox_device2", "B");
        const char* boxes[] = {"checkBox_axisX_2", "checkBox_axisY_2", "checkBox_axisZ_2"};
        for (int axis = 0; axis < 3; ++axis) {
            auto* box = child<QCheckBox>(dialog, boxes[axis]);
            QCOMPARE(box->isVisible(), shown.at(axis));
            QCOMPARE(box->isChecked(), shown.at(axis));
        }
        compareTwoDrives(dialog, "A", "B");
        for (int axis = 0; axis < 3; ++axis) {
            QVERIFY(!dialog.treeView()->isColumnHidden(M::COL_A_X + axis));
            QCOMPARE(dialog.treeView()->isColumnHidden(M::COL_B_X + axis), !shown.at(axis));
        }
        QCOMPARE(dialog.treeView()->header()->defaultSectionSize(), 220);
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
        QVERIFY(QTestHost::addSelectedDrive("TST3", "A"));
        QVERIFY(QTestHost::addDrive("TST3", "B"));
        QTestHost::link("B")->setRawValue("P10.07", 0, 77);
        D dialog;
        compareTwoDrives(dialog, "A", "B");
        if (onlyX) {
            for (const char* name :
                 {"checkBox_axisY_1", "checkBox_axisZ_1", "checkBox_axisY_2", "checkBox_axisZ_2"}) {
                child<QCheckBox>(dialog, name)->setChecked(false);
            }
        }
        if (onlyDiffering) {
            child<QRadioButton>(dialog, "radioButton_diffFuncode")->click();
        }
        const QString path = m_dir.filePath(QStringLiteral("result-%1").arg(QTest::currentDataTag()));
        answerModalDialog([path](QDialog* modal) {
            auto* files = qobject_cast<QFileDialog*>(modal);
            QVERIFY(files);
            files->selectFile(path);
            static_cast<QDialog*>(files)->accept();
        });
        child<QPushButton>(dialog, "btnExport")->click();

        QFile file(path + ".csv");
        QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(file.fileName()));
        const QStringList lines = QString::fromLocal8Bit(file.readAll()).split('\n', Qt::SkipEmptyParts);
        const int valueColumns = onlyX ? 2 : 6;
        const QStringList header = lines.first().split(',');
        QCOMPARE(header.size(), 2 + valueColumns);
        QCOMPARE(header.at(0), key("STR_INDEX"));
        QVERIFY(!lines.first().endsWith(','));
        QCOMPARE(lines.size() - 1, onlyDiffering ? 1 : dialog.allRecords().size());
        for (const QString& line : lines.mid(1)) {
            QVERIFY2(line.endsWith(','), qPrintable(line));
            QCOMPARE(line.count(','), 2 + valueColumns);
        }
        const QString differing = lines.filter(QStringLiteral("P10.07,")).value(0);
        QVERIFY2(differing.startsWith(onlyX ? "P10.07,Limit 7,7,77," : "P10.07,Limit 7,7,7,7,77,7,7,"),
                 qPrintable(differing));
        QCOMPARE(QMyMessageBox::recordedCalls().size(), 1);
        QCOMPARE(QMyMessageBox::recordedCalls().first().kind, QMyMessageBox::Success);
    }

    void printAndExportNeedAComparisonFirst_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("export") << "btnExport";
        QTest::newRow("preview") << "btnPreview";
        QTest::newRow("print") << "btnPrint";
    }

    void printAndExportNeedAComparisonFirst()
    {
        QFETCH(QString, button);
        QVERIFY(QTestHost::addSelectedDrive("TST3", "A"));
        D dialog;
        QCOMPARE(dialog.treeView()->emptyText(), key("STR_COMPARE_CHOOSE_SOURCES"));
        child<QPushButton>(dialog, qPrintable(button))->click();
        QCOMPARE(QMyMessageBox::recordedCalls().size(), 1);
        const QMyMessageBox::Call call = QMyMessageBox::recordedCalls().first();
        QCOMPARE(call.title, key("STR_COMPARE"));
        QVERIFY(call.text.startsWith(key("STR_NO_DATA") + '\n'));
        QVERIFY(call.text.endsWith('!'));
    }

    void printWritesTheComparisonWithDifferencesHighlighted()
    {
        QVERIFY(QTestHost::addSelectedDrive("TST3", "A"));
        QVERIFY(QTestHost::addDrive("TST3", "B"));
        QTestHost::link("B")->setRawValue("P2.01", 1, 1234);
        D dialog;
        compareTwoDrives(dialog, "A", "B");
        QPrinterManager* printer = QSoftCore::getCore()->getPrinterManager();
        const QString pdf = m_dir.filePath("compare.pdf");
        printer->setOutputFileName(pdf);
        child<QPushButton>(dialog, "btnPrint")->click();
        printer->setOutputFileName(QString());
        QVERIFY(QFileInfo(pdf).size() > 0);
        const QString html = printer->toHtml();
        QVERIFY(html.contains(" VS "));
        QVERIFY(html.contains("P2.01"));
        QVERIFY(QMyMessageBox::recordedCalls().isEmpty());

        // The preview is a modal window of its own.
        answerModal([](QWidget* preview) { preview->close(); });
        child<QPushButton>(dialog, "btnPreview")->click();
        QVERIFY(!QApplication::activeModalWidget());
    }

    void presetComparisonHidesTheChoiceAndFilters_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QStringList>("differing");
        QTest::newRow("none") << 0 << QStringList{"P10.05"};
        QTest::newRow("in A") << 1 << QStringList{"P10.05"};
        QTest::newRow("in B") << 2 << QStringList{};
        QTest::newRow("in both") << 3 << QStringList{};
    }

    void presetComparisonHidesTheChoiceAndFilters()
    {
        QFETCH(int, filter);
        QFETCH(QStringList, differing);
        QVERIFY(QTestHost::addSelectedDrive("TST3", "A"));
        QVERIFY(QTestHost::addDrive("TSTX", "B"));
        D dialog;
        dialog.presetComparison("A", "B", D::COMPARE_TWO_DEVICES, filter);
        dialog.show();
        QCOMPARE(numbersOf(dialog.differingRecords()), differing);
        for (const char* name : {"btnCompFuncode", "btnExport", "btnPreview", "btnPrint"}) {
            QVERIFY2(!child<QPushButton>(dialog, name)->isVisible(), name);
        }
        QVERIFY(!child<QGroupBox>(dialog, "groupBox_compType")->isVisible());
        QVERIFY(dialog.treeModel()->rowCount() > 0);
    }

    void driveAgainstItsOwnFileIsEqual()
    {
        QDeviceServo* device = QTestHost::addSelectedDrive("TST3", "A");
        QVERIFY(QTestHost::readAll(device));
        QVERIFY(device->modifyFuncodeValueWithRecord("P2.01", 3.5, 2));
        const QString path = writeDatabaseFile(fileOf(*device), "own.funcodeservo");
        D dialog;
        child<QRadioButton>(dialog, "radioButton_compDeviceVsFile")->click();
        chooseDrive(dialog, "comboBox_device", "A");
        child<QLineEdit>(dialog, "lineEdit_filePath")->setText(path);
        child<QPushButton>(dialog, "btnCompFuncode")->click();
        QVERIFY(QMyMessageBox::recordedCalls().isEmpty());
        QVERIFY(!dialog.allRecords().isEmpty());
        QCOMPARE(numbersOf(dialog.differingRecords()), QStringList());

        // The same file against the drive after an edit on Z: exactly that code differs.
        QVERIFY(device->modifyFuncodeValueWithRecord("P2.01", 4.5, 2));
        dialog.presetComparison(path, "A", D::COMPARE_FILE_DEVICE, 0);
        QCOMPARE(numbersOf(dialog.differingRecords()), QStringList{"P2.01"});
    }

    void driveAgainstItsOwnExportIsEqual_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("comma-separated") << "export.csv";
        QTest::newRow("workbook") << "export.xlsx";
        QTest::newRow("function-code file") << "export.funcodeservo";
    }

    // Written by the export, read back by the readers: equal everywhere, until two values change in the
    // drive; then exactly those two differ.
    void driveAgainstItsOwnExportIsEqual()
    {
        QFETCH(QString, name);
        QDeviceServo* device = QTestHost::addSelectedDrive("TST3", "A");
        QVERIFY(QTestHost::readAll(device));
        QVERIFY(device->modifyFuncodeValueWithRecord("P00.01", 3.15, 1));
        QVERIFY(device->modifyFuncodeValueWithRecord("P00.04", 256, 0));
        const QString path = exportSelectedDrive(name);
        D dialog;
        dialog.presetComparison("A", path, D::COMPARE_DEVICE_FILE, 0);
        QCOMPARE(QMyMessageBox::recordedCalls().size(), 0);
        QCOMPARE(dialog.allRecords().size(), visibleSettingCount(*device));
        QCOMPARE(numbersOf(dialog.differingRecords()), QStringList());

        QVERIFY(device->modifyFuncodeValueWithRecord("P10.05", 42, 2));
        QVERIFY(device->modifyFuncodeValueWithRecord("P2.01", 4.5, 1));
        dialog.presetComparison("A", path, D::COMPARE_DEVICE_FILE, 0);
        QCOMPARE(numbersOf(dialog.differingRecords()), (QStringList{"P2.01", "P10.05"}));
    }

    void unreadableFilesAreToldAndCompareNothing_data()
    {
        QTest::addColumn<QString>("file");     // how the file is made
        QTest::addColumn<bool>("readerError"); // the message names the reader's error
        QTest::newRow("empty path") << "" << false;
        QTest::newRow("missing database file") << "missing.funcodeservo" << true;
        QTest::newRow("not a database") << "garbage.funcodeservo" << true;
        QTest::newRow("refused device text") << "refused.funcodeservo" << false;
        QTest::newRow("no device in it") << "empty.funcodeservo" << true;
        QTest::newRow("missing csv") << "missing.csv" << true;
        QTest::newRow("garbage csv") << "garbage.csv" << true;
        QTest::newRow("garbage workbook") << "garbage.xlsx" << true;
    }

    void unreadableFilesAreToldAndCompareNothing()
    {
        QFETCH(QString, file);
        QFETCH(bool, readerError);
        QDeviceServo* device = QTestHost::addSelectedDrive("TST3", "A");
        const QString path = file.isEmpty() ? QString() : m_dir.filePath(file);
        if (file.startsWith("garbage")) {
            QFile garbage(path);
            QVERIFY(garbage.open(QIODevice::WriteOnly));
            garbage.write(QByteArray(4096, 'x'));
        } else if (file.startsWith("refused")) {
            tagExportDevInfo_Servo info = fileOf(*device);
            info.devText = "KX100_1.00";
            writeDatabaseFile(info, file);
        } else if (file.startsWith("empty")) {
            QExportDB_Servo database;
            QVERIFY(database.writeFile(path, {}));
        }
        D dialog;
        dialog.presetComparison("A", path, D::COMPARE_DEVICE_FILE, 0);
        QCOMPARE(QMyMessageBox::recordedCalls().size(), 1);
        const QMyMessageBox::Call call = QMyMessageBox::recordedCalls().first();
        QCOMPARE(call.title, key("STR_COMPARE"));
        QVERIFY2(call.text.startsWith(key("STR_OPEN_FILE_FAILED") + '\n' + path), qPrintable(call.text));
        const QString reason = QFuncodeHelperBase::getErrorStr(QFuncodeHelperBase::lastError());
        QCOMPARE(call.text.contains(key("STR_ERROR CODE")) && call.text.contains(reason), readerError);
        QVERIFY(dialog.allRecords().isEmpty());
        QCOMPARE(dialog.treeModel()->rowCount(), 0);
        QVERIFY(!file.startsWith("missing") || !QFile::exists(path)); // looking does not create it
    }

    void fileNeedsASelectedDrive()
    {
        QVERIFY(QTestHost::addDrive("TST3", "A"));
        D dialog;
        dialog.presetComparison(m_dir.filePath("a.funcodeservo"), m_dir.filePath("b.funcodeservo"),
                                D::COMPARE_TWO_FILES, 0);
        QCOMPARE(QMyMessageBox::recordedCalls().size(), 1);
        QCOMPARE(QMyMessageBox::recordedCalls().first().text, key("STR_NOTSELECT_DEVICE"));
    }

    void contextMenuActsOnTheGroupUnderTheMouse()
    {
        QVERIFY(QTestHost::addSelectedDrive("TST3", "A"));
        D dialog;
        dialog.resize(1000, 700);
        dialog.show();
        compareTwoDrives(dialog, "A", "A");
        QFuncodeCompareTreeView_Servo* view = dialog.treeView();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QModelIndex first = dialog.treeModel()->index(0, 0);
        QVERIFY(view->isExpanded(first));

        // Right click on empty space: the menu opens and every action then does nothing.
        view->setCurrentIndex(QModelIndex());
        view->SlotOnCollapseAll();
        QVERIFY(view->isExpanded(first));
        QTimer::singleShot(50, view->contextMenu(), &QMenu::close);
        QContextMenuEvent event(QContextMenuEvent::Mouse, view->visualRect(first).center());
        QApplication::sendEvent(view->viewport(), &event);
        QCOMPARE(view->currentIndex(), first);
        view->SlotOnCollapse();
        QVERIFY(!view->isExpanded(first));
        view->SlotOnExpand();
        QVERIFY(view->isExpanded(first));
        view->SlotOnCollapseAll();
        QVERIFY(!view->isExpanded(dialog.treeModel()->index(1, 0)));
        view->SlotOnExpandAll();
        QVERIFY(view->isExpanded(dialog.treeModel()->index(1, 0)));
        QCOMPARE(view->contextMenu()->actions().size(), 4);
        QCOMPARE(view->objectName(), QStringLiteral("CompareFuncode"));
    }
};

QTEST_MAIN(tst_QFuncodeCompareDialog_Servo)
#include "tst_QFuncodeCompareDialog_Servo.moc"
