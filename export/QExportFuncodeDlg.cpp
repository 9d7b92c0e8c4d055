#include "QExportFuncodeDlg.h"
#include "ui_QExportFuncodeDlg.h"

#include "QBatchReadWrite_Servo.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDownloadTreeModel.h"
#include "QExportReport_Servo.h"
#include "QFuncodeFileWriter_Servo.h"
#include "QFuncodeHelper_Servo.h"
#include "QMyMessageBox.h"
#include "QPrinterManager.h"
#include "QProjectCore.h"
#include "QSaveAsDialog.h"
#include "QScreenManager.h"
#include "QSoftCore.h"
#include "QUnknownValueCheck_Servo.h"
#include "TreeItem.h"

#include <QCheckBox>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>
#include <QSaveFile>
#include <QSet>
#include <QSpacerItem>
#include <QTextStream>

namespace {
QString& lastDirectory()
{
    static QString dir = QStringLiteral(".");
    return dir;
}

constexpr int kColumnAxisY = 3;
constexpr int kColumnAxisZ = 4;
} // namespace

QExportFuncodeDlg::QExportFuncodeDlg(const QString& aliasName, const QStringList& focusNumbers, int mode,
                                     QWidget* parent)
    : QBaseDlg(parent), ui(new Ui::QExportFuncodeDlg), m_mode(mode), m_aliasName(aliasName),
      m_focusNumbers(focusNumbers)
{
    ui->setupUi(this);
    setPermitDefaultResize(true);
    m_model = new QDownloadTreeModel(headerTexts(), false, this);
    m_model->setDeviceAlias(aliasName);
    m_model->setTopTitle(focusNumbers.isEmpty() ? tr("STR_FUNCODE") : tr("STR_MONITOR_FUNCODE"));
    load();
    ui->treeView->setModel(m_model);
    ui->treeView->expandToDepth(0);
    ui->treeView->header()->setDefaultSectionSize(200);
    ui->treeView->header()->setSectionResizeMode(QHeaderView::Interactive);
    // Group titles and page names are longer than code numbers.
    ui->treeView->fitFirstColumn(280);
    QDeviceServo* servo = device();
    fitColumns(servo);
    addControls(servo);
    expand();
    updateButtons();
}

QExportFuncodeDlg::~QExportFuncodeDlg()
{
    delete ui;
}

QStringList QExportFuncodeDlg::headerTexts() const
{
    QStringList headers{tr("STR_SELECT"), tr("STR_NAME")};
    for (const char* letter : {"X", "Y", "Z"}) {
        headers << QStringLiteral("%1(%2)").arg(tr("STR_CUR_VAL"), QLatin1String(letter));
    }
    headers << tr("STR_DEFAULT_VAL");
    return headers;
}

QStringList QExportFuncodeDlg::otherPageNames()
{
    const QDeviceServo* servo = QProjectCore::self()->getDevMgr()->getSelectServo();
    if (!servo) {
        return QStringList();
    }
    QStringList pages{tr("STR_SORTED_FUNCODE_MODIFY"), tr("STR_MODIFY_RECORD"), tr("STR_MONITOR_FUNCODE"),
                      tr("STR_COMPARE_DEFAULT"), tr("STR_CURRENT_FAULT")};
    if (!servo->isDeviceType(QStringLiteral("KV905"))) {
        pages << tr("STR_HIS_FAULT");
    }
    return pages;
}

QString QExportFuncodeDlg::lastExportDir()
{
    return lastDirectory();
}

void QExportFuncodeDlg::setLastExportDir(const QString& dir)
{
    lastDirectory() = dir;
}

void QExportFuncodeDlg::load()
{
    tagExportFuncodeList_Servo rows = QFuncodeHelper_Servo::getServoExportFuncodeList(false);
    if (!m_focusNumbers.isEmpty()) {
        const QSet<QString> wanted(m_focusNumbers.cbegin(), m_focusNumbers.cend());
        tagExportFuncodeList_Servo kept;
        for (const tagExportFuncodePtr_Servo& row : qAsConst(rows)) {
            if (wanted.contains(row->funIndex)) {
                kept.append(row);
            }
        }
        rows = kept;
    }
    m_model->load(rows);
    if (!m_firstLoad || !m_focusNumbers.isEmpty()) {
        return;
    }
    tagExportFuncodeList_Servo pages;
    for (const QString& name : otherPageNames()) {
        tagExportFuncodePtr_Servo page(new tagExportFuncode_Servo);
        page->funIndex = name;
        pages.append(page);
    }
    m_model->loadOthers(pages);
    m_firstLoad = false;
}

QDeviceServo* QExportFuncodeDlg::device() const
{
    return QProjectCore::self()->getDevMgr()->getDeviceServo(m_aliasName);
}

void QExportFuncodeDlg::fitColumns(const QDeviceServo* servo)
{
    if (!servo) {
        return;
    }
    ui->treeView->setColumnHidden(kColumnAxisY, servo->getAxisNum() < 2);
    ui->treeView->setColumnHidden(kColumnAxisZ, servo->getAxisNum() < 3);
    const int wanted = ui->treeView->columnsWidthButLast() + 80;
    if (width() < wanted && wanted < QScreenManager::self()->availableGeometry(this).width()) {
        resize(wanted, height());
    }
}

QPushButton* QExportFuncodeDlg::addButton(const char* objectName, const char* key,
                                          void (QExportFuncodeDlg::*slot)())
{
    auto* button = new QPushButton(tr(key), this);
    button->setObjectName(QLatin1String(objectName));
    button->setFixedSize(100, 35);
    button->setToolTip(button->text());
    button->setCursor(Qt::PointingHandCursor);
    connect(button, &QPushButton::clicked, this, slot);
    ui->horizontalLayout->addWidget(button);
    return button;
}

void QExportFuncodeDlg::addControls(const QDeviceServo* servo)
{
    m_selectDiffButton = new QPushButton(tr("STR_SELECT_DIFF_FUNCODE"), this);
    m_selectDiffButton->setObjectName(QStringLiteral("btnSelectDiff"));
    m_selectDiffButton->setFixedHeight(35);
    connect(m_selectDiffButton, &QPushButton::clicked, this, &QExportFuncodeDlg::OnSelectDiff);
    ui->horizontalLayout->addWidget(m_selectDiffButton);
    m_diffBox = new QCheckBox(tr("STR_DIFF_FUNCODE"), this);
    m_diffBox->setObjectName(QStringLiteral("checkBoxDiff"));
    connect(m_diffBox, &QCheckBox::stateChanged, this, [this](int state) { OnShowDiff(state != 0); });
    ui->horizontalLayout->addWidget(m_diffBox);
    ui->horizontalLayout->addSpacerItem(
        new QSpacerItem(20, 10, QSizePolicy::Expanding, QSizePolicy::Minimum));
    if (!servo) {
        return;
    }
    const QString job = m_mode == MODE_EXPORT ? tr("STR_EXPORT") : tr("STR_PRINT");
    setTitle(QStringLiteral("%1 (%2)").arg(job, servo->getShowNameByShowType(false)));
    if (m_mode == MODE_EXPORT) {
        m_exportButton = addButton("btnExportSelected", "STR_EXPORT_SELECTED", &QExportFuncodeDlg::OnOk);
        m_fileButton = addButton("btnExportFuncodeFile", "STR_EXPORT_FUNCODE_FILE",
                                 &QExportFuncodeDlg::OnWriteFuncodeFile);
        m_fileButton->setFixedWidth(140);
    } else {
        m_previewButton = addButton("btnPreview", "STR_PREVIEW", &QExportFuncodeDlg::OnPrintView);
        m_printButton = addButton("btnPrint", "STR_PRINT", &QExportFuncodeDlg::OnPrint);
    }
    for (QPushButton* button : {m_exportButton, m_previewButton, m_printButton}) {
        if (button) {
            button->setEnabled(false);
        }
    }
    addButton("btnReadAgain", "STR_READ_AGAIN", &QExportFuncodeDlg::OnRefreshFuncode)->setToolTip(QString());
    ui->horizontalLayout->addSpacerItem(
        new QSpacerItem(50, 10, QSizePolicy::Expanding, QSizePolicy::Minimum));
    connect(ui->treeView, &QAbstractItemView::clicked, this, &QExportFuncodeDlg::OnMousePressEvent);
}

void QExportFuncodeDlg::expand()
{
    TreeItem* top = m_model->topItem();
    if (!top) {
        return;
    }
    ui->treeView->expand(m_model->indexOfItem(top));
    for (TreeItem* group : top->children()) {
        ui->treeView->setExpanded(m_model->indexOfItem(group), group->isHighlighted());
    }
}

void QExportFuncodeDlg::updateButtons()
{
    m_checkedCount = m_model->checkedCount();
    for (QPushButton* button : {m_exportButton, m_previewButton, m_printButton}) {
        if (button) {
            button->setEnabled(m_checkedCount > 0);
        }
    }
}

void QExportFuncodeDlg::OnMousePressEvent(const QModelIndex& index)
{
    if (index.isValid()) {
        m_model->toggleCheck(index);
        ui->treeView->viewport()->update();
    }
    updateButtons();
}

void QExportFuncodeDlg::OnShowDiff(bool bChecked)
{
    Q_UNUSED(bChecked)
    if (m_diffBox->isChecked()) {
        ui->treeView->setOnlyShowDiffItem();
        return;
    }
    ui->treeView->setAlltItemHidden(false);
    expand();
}

void QExportFuncodeDlg::OnSelectDiff()
{
    m_model->selectDiffering();
    expand();
    updateButtons();
}

void QExportFuncodeDlg::OnRefreshFuncode()
{
    QDeviceServo* servo = device();
    if (!servo) {
        QMyMessageBox::information(this, tr("STR_EXPORT"), tr("STR_NO_EXIST_DEVICE"));
        return;
    }
    if (!servo->isDeviceOnline()) {
        QMyMessageBox::information(this, tr("STR_EXPORT"), tr("STR_DEVICE_NOT_ONLINE"));
        return;
    }
    QBatchReadWrite_Servo reader(m_aliasName, tr("STR_READ"), this, 0);
    connect(&reader, &QBatchReadWrite_Servo::sigFailedFuncodes, this,
            &QExportFuncodeDlg::onRefreshFuncodeVal);
    reader.batchReadFuncode(QStringList());
}

void QExportFuncodeDlg::onRefreshFuncodeVal(QString aliasName, QStringList faultFuncodeList)
{
    if (aliasName != m_aliasName) {
        return;
    }
    m_model->refreshCurrentValues(faultFuncodeList);
    expand();
    updateButtons();
}

bool QExportFuncodeDlg::collect(tagExportFuncodeList_Servo* records, QStringList* pages)
{
    if (!device()) {
        QMyMessageBox::information(this, tr("STR_EXPORT"), tr("STR_NOTSELECT_DEVICE"));
        return false;
    }
    *records = m_model->checkedNumbers();
    *pages = m_model->checkedOthers();
    return true;
}

void QExportFuncodeDlg::OnOk()
{
    tagExportFuncodeList_Servo records;
    QStringList pages;
    if (!collect(&records, &pages)) {
        return;
    }
    const QString suggested =
        QStringLiteral("%1/%2_%3")
            .arg(lastExportDir(), QStringLiteral("ExportInfo"), device()->getShowNameByShowType(false));
    const QString path =
        QSaveAsDialog::getSaveFileName(this, tr("STR_SAVE_AS"), suggested, tr("STR_EXPORT_INFO_FILTER"));
    if (path.isEmpty()) {
        return;
    }
    setLastExportDir(QFileInfo(path).absolutePath());
    // Asked after the file dialog, which runs the event loop: the values are those written next.
    if (!QUnknownValueCheck_Servo::leaveOutUnknown(this, tr("STR_EXPORT"), device(), &records) ||
        !writeExport(path, records, pages)) {
        return;
    }
    // The text names the file; the details say what it holds.
    QMyMessageBox::success(this, tr("STR_EXPORT"), tr("STR_EXPORT_SUCCESS").arg(path),
                           tr("STR_EXPORT_DETAIL_CODES_PAGES").arg(records.size()).arg(pages.size()));
    accept();
}

// A workbook is written by the helper itself; the text form goes through a stream on a file that
// replaces the chosen one only when it was written whole.
bool QExportFuncodeDlg::writeExport(const QString& path, const tagExportFuncodeList_Servo& records,
                                    const QStringList& pages)
{
    if (QFileInfo(path).suffix().contains(QLatin1String("xlsx"))) {
        return tellWriteResult(QFuncodeHelper_Servo::exportSelectInfoListServo(records, pages, path));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qDebug() << "Open file failed!";
        QMyMessageBox::information(this, tr("STR_EXPORT"),
                                   tr("STR_OPEN_FILE_FAILED") + QStringLiteral("\n%1").arg(path));
        return false;
    }
    QTextStream stream(&file);
    const bool written =
        QFuncodeHelper_Servo::exportSelectInfoListServo(records, pages, stream, !m_focusNumbers.isEmpty());
    if (!written || !file.commit()) {
        if (written) {
            QFuncodeHelperBase::setLastError(QFuncodeHelperBase::FILE_ERR_WRITE, file.errorString());
        }
        return tellWriteResult(false);
    }
    return true;
}

bool QExportFuncodeDlg::tellWriteResult(bool written)
{
    if (!written) {
        QMyMessageBox::information(this, tr("STR_EXPORT"), QFuncodeHelperBase::lastErrorText());
    }
    return written;
}

bool QExportFuncodeDlg::composeReport(QPrinterManager* printer)
{
    tagExportFuncodeList_Servo records;
    QStringList pages;
    if (!collect(&records, &pages)) {
        return false;
    }
    if (records.isEmpty() && pages.isEmpty()) {
        QMyMessageBox::information(this, tr("STR_PRINT"), tr("STR_NO_DATA"));
        return false;
    }
    if (!QUnknownValueCheck_Servo::leaveOutUnknown(this, tr("STR_PRINT"), device(), &records)) {
        return false;
    }
    QExportReport_Servo::compose(printer, *device(), records, pages);
    return true;
}

void QExportFuncodeDlg::OnPrintView()
{
    QPrinterManager* printer = QSoftCore::getCore()->getPrinterManager();
    if (composeReport(printer)) {
        printer->printWithPreview(QPrinter::Portrait);
    }
}

void QExportFuncodeDlg::OnPrint()
{
    QPrinterManager* printer = QSoftCore::getCore()->getPrinterManager();
    if (composeReport(printer) && !printer->printDirect(QPrinter::Portrait) &&
        !printer->errorString().isEmpty()) {
        QMyMessageBox::information(this, tr("STR_PRINT"), printer->errorString());
    }
}

void QExportFuncodeDlg::OnWriteFuncodeFile()
{
    QFuncodeFileWriter_Servo::writeFuncodeFile(this);
}
