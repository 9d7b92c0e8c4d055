#include "QFuncodeCompareDialog_Servo.h"

#include "QCompareSourceLoader_Servo.h"
#include "QFuncodeCompareReport_Servo.h"
#include "QFuncodeCompareTreeModel_Servo.h"
#include "QFuncodeCompareTreeView_Servo.h"
#include "ui_QFuncodeCompareDialog_Servo.h"

#include "QConfigDB_Servo.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QMyMessageBox.h"
#include "QParameterFingerprint_Servo.h"
#include "QPrinterManager.h"
#include "QProjectCore.h"
#include "QSaveAsDialog.h"
#include "QSoftCore.h"

#include <QButtonGroup>
#include <QDebug>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QStatusBar>

namespace {
const int kShownAxes = 3;

QDeviceManager* devMgr()
{
    return QProjectCore::self()->getDevMgr();
}

QList<tagCompareFuncode_Servo*> rawPointers(const QList<tagCompareFuncodePtr_Servo>& records)
{
    QList<tagCompareFuncode_Servo*> pointers;
    pointers.reserve(records.size());
    for (const tagCompareFuncodePtr_Servo& record : records) {
        pointers.append(record.data());
    }
    return pointers;
}

// The axis count of a drive model as the configuration database knows it (0: unknown).
int axisNumOfModel(const QString& model)
{
    return QDatabaseManager::self()->getConfigDatabase_Servo()->getAxisNum(model);
}
} // namespace

QFuncodeCompareDialog_Servo::QFuncodeCompareDialog_Servo(QWidget* parent)
    : QBaseDlg(parent), ui(std::make_unique<Ui::QFuncodeCompareDialog_Servo>())
{
    ui->setupUi(this);
    setTitle(tr("STR_COMPARE"));
    showMaxBtn(true);
    setPermitDefaultResize(true);
    resize(getAdjustSize());
    setUpWidgets();
    connectWidgets();

    ui->radioButton_comp2Devices->setChecked(true);
    on_radioButton_comp2Devices_clicked();
    ui->radioButton_allFuncode->setChecked(true);
    m_view->setEmptyText(tr("STR_COMPARE_CHOOSE_SOURCES"));
    applyColumns();
}

QFuncodeCompareDialog_Servo::~QFuncodeCompareDialog_Servo()
{
    // The tree points into the records: empty it before they go.
    m_model->setCompareData({});
}

void QFuncodeCompareDialog_Servo::setUpWidgets()
{
    m_model = new QFuncodeCompareTreeModel_Servo(this);
    m_view = new QFuncodeCompareTreeView_Servo(this);
    m_view->setModel(m_model);
    ui->vLayoutTreeView_Servo->addWidget(m_view);
    m_fingerprints = new QLabel(this);
    m_fingerprints->setObjectName(QStringLiteral("FINGERPRINTS"));
    m_fingerprints->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ui->vLayoutTreeView_Servo->addWidget(m_fingerprints);
    m_statusBar = new QStatusBar(this);
    m_statusBar->setSizeGripEnabled(false);
    ui->vLayoutTreeView_Servo->addWidget(m_statusBar);
    // Auto-exclusive radio buttons would also exclude those of nested widgets: group each choice.
    auto* kinds = new QButtonGroup(this);
    for (QRadioButton* button :
         {ui->radioButton_comp2Devices, ui->radioButton_compDeviceVsFile, ui->radioButton_comp2Files}) {
        kinds->addButton(button);
    }
    auto* shown = new QButtonGroup(this);
    shown->addButton(ui->radioButton_allFuncode);
    shown->addButton(ui->radioButton_diffFuncode);
    m_axisBoxes = {ui->checkBox_axisX_1, ui->checkBox_axisY_1, ui->checkBox_axisZ_1,
                   ui->checkBox_axisX_2, ui->checkBox_axisY_2, ui->checkBox_axisZ_2};
    // Every axis is compared in view until the user unticks one.
    for (QCheckBox* box : qAsConst(m_axisBoxes)) {
        box->setChecked(true);
    }
    const QList<QWidget*> pointing{ui->comboBox_device,     ui->comboBox_device1,    ui->comboBox_device2,
                                   ui->btnCompFuncode,      ui->btnPreview,          ui->btnPrint,
                                   ui->btnExport,           ui->pushButton_filePath, ui->pushButton_openFile1,
                                   ui->pushButton_openFile2};
    for (QWidget* widget : pointing) {
        widget->setCursor(Qt::PointingHandCursor);
    }
}

void QFuncodeCompareDialog_Servo::connectWidgets()
{
    for (QCheckBox* box : qAsConst(m_axisBoxes)) {
        connect(box, &QCheckBox::stateChanged, this, &QFuncodeCompareDialog_Servo::on_checkBox);
    }
    // Drives added to or removed from the project show up in the choice at once.
    connect(devMgr(), &QDeviceManager::SigAddDev, this, &QFuncodeCompareDialog_Servo::refreshDeviceChoice);
    connect(devMgr(), &QDeviceManager::SigDelDev, this, &QFuncodeCompareDialog_Servo::refreshDeviceChoice);
    connect(ui->comboBox_device, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &QFuncodeCompareDialog_Servo::OnSelectFont);
    connect(ui->comboBox_device1, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &QFuncodeCompareDialog_Servo::OnSelectFont1);
    connect(ui->comboBox_device2, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &QFuncodeCompareDialog_Servo::OnSelectFont2);
}

// ---------------------------------------------------------------- choosing the sources

void QFuncodeCompareDialog_Servo::fillDeviceList()
{
    m_driveAxes.clear();
    for (const QSharedPointer<QDeviceBase>& device : devMgr()->getDevListOrderByShowName()) {
        const QDeviceServo* servo = devMgr()->getDeviceServo(device->getAliasName());
        if (!servo) {
            continue;
        }
        const int axes = axisNumOfModel(servo->getDevName());
        m_driveAxes.insert(servo->getAliasName(), axes > 0 ? axes : servo->getAxisNum());
    }
}

// Every drive of the project but `except`; the current entry stays `keep` when it is still offered,
// else it is the drive selected in the project (the first entry when that one is not offered).
void QFuncodeCompareDialog_Servo::fillDeviceCombo(QComboBox* combo, const QString& keep,
                                                  const QString& except)
{
    const QSignalBlocker blocker(combo);
    combo->clear();
    for (const QSharedPointer<QDeviceBase>& device : devMgr()->getDevListOrderByShowName()) {
        const QString alias = device->getAliasName();
        if (m_driveAxes.contains(alias) && alias != except) {
            combo->addItem(device->getShowNameByShowType(false), alias);
        }
    }
    const int kept = combo->findData(keep);
    const int selected = combo->findData(devMgr()->getSelectAlias());
    combo->setCurrentIndex(kept >= 0 ? kept : qMax(0, selected));
}

void QFuncodeCompareDialog_Servo::on_radioButton_comp2Devices_clicked()
{
    showKindPage(PAGE_TWO_DEVICES);
    fillDeviceList();
    fillDeviceCombo(ui->comboBox_device1, ui->comboBox_device1->currentData().toString());
    fillPartnerCombo();
    onDeviceChosen(ui->comboBox_device1, SIDE_A);
    onDeviceChosen(ui->comboBox_device2, SIDE_B);
}

// Source B offers every drive but source A. It stays on the drive chosen before when that one is still
// offered and of A's model; otherwise it is the first other drive of A's model, or the first drive offered.
void QFuncodeCompareDialog_Servo::fillPartnerCombo()
{
    QComboBox* combo = ui->comboBox_device2;
    const QString first = ui->comboBox_device1->currentData().toString();
    const QString before = combo->currentData().toString();
    fillDeviceCombo(combo, QString(), first);
    const QSignalBlocker blocker(combo);
    const QString model = modelOfDrive(first);
    if (combo->findData(before) >= 0 && modelOfDrive(before) == model) {
        combo->setCurrentIndex(combo->findData(before));
        return;
    }
    for (int index = 0; index < combo->count(); ++index) {
        if (modelOfDrive(combo->itemData(index).toString()) == model) {
            combo->setCurrentIndex(index);
            return;
        }
    }
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

QString QFuncodeCompareDialog_Servo::modelOfDrive(const QString& alias)
{
    const QDeviceServo* device = devMgr()->getDeviceServo(alias);
    return device ? device->getDevName() : QString();
}

void QFuncodeCompareDialog_Servo::refreshDeviceChoice()
{
    if (m_busy || !ui->stackedWidget_compType->isVisibleTo(this)) {
        return;
    }
    if (ui->radioButton_comp2Devices->isChecked()) {
        on_radioButton_comp2Devices_clicked();
    } else if (ui->radioButton_compDeviceVsFile->isChecked()) {
        on_radioButton_compDeviceVsFile_clicked();
    }
}

void QFuncodeCompareDialog_Servo::on_radioButton_comp2Files_clicked()
{
    showKindPage(PAGE_TWO_FILES);
}

void QFuncodeCompareDialog_Servo::on_radioButton_compDeviceVsFile_clicked()
{
    showKindPage(PAGE_DEVICE_FILE);
    fillDeviceList();
    fillDeviceCombo(ui->comboBox_device, ui->comboBox_device->currentData().toString());
    onDeviceChosen(ui->comboBox_device, SIDE_A);
}

// A result of another kind of comparison no longer belongs to the sources shown: it goes.
void QFuncodeCompareDialog_Servo::showKindPage(int page)
{
    if (ui->stackedWidget_compType->currentIndex() == page) {
        return;
    }
    ui->stackedWidget_compType->setCurrentIndex(page);
    if (!m_modelHeader.isEmpty()) {
        clearResult();
        showResult();
    }
}

void QFuncodeCompareDialog_Servo::OnSelectFont(int idx)
{
    Q_UNUSED(idx)
    onDeviceChosen(ui->comboBox_device, SIDE_A);
}

void QFuncodeCompareDialog_Servo::OnSelectFont1(int idx)
{
    Q_UNUSED(idx)
    onDeviceChosen(ui->comboBox_device1, SIDE_A);
    fillPartnerCombo();
    onDeviceChosen(ui->comboBox_device2, SIDE_B);
}

void QFuncodeCompareDialog_Servo::OnSelectFont2(int idx)
{
    Q_UNUSED(idx)
    onDeviceChosen(ui->comboBox_device2, SIDE_B);
}

void QFuncodeCompareDialog_Servo::onDeviceChosen(QComboBox* combo, int side)
{
    const QString alias = combo->currentData(Qt::UserRole).toString();
    if (alias.isEmpty()) {
        return;
    }
    setSideAxisCount(side, m_driveAxes.value(alias));
}

// Shows the Y and Z boxes of a side only where the source has those axes (all three when not known). A box
// keeps the user's tick while it is hidden, so that a column unticked once stays away through later
// comparisons and choices.
void QFuncodeCompareDialog_Servo::setSideAxisCount(int side, int axisNum)
{
    const int shown = axisNum > 0 ? qMin(axisNum, kShownAxes) : kShownAxes;
    for (int axis = 0; axis < kShownAxes; ++axis) {
        const int box = side * kShownAxes + axis;
        m_axisOffered[box] = axis < shown;
        m_axisBoxes.at(box)->setVisible(axis < shown);
    }
    applyColumns();
}

void QFuncodeCompareDialog_Servo::setSideAxesFromDevText(int side, const QString& devText)
{
    setSideAxisCount(side, axisNumOfModel(QFuncodeComparer_Servo::modelOf(devText)));
}

bool QFuncodeCompareDialog_Servo::isAxisShown(int box) const
{
    return m_axisOffered[size_t(box)] && m_axisBoxes.at(box)->isChecked();
}

void QFuncodeCompareDialog_Servo::on_checkBox(int check)
{
    Q_UNUSED(check)
    applyColumns();
}

void QFuncodeCompareDialog_Servo::applyColumns()
{
    for (int box = 0; box < m_axisBoxes.size(); ++box) {
        const int column = box + QFuncodeCompareTreeModel_Servo::COL_A_X;
        if (isAxisShown(box)) {
            m_view->showColumnAt(column);
        } else {
            m_view->hideColumnAt(column);
        }
    }
    m_view->resetSectionSize();
}

void QFuncodeCompareDialog_Servo::chooseFile(QLineEdit* edit)
{
    const QString path =
        QFileDialog::getOpenFileName(this, tr("STR_OPEN"), QString(), tr("STR_COMPARE_FILE_FILTER"));
    // Cancelled: the file chosen before stays.
    if (path.isEmpty()) {
        return;
    }
    edit->setText(path);
}

void QFuncodeCompareDialog_Servo::on_pushButton_filePath_clicked()
{
    chooseFile(ui->lineEdit_filePath);
}

void QFuncodeCompareDialog_Servo::on_pushButton_openFile1_clicked()
{
    chooseFile(ui->lineEdit_filePath1);
}

void QFuncodeCompareDialog_Servo::on_pushButton_openFile2_clicked()
{
    chooseFile(ui->lineEdit_filePath2);
}

// ---------------------------------------------------------------- comparing

void QFuncodeCompareDialog_Servo::clearResult()
{
    m_model->setCompareData({});
    m_result = QFuncodeComparer_Servo::Result();
    m_sources[SIDE_A] = tagCompareSource_Servo();
    m_sources[SIDE_B] = tagCompareSource_Servo();
    m_modelHeader.clear();
    m_fingerprints->clear();
    m_statusBar->clearMessage();
}

void QFuncodeCompareDialog_Servo::on_btnCompFuncode_clicked()
{
    if (m_busy) {
        return;
    }
    clearResult();
    if (ui->radioButton_comp2Devices->isChecked()) {
        const QString a = ui->comboBox_device1->currentData().toString();
        const QString b = ui->comboBox_device2->currentData().toString();
        // Asked before the drives are read, which takes a while.
        if (confirmModels(ui->comboBox_device1->currentText(), modelOfDrive(a),
                          ui->comboBox_device2->currentText(), modelOfDrive(b))) {
            runComparison(COMPARE_TWO_DEVICES, a, b);
        }
    } else if (ui->radioButton_compDeviceVsFile->isChecked()) {
        runComparison(COMPARE_DEVICE_FILE, ui->comboBox_device->currentData().toString(),
                      ui->lineEdit_filePath->text());
    } else {
        runComparison(COMPARE_TWO_FILES, ui->lineEdit_filePath1->text(), ui->lineEdit_filePath2->text());
    }
    showResult();
}

void QFuncodeCompareDialog_Servo::presetComparison(const QString& keyA, const QString& keyB, int kind,
                                                   int presenceFilter)
{
    ui->groupBox_compType->hide();
    ui->stackedWidget_compType->hide();
    ui->btnCompFuncode->hide();
    ui->btnExport->hide();
    ui->btnPreview->hide();
    ui->btnPrint->hide();
    m_preset = true;
    m_presenceFilter = presenceFilter;
    clearResult();
    runComparison(kind, keyA, keyB);
    showResult();
}

bool QFuncodeCompareDialog_Servo::runComparison(int kind, const QString& keyA, const QString& keyB, bool read)
{
    setBusy(true);
    bool loaded = false;
    switch (kind) {
    case COMPARE_TWO_FILES:
        loaded = loadFile(SIDE_A, keyA) && loadFile(SIDE_B, keyB);
        break;
    case COMPARE_DEVICE_FILE:
        loaded = loadDrive(SIDE_A, keyA, read) && loadFile(SIDE_B, keyB);
        break;
    case COMPARE_FILE_DEVICE:
        loaded = loadFile(SIDE_A, keyA) && loadDrive(SIDE_B, keyB, read);
        break;
    case COMPARE_TWO_DEVICES:
        // A drive compared with itself is read once.
        loaded = loadDrive(SIDE_A, keyA, read) && loadDrive(SIDE_B, keyB, read && keyB != keyA);
        break;
    default:
        break;
    }
    // Two drives were asked about before they were read; a file's model is known once it is read; a
    // comparison made again (after a language change) was agreed to before.
    const bool asked = kind == COMPARE_TWO_DEVICES || m_preset || !read;
    const bool compared =
        loaded &&
        (asked || confirmModels(m_sources[SIDE_A].title, modelOfSource(m_sources[SIDE_A]),
                                m_sources[SIDE_B].title, modelOfSource(m_sources[SIDE_B]))) &&
        compareSources();
    m_lastKind = kind;
    m_lastKeyA = keyA;
    m_lastKeyB = keyB;
    setBusy(false);
    return compared;
}

void QFuncodeCompareDialog_Servo::compareAgain()
{
    if (m_busy || m_modelHeader.isEmpty()) {
        return;
    }
    const int kind = m_lastKind;
    const QString keyA = m_lastKeyA;
    const QString keyB = m_lastKeyB;
    clearResult();
    runComparison(kind, keyA, keyB, false);
    showResult();
}

// The codes of two models are not meant to match: such a comparison is made only when the user wants it.
bool QFuncodeCompareDialog_Servo::confirmModels(const QString& nameA, const QString& modelA,
                                                const QString& nameB, const QString& modelB)
{
    // A source not chosen is told about when it is loaded.
    if (modelA.isEmpty() || modelB.isEmpty() || canonicalModel(modelA) == canonicalModel(modelB)) {
        return true;
    }
    const QString text = tr("STR_COMPARE_MODELS_DIFFER").arg(nameA, modelA, nameB, modelB);
    return QMyMessageBox::question(this, tr("STR_COMPARE"), text) == 1;
}

QString QFuncodeCompareDialog_Servo::modelOfSource(const tagCompareSource_Servo& source)
{
    return QFuncodeComparer_Servo::modelOf(source.devText);
}

// A file may carry a name the model had before.
QString QFuncodeCompareDialog_Servo::canonicalModel(const QString& model)
{
    const QDriveCatalogue* catalogue = QProjectCore::self()->getCatalogue();
    if (!catalogue || catalogue->model(model)) {
        return model;
    }
    for (const QDriveModelPtr& known : catalogue->models()) {
        if (known->renamedFrom.contains(model)) {
            return known->modelName;
        }
    }
    return model;
}

bool QFuncodeCompareDialog_Servo::loadDrive(int side, const QString& alias, bool read)
{
    QCompareSourceLoader_Servo loader(this);
    if (!loader.loadDrive(alias, read, &m_sources[side])) {
        QMyMessageBox::information(this, tr("STR_COMPARE"), tr("STR_COMPARE_CHOOSE_DEVICE"));
        return false;
    }
    setSideAxisCount(side, m_sources[side].axisNum);
    return true;
}

bool QFuncodeCompareDialog_Servo::loadFile(int side, const QString& path)
{
    QCompareSourceLoader_Servo loader(this);
    if (!loader.loadFile(path, &m_sources[side])) {
        return false;
    }
    setSideAxesFromDevText(side, m_sources[side].devText);
    return true;
}

bool QFuncodeCompareDialog_Servo::compareSources()
{
    const tagCompareSource_Servo& a = m_sources[SIDE_A];
    const tagCompareSource_Servo& b = m_sources[SIDE_B];
    m_labelA = a.title + QStringLiteral("(%1)").arg(a.name);
    m_labelB = b.title + QStringLiteral("(%1)").arg(b.name);
    if (a.groupMap.isEmpty() || b.groupMap.isEmpty()) {
        QMyMessageBox::information(this, tr("STR_COMPARE"), tr("STR_OPEN_FILE_FAILED"));
        return false;
    }
    m_result = QFuncodeComparer_Servo::compare(a, b, m_presenceFilter);
    m_modelHeader = QStringList{tr("STR_INDEX"), tr("STR_FUNCODE_NAME")};
    for (const QString& label : {m_labelA, m_labelB}) {
        for (const char* axis : {"STR_AXISX", "STR_AXISY", "STR_AXISZ"}) {
            m_modelHeader << QStringLiteral("%1(%2)").arg(tr(axis), label);
        }
    }
    return true;
}

void QFuncodeCompareDialog_Servo::showResult()
{
    m_model->setHeader(m_modelHeader);
    showRecords();
    applyColumns();
    if (!m_modelHeader.isEmpty()) {
        const int notCompared = m_result.notCompared.size();
        QString summary =
            tr("STR_COMPARE_SUMMARY").arg(m_result.all.size()).arg(m_result.differing.size() - notCompared);
        if (notCompared > 0) {
            summary += QLatin1Char(' ') + tr("STR_COMPARE_NOT_READ_COUNT").arg(notCompared);
        }
        m_statusBar->showMessage(summary);
        // So that two drives, or a drive and a file, are seen at a glance to hold the same set.
        m_fingerprints->setText(QStringLiteral("%1: %2\n%3: %4")
                                    .arg(m_labelA,
                                         QParameterFingerprint_Servo::describe(
                                             QParameterFingerprint_Servo::ofSource(m_sources[SIDE_A])),
                                         m_labelB,
                                         QParameterFingerprint_Servo::describe(
                                             QParameterFingerprint_Servo::ofSource(m_sources[SIDE_B]))));
    }
}

void QFuncodeCompareDialog_Servo::showRecords()
{
    const bool onlyDiffering = ui->radioButton_diffFuncode->isChecked();
    if (m_modelHeader.isEmpty()) {
        m_view->setEmptyText(tr("STR_COMPARE_CHOOSE_SOURCES"));
    } else {
        m_view->setEmptyText(onlyDiffering ? tr("STR_COMPARE_NOTHING_DIFFERS") : QString());
    }
    m_model->setCompareData(rawPointers(onlyDiffering ? m_result.differing : m_result.all));
    m_view->expandAll();
}

QList<tagCompareFuncode_Servo*> QFuncodeCompareDialog_Servo::allRecords() const
{
    return rawPointers(m_result.all);
}

QList<tagCompareFuncode_Servo*> QFuncodeCompareDialog_Servo::differingRecords() const
{
    return rawPointers(m_result.differing);
}

void QFuncodeCompareDialog_Servo::on_radioButton_allFuncode_clicked()
{
    showRecords();
}

void QFuncodeCompareDialog_Servo::on_radioButton_diffFuncode_clicked()
{
    showRecords();
}

void QFuncodeCompareDialog_Servo::setBusy(bool busy)
{
    m_busy = busy;
    for (QWidget* widget : QList<QWidget*>{ui->btnCompFuncode, ui->btnPreview, ui->btnPrint, ui->btnExport,
                                           ui->groupBox_compType, ui->stackedWidget_compType}) {
        widget->setEnabled(!busy);
    }
}

// ---------------------------------------------------------------- export and print

QList<int> QFuncodeCompareDialog_Servo::checkedColumns() const
{
    QList<int> columns;
    for (int box = 0; box < m_axisBoxes.size(); ++box) {
        if (isAxisShown(box)) {
            columns.append(box + QFuncodeCompareTreeModel_Servo::COL_A_X);
        }
    }
    return columns;
}

std::unique_ptr<QFuncodeCompareReport_Servo> QFuncodeCompareDialog_Servo::makeReport()
{
    if (m_modelHeader.isEmpty()) {
        QMyMessageBox::information(this, tr("STR_COMPARE"),
                                   tr("STR_NO_DATA") + QLatin1Char('\n') + tr("STR_COMPARE_FIRST") +
                                       tr("STR_COMPARE") + tr("STR_BUTTON") + QLatin1Char('!'));
        return nullptr;
    }
    const bool onlyDiffering = ui->radioButton_diffFuncode->isChecked();
    return std::make_unique<QFuncodeCompareReport_Servo>(
        m_modelHeader, checkedColumns(), rawPointers(onlyDiffering ? m_result.differing : m_result.all));
}

void QFuncodeCompareDialog_Servo::on_btnExport_clicked()
{
    const std::unique_ptr<QFuncodeCompareReport_Servo> report = makeReport();
    if (!report) {
        return;
    }
    const QString path =
        QSaveAsDialog::getSaveFileName(this, tr("STR_SAVE_AS"), QString(), tr("STR_COMPARE_CSV_FILTER"));
    if (path.isEmpty()) {
        return;
    }
    QString error;
    if (!report->writeCsv(path, &error)) {
        qDebug() << "Open file failed!";
        QMyMessageBox::information(this, tr("STR_EXPORT"),
                                   tr("STR_OPEN_FILE_FAILED") + QStringLiteral("\n%1\n%2").arg(path, error));
        return;
    }
    QMyMessageBox::success(this, tr("STR_EXPORT"), tr("STR_EXPORT_SUCCESS").arg(path),
                           tr("STR_EXPORT_DETAIL_ROWS").arg(report->rows().size()));
}

void QFuncodeCompareDialog_Servo::print(bool preview)
{
    const std::unique_ptr<QFuncodeCompareReport_Servo> report = makeReport();
    if (!report || report->isEmpty()) {
        return;
    }
    m_statusBar->showMessage(tr("STR_COMPARE_PRINT_LOADING"));
    QPrinterManager* printer = QSoftCore::getCore()->getPrinterManager();
    report->compose(printer, QStringLiteral("%1 VS %2").arg(m_labelA, m_labelB));
    const bool printed =
        preview ? printer->printWithPreview(QPrinter::Landscape) : printer->printDirect(QPrinter::Landscape);
    if (!printed && !printer->errorString().isEmpty()) {
        QMyMessageBox::warning(this, tr("STR_PRINT"), printer->errorString());
    }
    m_statusBar->showMessage(tr("STR_COMPARE_PRINT_DONE"));
}

void QFuncodeCompareDialog_Servo::on_btnPreview_clicked()
{
    print(true);
}

void QFuncodeCompareDialog_Servo::on_btnPrint_clicked()
{
    print(false);
}

void QFuncodeCompareDialog_Servo::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        setTitle(tr("STR_COMPARE"));
        compareAgain(); // the result holds the drives' texts of the language it was made in
    }
    QBaseDlg::changeEvent(event);
}
