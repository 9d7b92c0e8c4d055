#include "QHistoryFaultTreeWidget_Servo.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QEditHisFaultRecordDlg.h"
#include "QFaultCsvExporter.h"
#include "QFaultExportRows.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"

#include <QCursor>
#include <QEvent>
#include <QHeaderView>
#include <QMenu>

namespace {
const int kColumns = 3;

void setTextIfChanged(QTreeWidgetItem* item, int column, const QString& text)
{
    if (item->text(column) != text) {
        item->setText(column, text);
    }
}
} // namespace

QHistoryFaultTreeWidget_Servo::QHistoryFaultTreeWidget_Servo(QWidget* parent) : QTreeWidget(parent)
{
    setContextMenuPolicy(Qt::CustomContextMenu);
    setObjectName(QStringLiteral("HIS_FAULT_SERVO"));
    initMenu();
    connect(this, &QWidget::customContextMenuRequested, this,
            &QHistoryFaultTreeWidget_Servo::rightMenuClicked);
    connect(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigHistoryFaultChanged, this,
            &QHistoryFaultTreeWidget_Servo::OnHistoryFaultChanged);
    initTree();
}

void QHistoryFaultTreeWidget_Servo::initMenu()
{
    m_menu = new QMenu(this);
    m_refreshAction = m_menu->addAction(tr("STR_REFRESH"), this, &QHistoryFaultTreeWidget_Servo::OnRefresh);
    m_clearAction = m_menu->addAction(tr("STR_CLEAR_HIS_FAULT"), this,
                                      &QHistoryFaultTreeWidget_Servo::onClearHisFaultRecord);
    m_exportAction =
        m_menu->addAction(tr("STR_EXPORT"), this, &QHistoryFaultTreeWidget_Servo::slotHistoryFaultaExportBtn);
    m_menu->addSeparator();
    m_formatAction = m_menu->addAction(tr("STR_EDIT_FAULT_FORMAT"), this,
                                       &QHistoryFaultTreeWidget_Servo::onEditHisFaultFormat);
}

QList<QAction*> QHistoryFaultTreeWidget_Servo::menuActions() const
{
    return {m_refreshAction, m_clearAction, m_exportAction, m_formatAction};
}

void QHistoryFaultTreeWidget_Servo::initTree()
{
    clear();
    setHeaders();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked);
    header()->setStretchLastSection(true);
    header()->setHighlightSections(false);
    header()->setSectionResizeMode(QHeaderView::Interactive);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setColumnWidth(0, 300);
    setColumnWidth(1, 200);
}

void QHistoryFaultTreeWidget_Servo::setHeaders()
{
    setColumnCount(kColumns);
    setHeaderLabels({tr("STR_PARAMETER_NAME"), tr("STR_VALUE"), tr("STR_UNIT")});
}

void QHistoryFaultTreeWidget_Servo::showEvent(QShowEvent* event)
{
    QTreeWidget::showEvent(event);
    emit SigShow();
    OnRefresh();
}

void QHistoryFaultTreeWidget_Servo::hideEvent(QHideEvent* event)
{
    QTreeWidget::hideEvent(event);
    emit SigHide();
}

void QHistoryFaultTreeWidget_Servo::OnRefresh()
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return;
    }
    // Not waited for: the answer arrives as SigHistoryFaultChanged when the records changed.
    if (device->isDeviceOnline()) {
        device->readHisFaultFuncode(m_axis, false);
    }
    m_alias = device->getAliasName();
    OnHistoryFaultChanged(m_alias);
}

void QHistoryFaultTreeWidget_Servo::OnHistoryFaultChanged(QString aliasName)
{
    const QDeviceServo* device = QProjectCore::self()->getDevMgr()->getDeviceServo(aliasName);
    // Only the drive last refreshed: another drive's notice must not replace its history.
    if (!device || m_alias.isEmpty() || aliasName != m_alias) {
        return;
    }
    showRecords(recordTextsOf(device, m_axis));
}

QList<QHistoryFaultTreeWidget_Servo::RecordTexts>
QHistoryFaultTreeWidget_Servo::recordTextsOf(const QDeviceServo* device, int axis)
{
    QList<RecordTexts> texts;
    const QList<tagHistoryFaultList> records = device->getHistoryFaultList(axis);
    for (int i = 0; i < records.size(); ++i) {
        const tagHistoryFaultList& record = records.at(i);
        RecordTexts entry;
        entry.label = QFaultExportRows::recordLabel(i + 1, record);
        entry.toolTip = QFaultExportRows::recordToolTip(record);
        for (const tagHistoryFaultParam& param : record.params) {
            entry.params.append(QFaultExportRows::paramTexts(device, param));
        }
        texts.append(entry);
    }
    return texts;
}

void QHistoryFaultTreeWidget_Servo::showRecords(const QList<RecordTexts>& records)
{
    if (topLevelItemCount() == 0) {
        rebuild(records);
        return;
    }
    updateInPlace(records);
}

void QHistoryFaultTreeWidget_Servo::rebuild(const QList<RecordTexts>& records)
{
    clear();
    setHeaders();
    for (const RecordTexts& record : records) {
        auto* item = new QTreeWidgetItem(this);
        fillRecordItem(item, record);
        for (const QStringList& param : record.params) {
            fillParamItem(new QTreeWidgetItem(item), param);
        }
    }
}

void QHistoryFaultTreeWidget_Servo::updateInPlace(const QList<RecordTexts>& records)
{
    while (topLevelItemCount() > records.size()) {
        delete takeTopLevelItem(topLevelItemCount() - 1);
    }
    for (int i = 0; i < records.size(); ++i) {
        QTreeWidgetItem* item = i < topLevelItemCount() ? topLevelItem(i) : new QTreeWidgetItem(this);
        const RecordTexts& record = records.at(i);
        fillRecordItem(item, record);
        while (item->childCount() > record.params.size()) {
            delete item->takeChild(item->childCount() - 1);
        }
        for (int j = 0; j < record.params.size(); ++j) {
            fillParamItem(j < item->childCount() ? item->child(j) : new QTreeWidgetItem(item),
                          record.params.at(j));
        }
    }
}

void QHistoryFaultTreeWidget_Servo::fillRecordItem(QTreeWidgetItem* item, const RecordTexts& record)
{
    setTextIfChanged(item, 0, record.label);
    if (item->toolTip(0) != record.toolTip) {
        item->setToolTip(0, record.toolTip);
    }
    item->setFirstColumnSpanned(true);
}

void QHistoryFaultTreeWidget_Servo::fillParamItem(QTreeWidgetItem* item, const QStringList& texts)
{
    for (int column = 0; column < kColumns; ++column) {
        setTextIfChanged(item, column, texts.value(column));
    }
}

void QHistoryFaultTreeWidget_Servo::rightMenuClicked(QPoint point)
{
    Q_UNUSED(point)
    const QSharedPointer<QDeviceBase> device = QProjectCore::self()->getDevMgr()->getSelect();
    if (!device) {
        return;
    }
    m_refreshAction->setEnabled(device->isDeviceOnline());
    m_clearAction->setEnabled(device->isDeviceOnline());
    m_menu->popup(QCursor::pos());
}

void QHistoryFaultTreeWidget_Servo::onEditHisFaultFormat()
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return;
    }
    QEditHisFaultRecordDlg dialog(device, this);
    dialog.exec();
    OnRefresh();
}

void QHistoryFaultTreeWidget_Servo::onClearHisFaultRecord()
{
    emit sigClearHisFaultRecord();
}

void QHistoryFaultTreeWidget_Servo::slotHistoryFaultaExportBtn()
{
    const QDeviceServo* device = QProjectCore::selectedServo();
    QFaultCsvExporter::Table table;
    table.heading = tr("STR_HIS_FAULT");
    table.headers = QFaultExportRows::historyHeaders();
    table.rows = QFaultExportRows::historyRows(device, m_axis);
    QFaultCsvExporter::exportTable(this, device, table);
}

void QHistoryFaultTreeWidget_Servo::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        setHeaders();
        m_refreshAction->setText(tr("STR_REFRESH"));
        m_clearAction->setText(tr("STR_CLEAR_HIS_FAULT"));
        m_exportAction->setText(tr("STR_EXPORT"));
        m_formatAction->setText(tr("STR_EDIT_FAULT_FORMAT"));
    }
    QTreeWidget::changeEvent(event);
}
