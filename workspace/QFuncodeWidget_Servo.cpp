#include "QFuncodeWidget_Servo.h"

#include "QDownloadFunCodeDlg_Servo.h"
#include "QExportCommand_Servo.h"
#include "QFindFuncodeDialog_Servo.h"
#include "QFuncodeCompareDialog_Servo.h"
#include "QFuncodeImportFile_Servo.h"
#include "QServoFuncodeBatchDownloadDlg.h"
#include "ui_QFuncodeWidget_Servo.h"

#include "QButtonManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFlowLayout.h"
#include "QMyMessageBox.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "ServoResources.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFileDialog>
#include <QPixmap>

namespace {
const int kLegendIconSize = 18;
const int kLegendSpacing = 12;
// Export and print share one dialog; the mode chooses between them.
const int kExportModePrint = 0;
const int kExportModeFile = 1;

void setLegendIcon(QLabel* label, const char* path)
{
    const QPixmap pixmap(QString::fromLatin1(path));
    label->setPixmap(
        pixmap.scaled(kLegendIconSize, kLegendIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}
} // namespace

QFuncodeWidget_Servo::QFuncodeWidget_Servo(QWidget* parent)
    : QBaseStyleWidget(parent), ui(std::make_unique<Ui::QFuncodeWidget_Servo>())
{
    initServoResources();
    ui->setupUi(this);
    setFocusPolicy(Qt::StrongFocus);
    // Style-sheet hooks of the host.
    ui->widgetTool->setObjectName(QStringLiteral("TOOLWID"));
    ui->readWriteIconwidget->setObjectName(QStringLiteral("TOOLWID"));
    ui->widgetValue->setObjectName(QStringLiteral("MENUWID"));
    connectHost();
    fillLegend();
}

QFuncodeWidget_Servo::~QFuncodeWidget_Servo() = default;

QFunToolWidget_Servo* QFuncodeWidget_Servo::toolWidget() const
{
    return ui->widgetTool;
}

QFunValueWidget_Servo* QFuncodeWidget_Servo::valueWidget() const
{
    return ui->widgetValue;
}

void QFuncodeWidget_Servo::connectHost()
{
    if (QButtonGroup* group = ui->widgetTool->getButtonGroup()) {
        connect(group, &QButtonGroup::idClicked, this, &QFuncodeWidget_Servo::OnButtonClicked);
    }
    connect(this, &QFuncodeWidget_Servo::SigHelp, ui->widgetValue, &QFunValueWidget_Servo::SigHelp);

    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    QDeviceManager* devMgr = QProjectCore::self()->getDevMgr();
    connect(hub, &QSignalManager::SigRemoveDevice, this, &QFuncodeWidget_Servo::OnRemoveDevice);
    connect(devMgr, &QDeviceManager::SigDelDev, this, &QFuncodeWidget_Servo::OnDelDev);
    connect(devMgr, &QDeviceManager::SigDevChange, this, &QFuncodeWidget_Servo::slotDevChanged);

    connect(ui->widgetValue, &QFunValueWidget_Servo::SigServoSelFuncodeShow, ui->widgetTool,
            &QFunToolWidget_Servo::OnSetServoUpDownButtonEnable);

    connect(hub, &QSignalManager::SigSelectCode, this, &QFuncodeWidget_Servo::OnSelectCodeServo);
    connect(hub, &QSignalManager::sigFuncodeBackupOrRecovery, this,
            &QFuncodeWidget_Servo::onFuncodeBackupOrRecovery);
    connect(hub, &QSignalManager::sigFuncodePrintPreview, this, &QFuncodeWidget_Servo::onFuncodePrintPreview);
}

void QFuncodeWidget_Servo::fillLegend()
{
    wrapLegend();
    setLegendIcon(ui->OnlyRead, ":/img/Funcode/rw_1");
    setLegendIcon(ui->CanWriteRead, ":/img/Funcode/rw_0");
    setLegendIcon(ui->OnlyCanWrite, ":/img/Funcode/rw_4");
    setLegendIcon(ui->instant, ":/img/Servo/Effect_0");
    setLegendIcon(ui->stop, ":/img/Servo/Effect_2");
    setLegendIcon(ui->reset, ":/img/Servo/Effect_1");
    retranslateLegend();
}

void QFuncodeWidget_Servo::wrapLegend()
{
    // The legend's icon and text pairs wrap on a narrow window instead of widening the page.
    QWidget* legend = ui->readWriteIconwidget;
    QLayout* row = legend->layout();
    if (!row) {
        return;
    }
    const QMargins margins = row->contentsMargins();
    QList<QLayout*> pairs;
    while (QLayoutItem* item = row->takeAt(0)) {
        if (QLayout* pair = item->layout()) {
            pair->setParent(nullptr);
            pairs.append(pair);
        } else {
            delete item;
        }
    }
    delete row;
    auto* flow = new QFlowLayout(legend, kLegendSpacing, 0);
    flow->setContentsMargins(margins);
    for (QLayout* pair : qAsConst(pairs)) {
        flow->addLayout(pair);
    }
}

void QFuncodeWidget_Servo::retranslateLegend()
{
    ui->label_OnlyRead->setText(tr("STR_ONLYREAD"));
    ui->label_CanWriteRead->setText(tr("STR_ALLREADWRITE"));
    ui->label_OnlyCanWrite->setText(tr("STR_ONLYWRUTE"));
    ui->instantPng->setText(tr("STR_INSTANT_EFFECT"));
    ui->stopPng->setText(tr("STR_STOP_EFFECT"));
    ui->resetPng->setText(tr("STR_RESET_EFFECT"));
}

void QFuncodeWidget_Servo::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateLegend();
    }
    QBaseStyleWidget::changeEvent(event);
}

void QFuncodeWidget_Servo::OnButtonClicked(int id)
{
    if (id < QButtonManager::BTN_UP || id > QButtonManager::BTN_HELP) {
        return;
    }
    QDeviceServo* servo = QProjectCore::self()->getDevMgr()->getSelectServo();
    if (!servo) {
        return;
    }
    switch (id) {
    case QButtonManager::BTN_UP:
        ui->widgetValue->upMoveMonitored();
        break;
    case QButtonManager::BTN_DOWN:
        ui->widgetValue->downMoveMonitored();
        break;
    case QButtonManager::BTN_BATCH_DOWNLOAD:
        openBatchDownload();
        break;
    case QButtonManager::BTN_IMPORT:
        importFuncodeFile();
        break;
    case QButtonManager::BTN_EXPORT:
        exportFuncode(kExportModeFile);
        break;
    case QButtonManager::BTN_PRINT:
        exportFuncode(kExportModePrint);
        break;
    case QButtonManager::BTN_REFRESH:
        ui->widgetValue->refreshVisibleView();
        break;
    case QButtonManager::BTN_READ_ALL:
        servo->readAllFuncode();
        break;
    case QButtonManager::BTN_COMPARE:
        openCompareDialog();
        break;
    case QButtonManager::BTN_FIND:
        findFuncode();
        break;
    case QButtonManager::BTN_HELP:
        emit SigHelp();
        break;
    default:
        break;
    }
}

// One set of function codes into several drives of one model, modally.
void QFuncodeWidget_Servo::openBatchDownload()
{
    QServoFuncodeBatchDownloadDlg dialog(this);
    dialog.exec();
}

void QFuncodeWidget_Servo::importFuncodeFile()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("STR_OPEN"), QString(), tr("Funcode File(*.funcodeservo *.csv *.xlsx);;All File(*.*)"));
    if (!path.isEmpty()) {
        importFile(path);
    }
}

// The file must be made for the selected drive's model and hold codes the present authority allows.
void QFuncodeWidget_Servo::importFile(const QString& path)
{
    QDeviceServo* servo = QProjectCore::self()->getDevMgr()->getSelectServo();
    if (!servo) {
        return;
    }
    QFuncodeImportFile_Servo file;
    if (file.read(path, servo, ui->widgetValue->isMonitoredPageVisible()) != QFuncodeImportFile_Servo::Ok) {
        QMyMessageBox::information(this, tr("STR_IMPORT"), file.errorText());
        return;
    }
    QDownloadFunCodeDlg_Servo dialog(servo->getDevName(), file.deviceInfo().axisNumText, file.rows(),
                                     file.isMonitored(), this);
    connect(&dialog, &QDownloadFunCodeDlg_Servo::sigUpdateFocusTable, ui->widgetValue,
            &QFunValueWidget_Servo::onUpdateFocusModal);
    dialog.exec();
}

// Export to a file (mode 1) or printing (mode 0) of the codes offered: the monitored list's while it is
// shown.
void QFuncodeWidget_Servo::exportFuncode(int mode, bool previewAtOnce)
{
    const QStringList focus =
        ui->widgetValue->isMonitoredPageVisible() ? ui->widgetValue->monitoredFuncodes() : QStringList();
    QExportCommand_Servo::run(QProjectCore::self()->getDevMgr()->getSelectServo(), focus, mode, this,
                              previewAtOnce);
}

// The compare dialog stays open beside the workspace and goes when it is closed.
void QFuncodeWidget_Servo::openCompareDialog()
{
    auto* dialog = new QFuncodeCompareDialog_Servo(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    dialog->activateWindow();
}

// The dialog is kept until the selected drive changes; it starts from the tool bar's find text.
void QFuncodeWidget_Servo::findFuncode()
{
    if (!m_findDialog) {
        m_findDialog = new QFindFuncodeDialog_Servo(this);
        // The dialog stays open beside the tables; what was searched last goes back to the find field.
        connect(m_findDialog, &QDialog::finished, this,
                [this]() { ui->widgetTool->setFindText(m_findDialog->searchText()); });
    }
    m_findDialog->SlotlineEditFindServoFun(ui->widgetTool->getFindText());
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
    ui->widgetTool->setFindText(m_findDialog->searchText());
}

void QFuncodeWidget_Servo::OnSelectCodeServo(QString alias, QString dev, QString ver, QString subCode)
{
    ui->widgetValue->showFuncode(alias, dev, ver, subCode);
    ui->widgetTool->setFindText(subCode);
}

void QFuncodeWidget_Servo::OnRemoveDevice()
{
    ui->widgetValue->clearWorkspace();
}

void QFuncodeWidget_Servo::OnDelDev(QString devAlias)
{
    Q_UNUSED(devAlias)
    slotDevChanged();
}

void QFuncodeWidget_Servo::slotDevChanged()
{
    forgetFindDialog();
}

void QFuncodeWidget_Servo::forgetFindDialog()
{
    // The dialog searches the codes of one drive: a new drive needs a new dialog.
    delete m_findDialog;
    m_findDialog = nullptr;
}

void QFuncodeWidget_Servo::onFuncodeBackupOrRecovery(bool bRecorvery)
{
    OnButtonClicked(bRecorvery ? QButtonManager::BTN_IMPORT : QButtonManager::BTN_EXPORT);
}

void QFuncodeWidget_Servo::onFuncodePrintPreview()
{
    if (QProjectCore::self()->getDevMgr()->getSelectServo()) {
        exportFuncode(kExportModePrint, true);
    }
}
