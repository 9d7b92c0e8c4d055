#include "QDownloadFunCodeDlg_Servo.h"

#include "QDownloadTreeModel.h"
#include "QDownloadTreeView_Servo.h"
#include "QImportMotorType_Servo.h"
#include "QImportTreeViewDelegate.h"
#include "TreeItem.h"

#include "QBatchReadWrite_Servo.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QMyMessageBox.h"
#include "QOkCancel.h"
#include "QProjectCore.h"
#include "QScreenManager.h"
#include "QWriteNoticeLabel.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const int kInitialWidth = 1083;
const int kInitialHeight = 775;
const int kSectionSize = 200;
const int kExtraWidth = 80;
const int kSettleMs = 20;
// Columns of the axes Y (4, 5) and Z (6, 7) in the import tree.
const int kFirstYColumn = 4;
const int kFirstZColumn = 6;
const int kListedFailures = 20;

QString axisHeader(const char* key, const QString& axis)
{
    return QStringLiteral("%1(%2)").arg(QDownloadFunCodeDlg_Servo::tr(key), axis);
}

QStringList importHeaders()
{
    QStringList headers{QDownloadFunCodeDlg_Servo::tr("STR_SELECT"),
                        QDownloadFunCodeDlg_Servo::tr("STR_NAME")};
    for (const QString& axis : {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")}) {
        headers << axisHeader("STR_IMPORT_VAL", axis) << axisHeader("STR_CUR_VAL", axis);
    }
    return headers;
}
} // namespace

QDownloadFunCodeDlg_Servo::QDownloadFunCodeDlg_Servo(const QString& title, const QString& unused,
                                                     const tagExportFuncodeList_Servo& rows, bool monitored,
                                                     QWidget* parent)
    : QBaseDlg(parent), m_monitored(monitored)
{
    Q_UNUSED(unused)
    setObjectName(QStringLiteral("QDownloadFunCodeDlg_Servo"));
    setTitle(QStringLiteral("%1 (%2)").arg(tr("STR_IMPORT_FUNCODE"), title));
    showMaxBtn(true);
    setPermitDefaultResize(true);
    resize(kInitialWidth, kInitialHeight);
    setUpWidgets();
    if (QDeviceServo* selected = QProjectCore::self()->getDevMgr()->getSelectServo()) {
        m_alias = selected->getAliasName();
    }
    m_model->setDeviceAlias(m_alias);
    setRows(rows);
    connectWidgets();
    updateOk();
}

QDownloadFunCodeDlg_Servo::~QDownloadFunCodeDlg_Servo() = default;

// ---------------------------------------------------------------- widgets

void QDownloadFunCodeDlg_Servo::setUpWidgets()
{
    m_model = new QDownloadTreeModel(importHeaders(), true, this);
    m_model->setTopTitle(m_monitored ? tr("STR_MONITOR_FUNCODE") : tr("STR_FUNCODE"));
    m_view = new QDownloadTreeView_Servo(this);
    m_view->setObjectName(QStringLiteral("treeView"));
    m_view->setModel(m_model);
    m_view->setItemDelegate(new QImportTreeViewDelegate(m_view));
    m_view->expandToDepth(0);
    m_view->header()->setDefaultSectionSize(kSectionSize);
    m_view->header()->setSectionResizeMode(QHeaderView::Interactive);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setValue(0);
    m_progress->hide();

    m_okCancel = new QOkCancel(this, 2);
    m_okCancel->setObjectName(QStringLiteral("okCancel"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, TitleHeight + 4, 10, 10);
    layout->addWidget(makeButtonRow());
    layout->addWidget(m_view, 1);
    layout->addWidget(new QWriteNoticeLabel(this)); // why an edit in the tree was refused
    layout->addWidget(m_progress);
    layout->addWidget(m_okCancel);
}

QWidget* QDownloadFunCodeDlg_Servo::makeButtonRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto makeRadio = [row, layout](const char* name, const char* key) {
        auto* button = new QRadioButton(tr(key), row);
        button->setObjectName(QString::fromLatin1(name));
        layout->addWidget(button);
        return button;
    };
    m_allFuncode = makeRadio("radioButton_allFuncode", "STR_ALL_FUNCODE");
    m_diffFuncode = makeRadio("radioButton_diffFuncode", "STR_DIFF_FUNCODE_IMENABLE");
    m_showGroup = new QButtonGroup(this);
    m_showGroup->setExclusive(true);
    m_showGroup->addButton(m_allFuncode);
    m_showGroup->addButton(m_diffFuncode);
    m_allFuncode->setChecked(true);
    layout->addSpacing(20);
    m_replace = makeRadio("radioButton_replace", "STR_REPLACE_FOCUS_FUN");
    m_append = makeRadio("radioButton_append", "STR_APPEND_FOCUS_FUN");
    m_focusGroup = new QButtonGroup(this);
    m_focusGroup->addButton(m_replace);
    m_focusGroup->addButton(m_append);
    m_replace->setChecked(true);
    m_replace->setVisible(m_monitored);
    m_append->setVisible(m_monitored);
    layout->addStretch(1);
    m_failedLabel = new QLabel(row);
    m_failedLabel->setObjectName(QStringLiteral("labelFailed"));
    m_failedLabel->hide();
    layout->addWidget(m_failedLabel);
    m_selectDiff = new QPushButton(tr("STR_SELECT_DIFF_FUNCODE"), row);
    m_selectDiff->setObjectName(QStringLiteral("btnSelectDiff"));
    m_refresh = new QPushButton(tr("STR_REFRESH"), row);
    m_refresh->setObjectName(QStringLiteral("btnRefresh"));
    layout->addWidget(m_selectDiff);
    layout->addWidget(m_refresh);
    return row;
}

void QDownloadFunCodeDlg_Servo::connectWidgets()
{
    connect(m_okCancel, &QOkCancel::SigOk, this, &QDownloadFunCodeDlg_Servo::OnOk);
    connect(m_okCancel, &QOkCancel::SigCancel, this, &QDownloadFunCodeDlg_Servo::close);
    connect(m_view, &QAbstractItemView::clicked, this, &QDownloadFunCodeDlg_Servo::OnMousePressEvent);
    connect(m_view, &QTreeView::expanded, this, &QDownloadFunCodeDlg_Servo::slotTreeViwExpand);
    connect(m_view, &QTreeView::collapsed, this, &QDownloadFunCodeDlg_Servo::slotTreeViwClose);
    connect(m_refresh, &QPushButton::clicked, this, &QDownloadFunCodeDlg_Servo::OnRefreshFuncode);
    connect(m_selectDiff, &QPushButton::clicked, this, &QDownloadFunCodeDlg_Servo::on_btnSelectDiff_clicked);
    connect(m_allFuncode, &QRadioButton::clicked, this,
            &QDownloadFunCodeDlg_Servo::on_radioButton_allFuncode_clicked);
    connect(m_diffFuncode, &QRadioButton::clicked, this,
            &QDownloadFunCodeDlg_Servo::on_radioButton_diffFuncode_clicked);
}

QDeviceServo* QDownloadFunCodeDlg_Servo::device() const
{
    return m_alias.isEmpty() ? nullptr : QProjectCore::self()->getDevMgr()->getDeviceServo(m_alias);
}

// ---------------------------------------------------------------- rows

void QDownloadFunCodeDlg_Servo::setRows(const tagExportFuncodeList_Servo& rows)
{
    m_rows = rows;
    readCurrentValues();
    m_model->load(m_rows);
    showFailedCount(0);
    hideMissingAxes();
    applyShownRows();
    // The group titles are longer than the numbers.
    m_view->fitFirstColumn(kSectionSize);
    widenToColumns();
    updateOk();
}

void QDownloadFunCodeDlg_Servo::readCurrentValues()
{
    QDeviceServo* dev = device();
    if (!dev) {
        return;
    }
    if (dev->isDeviceOnline()) {
        QBatchReadWrite_Servo reader(m_alias, tr("STR_READ"), this, 0);
        reader.batchReadFuncode(QStringList());
    }
    // The read may have taken the drive away.
    dev = device();
    if (!dev) {
        return;
    }
    for (const tagExportFuncodePtr_Servo& row : qAsConst(m_rows)) {
        QDownloadTreeModel::readCurrentValues(row.data(), dev);
    }
}

void QDownloadFunCodeDlg_Servo::hideMissingAxes()
{
    const QDeviceServo* selected = QProjectCore::self()->getDevMgr()->getSelectServo();
    const int axes = selected ? selected->getAxisNum() : 1;
    m_view->setColumnHidden(kFirstYColumn, axes < 2);
    m_view->setColumnHidden(kFirstYColumn + 1, axes < 2);
    m_view->setColumnHidden(kFirstZColumn, axes < 3);
    m_view->setColumnHidden(kFirstZColumn + 1, axes < 3);
}

void QDownloadFunCodeDlg_Servo::widenToColumns()
{
    const int wanted = m_view->columnsWidthButLast() + kExtraWidth;
    if (width() < wanted && wanted < QScreenManager::self()->availableGeometry(this).width()) {
        resize(wanted, height());
    }
}

void QDownloadFunCodeDlg_Servo::expandHighlighted()
{
    const QModelIndex top = m_model->indexOfItem(m_model->topItem());
    m_view->expand(top);
    for (TreeItem* group : m_model->topItem()->children()) {
        const QModelIndex index = m_model->indexOfItem(group);
        if (group->isHighlighted()) {
            m_view->expand(index);
            slotTreeViwExpand(index);
        } else {
            m_view->collapse(index);
        }
    }
}

void QDownloadFunCodeDlg_Servo::updateOk()
{
    m_checkedCount = m_model->checkedCount();
    m_okCancel->setOkBtnEnabled(m_checkedCount > 0);
}

// ---------------------------------------------------------------- selection

void QDownloadFunCodeDlg_Servo::OnMousePressEvent(QModelIndex index)
{
    if (!index.isValid() || index.column() != 0) {
        return;
    }
    m_model->toggleCheck(index);
    m_view->viewport()->update();
    updateOk();
}

void QDownloadFunCodeDlg_Servo::on_btnSelectDiff_clicked()
{
    m_model->selectDiffering();
    expandHighlighted();
    updateOk();
}

// A rebuilt or re-read tree shows every row again: the rows shown follow the radio buttons once more.
void QDownloadFunCodeDlg_Servo::applyShownRows()
{
    if (m_diffFuncode->isChecked()) {
        on_radioButton_diffFuncode_clicked();
        return;
    }
    expandHighlighted();
}

void QDownloadFunCodeDlg_Servo::showFailedCount(int count)
{
    m_failedLabel->setText(tr("STR_IMPORT_FAILED_COUNT").arg(count));
    m_failedLabel->setVisible(count > 0);
}

void QDownloadFunCodeDlg_Servo::on_radioButton_allFuncode_clicked()
{
    m_view->setAlltItemHidden(false);
    expandHighlighted();
}

void QDownloadFunCodeDlg_Servo::on_radioButton_diffFuncode_clicked()
{
    m_view->setOnlyShowDiffItem();
    m_view->expandAll();
}

void QDownloadFunCodeDlg_Servo::slotTreeViwExpand(QModelIndex index)
{
    if (index.isValid() && !m_expanded.contains(index)) {
        m_expanded.append(index);
    }
}

void QDownloadFunCodeDlg_Servo::slotTreeViwClose(QModelIndex index)
{
    m_expanded.removeAll(index);
}

void QDownloadFunCodeDlg_Servo::slotExpandCurEditItem(QModelIndex index)
{
    Q_UNUSED(index)
    m_view->expand(m_model->indexOfItem(m_model->topItem()));
    for (const QPersistentModelIndex& expanded : qAsConst(m_expanded)) {
        if (expanded.isValid()) {
            m_view->expand(expanded);
        }
    }
}

// ---------------------------------------------------------------- refreshing

void QDownloadFunCodeDlg_Servo::OnRefreshFuncode()
{
    QDeviceServo* dev = device();
    if (!dev) {
        QMyMessageBox::information(this, tr("STR_EXPORT"), tr("STR_NO_EXIST_DEVICE"));
        return;
    }
    if (!dev->isDeviceOnline()) {
        QMyMessageBox::information(this, tr("STR_EXPORT"), tr("STR_DEVICE_NOT_ONLINE"));
        return;
    }
    QBatchReadWrite_Servo reader(m_alias, tr("STR_READ"), this, 0);
    connect(&reader, &QBatchReadWrite_Servo::sigFailedFuncodes, this,
            &QDownloadFunCodeDlg_Servo::onRefreshFuncodeVal);
    reader.batchReadFuncode(QStringList());
}

void QDownloadFunCodeDlg_Servo::onRefreshFuncodeVal(QString aliasName, QStringList faultFuncodeList)
{
    if (aliasName != m_alias) {
        return;
    }
    m_model->refreshCurrentValues(faultFuncodeList);
    updateOk();
    applyShownRows();
}

// ---------------------------------------------------------------- importing

void QDownloadFunCodeDlg_Servo::OnOk()
{
    if (!QProjectCore::self()->getDevMgr()->getSelectServo() || !device()) {
        QMyMessageBox::information(this, tr("STR_IMPORT"), tr("STR_NOTSELECT_DEVICE"));
        return;
    }
    const QMap<QString, tagExportFuncodePtr_Servo> funcodes = m_model->checkedNumberMap();
    if (funcodes.isEmpty()) {
        QMyMessageBox::information(this, tr("STR_IMPORT"), tr("STR_NO_DATA"));
        return;
    }
    if (!askWritePermission(device())) {
        return;
    }
    m_okCancel->setOkBtnEnabled(false);
    const bool shown = isVisible();
    if (!writeMotorTypeFirst(device(), funcodes)) {
        updateOk();
        return;
    }
    // Clicks held back while the drive was waited for have been delivered by now: a Cancel among them
    // closed the dialog, and then nothing more is written.
    if (shown && !isVisible()) {
        updateOk();
        return;
    }
    writeBatch(funcodes);
}

bool QDownloadFunCodeDlg_Servo::askWritePermission(QDeviceServo* dev)
{
    QString reason;
    if (dev->isWritePermitted(&reason)) {
        return true;
    }
    return QMyMessageBox::question(this, tr("STR_IMPORT"), reason, tr("STR_CONTINUE_IMPORT"),
                                   tr("STR_CANCEL_IMPORT")) == 1;
}

bool QDownloadFunCodeDlg_Servo::writeMotorTypeFirst(QDeviceServo* dev,
                                                    const QMap<QString, tagExportFuncodePtr_Servo>& funcodes)
{
    // The question before may have let the drive go.
    if (!dev) {
        QMyMessageBox::information(this, tr("STR_IMPORT"), tr("STR_NO_EXIST_DEVICE"));
        return false;
    }
    // The drive may be gone after the write ahead: what the message needs is taken before.
    const QString motorTypeCode = dev->getDevMotorTypeFuncode();
    QString reason;
    const QImportMotorType_Servo::Result result = QImportMotorType_Servo::writeAhead(dev, funcodes, &reason);
    if (result == QImportMotorType_Servo::Failed) {
        const QString hint = tr("STR_MANUAL_MATCH_MOTOR_TYPE_PARAM_VALUE_THEN_IMPORT")
                                 .replace(QStringLiteral("%1"), motorTypeCode);
        QMyMessageBox::warning(this, tr("STR_IMPORT"),
                               tr("STR_MOTOR_TYPE_CHANGED_FAILED") + QStringLiteral(": ") + reason +
                                   QStringLiteral("\n\n") + hint);
        return false;
    }
    if (result == QImportMotorType_Servo::Written) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, kSettleMs);
        // The drive may have gone while events ran.
        QImportMotorType_Servo::rescale(device(), funcodes);
    }
    return true;
}

void QDownloadFunCodeDlg_Servo::writeBatch(const QMap<QString, tagExportFuncodePtr_Servo>& funcodes)
{
    QStringList failed;
    {
        QBatchReadWrite_Servo writer(m_alias, tr("STR_WRITE"), this, 0);
        writer.batchWriteFuncode(funcodes, true, 0);
        failed = writer.failedFuncodes();
    }
    QDeviceServo* dev = device();
    if (m_monitored && dev && QProjectCore::self()->getDevMgr()->getSelectServo()) {
        updateMonitoredList(dev, funcodes.keys());
    }
    reportWrite(funcodes.size() - failed.size(), failed);
    // The tree shows what the drive holds now; the codes that did not arrive stay marked and checked.
    m_model->refreshCurrentValues(QStringList());
    slotContinueImport(m_alias, failed);
}

void QDownloadFunCodeDlg_Servo::reportWrite(int written, const QStringList& failed)
{
    if (failed.isEmpty()) {
        QMyMessageBox::success(this, tr("STR_IMPORT"), tr("STR_IMPORT_WRITTEN").arg(written), QString());
        return;
    }
    QStringList listed = failed.mid(0, kListedFailures);
    if (failed.size() > kListedFailures) {
        listed.append(QStringLiteral("..."));
    }
    QMyMessageBox::warning(this, tr("STR_IMPORT"),
                           tr("STR_IMPORT_WRITE_FAILED").arg(written).arg(failed.size()) + QLatin1Char('\n') +
                               listed.join(QStringLiteral(", ")));
}

void QDownloadFunCodeDlg_Servo::updateMonitoredList(QDeviceServo* dev, const QStringList& numbers)
{
    if (m_replace->isChecked()) {
        dev->removeAllSelSubFuncode();
    } else if (!m_append->isChecked()) {
        return;
    }
    for (const QString& number : numbers) {
        dev->appendSelSubFuncode(number);
    }
    emit sigUpdateFocusTable();
}

void QDownloadFunCodeDlg_Servo::slotContinueImport(QString aliasName, QStringList faultFuncodeList)
{
    if (aliasName != m_alias) {
        return;
    }
    m_model->markFailed(faultFuncodeList);
    showFailedCount(m_model->failedNumbers().size());
    applyShownRows();
    updateOk();
}

void QDownloadFunCodeDlg_Servo::slotFinishWrite()
{
    close();
}
