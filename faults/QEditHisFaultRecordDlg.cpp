#include "QEditHisFaultRecordDlg.h"

#include "QConfigDB_Servo.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QHisFormatTableDelegate.h"
#include "QMyMessageBox.h"
#include "QProjectCore.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using D = QHisFormatTableDelegate;

namespace {
// The not-edited member of a row travels with its number cell.
const int kReservedRole = Qt::UserRole + 1;

QString cellText(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->data(Qt::EditRole).toString() : QString();
}
} // namespace

QEditHisFaultRecordDlg::QEditHisFaultRecordDlg(QDeviceServo* device, QWidget* parent)
    : QBaseDlg(parent), m_device(device), m_table(new QTableWidget(this)),
      m_addButton(new QPushButton(tr("STR_ADD_ROW"), this)),
      m_deleteButton(new QPushButton(tr("STR_DELETE_ROW"), this)),
      m_saveButton(new QPushButton(tr("STR_SAVE"), this))
{
    setTitle(tr("STR_EDIT_HIS_RECORD_FORMAT"));
    connect(m_addButton, &QPushButton::clicked, this, &QEditHisFaultRecordDlg::onBtnAddRowClicked);
    connect(m_deleteButton, &QPushButton::clicked, this, &QEditHisFaultRecordDlg::onBtnDeleteRowClicked);
    connect(m_saveButton, &QPushButton::clicked, this, &QEditHisFaultRecordDlg::onBtnSaveClicked);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_deleteButton);
    buttons->addStretch(1);
    buttons->addWidget(m_saveButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(11, TitleHeight, 11, 11);
    layout->addLayout(buttons);
    layout->addWidget(m_table);
    initTable();
    loadRows();
    resize(660, 520);
}

void QEditHisFaultRecordDlg::initTable()
{
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->setItemDelegate(new QHisFormatTableDelegate(m_device, m_table));
    m_table->setColumnCount(D::COLUMN_COUNT);
    m_table->setHorizontalHeaderLabels(
        {tr("STR_NUMBER"), tr("STR_DISPLAY_NAME"), tr("STR_DATA_TYPE"), tr("STR_BYTE_LEN"), tr("STR_PARAM")});
    static const int widths[] = {80, 220, 100, 100, 100};
    for (int column = 0; column < D::COLUMN_COUNT; ++column) {
        m_table->setColumnWidth(column, widths[column]);
    }
    m_table->horizontalHeader()->setStretchLastSection(true);
}

void QEditHisFaultRecordDlg::loadRows()
{
    if (!m_device) {
        return;
    }
    const DeviceInfo* info = m_device->getDeviceInfoPtr();
    m_identText1 = info->identText1;
    m_identText2 = info->identText2;
    m_identNumber = info->identNumber;
    m_loaded = m_device->getDevHisFaultFormat(false);
    m_table->setRowCount(m_loaded.size());
    for (int row = 0; row < m_loaded.size(); ++row) {
        setRow(row, m_loaded.at(row));
    }
}

void QEditHisFaultRecordDlg::setRow(int row, const tagHisFaultFormat_Servo& format)
{
    auto* number = new QTableWidgetItem(format.number);
    number->setData(kReservedRole, format.reserved);
    m_table->setItem(row, D::COL_NUMBER, number);
    m_table->setItem(row, D::COL_NAME, new QTableWidgetItem(format.name));
    m_table->setItem(row, D::COL_DATA_TYPE, new QTableWidgetItem(D::dataTypeText(format.dataType)));
    auto* length = new QTableWidgetItem;
    length->setData(Qt::EditRole, format.byteLen);
    m_table->setItem(row, D::COL_BYTE_LEN, length);
    m_table->setItem(row, D::COL_PARAM, new QTableWidgetItem(format.param));
}

QHisFaultFormatList_Servo QEditHisFaultRecordDlg::tableRows() const
{
    QHisFaultFormatList_Servo rows;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        tagHisFaultFormat_Servo format;
        format.number = cellText(m_table, row, D::COL_NUMBER);
        format.name = cellText(m_table, row, D::COL_NAME);
        format.dataType = D::dataTypeCode(cellText(m_table, row, D::COL_DATA_TYPE));
        format.byteLen = cellText(m_table, row, D::COL_BYTE_LEN).toInt();
        format.param = cellText(m_table, row, D::COL_PARAM);
        const QTableWidgetItem* number = m_table->item(row, D::COL_NUMBER);
        format.reserved = number ? number->data(kReservedRole).toInt() : 0;
        rows.append(format);
    }
    return rows;
}

int QEditHisFaultRecordDlg::totalBytes() const
{
    int total = 0;
    for (const tagHisFaultFormat_Servo& row : tableRows()) {
        total += qMax(0, row.byteLen);
    }
    return total;
}

void QEditHisFaultRecordDlg::onBtnAddRowClicked()
{
    // A new row takes its default length: the same limit holds as for a length typed in.
    if (totalBytes() + tagHisFaultFormat_Servo().byteLen > D::kMaxRecordBytes) {
        QMyMessageBox::information(this, tr("STR_INFORMATION"), tr("STR_BYTE_COLUMN_MORE_THAN_128"));
        return;
    }
    const int current = m_table->currentRow();
    const int row = current < 0 ? m_table->rowCount() : current;
    m_table->insertRow(row);
    setRow(row, tagHisFaultFormat_Servo());
    m_table->setCurrentCell(row, D::COL_NUMBER);
}

void QEditHisFaultRecordDlg::onBtnDeleteRowClicked()
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_table->rowCount()) {
        QMyMessageBox::information(this, tr("STR_INFORMATION"), tr("STR_SELECT_ONE_ROW"));
        return;
    }
    if (QMyMessageBox::question(this, tr("STR_DELETE"), tr("STR_CONFIRM_DELETE_ROW")) == 1) {
        m_table->removeRow(row);
    }
}

int QEditHisFaultRecordDlg::incompleteRow() const
{
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (cellText(m_table, row, D::COL_NUMBER).isEmpty() ||
            cellText(m_table, row, D::COL_PARAM).isEmpty()) {
            return row;
        }
    }
    return -1;
}

void QEditHisFaultRecordDlg::onBtnSaveClicked()
{
    const QHisFaultFormatList_Servo rows = tableRows();
    if (rows == m_loaded) {
        QMyMessageBox::information(this, tr("STR_SAVE"), tr("STR_FORMAT_NOT_CHANG"));
        return;
    }
    if (rows.isEmpty()) {
        restoreDefaultFormat();
        return;
    }
    const int incomplete = incompleteRow();
    if (incomplete >= 0) {
        m_table->selectRow(incomplete);
        QMyMessageBox::information(this, tr("STR_SAVE"), tr("STR_FORMAT_ROW_INCOMPLETE"));
        return;
    }
    QConfigDB_Servo* db = QDatabaseManager::self()->getConfigDatabase_Servo();
    QString message = tr("STR_SAVE_FAILED");
    if (db && db->saveHisFaultFromat(m_identText1, m_identText2, m_identNumber, rows)) {
        m_loaded = rows;
        reloadDrivesOfIdentity();
        message = tr("STR_SAVE_SUCCESSED") + tr("STR_NEW_FORMAT_VALID_WHEN_REFRESH_FAULT");
    }
    QMyMessageBox::information(this, tr("STR_SAVE"), message);
}

// A format without rows is the model's default format: it is saved only when the user wants the default
// back, and then the table shows it.
void QEditHisFaultRecordDlg::restoreDefaultFormat()
{
    if (QMyMessageBox::question(this, tr("STR_SAVE"), tr("STR_RESTORE_DEFAULT_FORMAT")) != 1) {
        return;
    }
    QConfigDB_Servo* db = QDatabaseManager::self()->getConfigDatabase_Servo();
    if (!db || !db->saveHisFaultFromat(m_identText1, m_identText2, m_identNumber, {})) {
        QMyMessageBox::information(this, tr("STR_SAVE"), tr("STR_SAVE_FAILED"));
        return;
    }
    reloadDrivesOfIdentity();
    loadRows();
    QMyMessageBox::information(this, tr("STR_SAVE"),
                               tr("STR_SAVE_SUCCESSED") + tr("STR_NEW_FORMAT_VALID_WHEN_REFRESH_FAULT"));
}

void QEditHisFaultRecordDlg::reloadDrivesOfIdentity()
{
    QDeviceManager* manager = QProjectCore::self()->getDevMgr();
    for (const QString& alias : manager->getDevNameList()) {
        QDeviceServo* device = manager->getDeviceServo(alias);
        if (!device) {
            continue;
        }
        const DeviceInfo* info = device->getDeviceInfoPtr();
        if (info->identText1 == m_identText1 && info->identText2 == m_identText2 &&
            info->identNumber == m_identNumber) {
            device->initHisFaultFormat(true);
        }
    }
}
