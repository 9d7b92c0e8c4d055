#include "QMultiDevCurFaultDlg.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

QMultiDevCurFaultDlg::QMultiDevCurFaultDlg(QWidget* parent)
    : QBaseDlg(parent), m_table(new QTableWidget(this))
{
    setTitle(tr("STR_CURRENT_FAULT"));
    m_table->setColumnCount(4);
    m_table->setHorizontalHeaderLabels(
        {tr("STR_DEVICE"), tr("STR_FAULT_CODE"), tr("STR_FAULT_NAME"), tr("STR_TIME")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 40, 2, 2);
    layout->addWidget(m_table);
    resize(640, 320);
    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    connect(hub, &QSignalManager::SigDeviceFaultChanged, this, &QMultiDevCurFaultDlg::onDeviceFaultChanged);
    connect(hub, &QSignalManager::sigDevShowChanged, this, &QMultiDevCurFaultDlg::slotUpdateDev);
}

void QMultiDevCurFaultDlg::onDeviceFaultChanged(QString aliasName)
{
    QDeviceServo* device = QProjectCore::self()->getDevMgr()->getDeviceServo(aliasName);
    const bool hasFaults = device && !device->getCurFaultList().isEmpty();
    if (hasFaults && !m_devices.contains(aliasName)) {
        m_devices.append(aliasName);
    } else if (!hasFaults) {
        m_devices.removeAll(aliasName);
    }
    rebuild();
}

void QMultiDevCurFaultDlg::slotUpdateDev()
{
    QDeviceManager* mgr = QProjectCore::self()->getDevMgr();
    for (int i = m_devices.size() - 1; i >= 0; --i) {
        if (!mgr->getDeviceServo(m_devices.at(i))) {
            m_devices.removeAt(i);
        }
    }
    rebuild();
}

void QMultiDevCurFaultDlg::removeDevice(const QString& alias)
{
    m_devices.removeAll(alias);
    rebuild();
}

void QMultiDevCurFaultDlg::clearAll()
{
    m_devices.clear();
    rebuild();
}

int QMultiDevCurFaultDlg::rowCount() const
{
    return m_table->rowCount();
}

void QMultiDevCurFaultDlg::rebuild()
{
    m_table->setRowCount(0);
    QDeviceManager* mgr = QProjectCore::self()->getDevMgr();
    for (const QString& alias : qAsConst(m_devices)) {
        QDeviceServo* device = mgr->getDeviceServo(alias);
        if (!device) {
            continue;
        }
        const QList<tagFaultInfoPtr> faults = device->getCurFaultList();
        for (const tagFaultInfoPtr& fault : faults) {
            const int row = m_table->rowCount();
            m_table->insertRow(row);
            m_table->setItem(row, 0, new QTableWidgetItem(device->getShowNameByShowType(false)));
            m_table->setItem(row, 1, new QTableWidgetItem(fault->faultCode));
            auto* name = new QTableWidgetItem(fault->faultName);
            name->setForeground(Qt::red);
            name->setToolTip(fault->faultReason + QLatin1Char('\n') + fault->faultMethod);
            m_table->setItem(row, 2, name);
            m_table->setItem(
                row, 3,
                new QTableWidgetItem(fault->faultTime.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))));
        }
    }
    if (m_table->rowCount() == 0) {
        hide();
    }
}
