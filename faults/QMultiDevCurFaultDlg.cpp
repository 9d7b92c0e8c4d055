#include "QMultiDevCurFaultDlg.h"

#include "QBaseTableView.h"
#include "QCurFaultView.h"
#include "QFaultExportRows.h"
#include "QServoDeviceFaultModel.h"
#include "QSignalManager.h"
#include "QSoftCore.h"

#include <QEvent>
#include <QVBoxLayout>

QMultiDevCurFaultDlg::QMultiDevCurFaultDlg(QWidget* parent)
    : QBaseDlg(parent), m_view(new QBaseTableView(this)), m_model(new QServoDeviceFaultModel(this))
{
    resize(1114, 720);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(6);
    layout->setContentsMargins(11, TitleHeight, 11, 11);
    layout->addWidget(m_view);
    m_view->setModel(m_model);
    setTitle(tr("STR_CURRENT_FAULT"));
    QCurFaultView::applyColumnWidths(m_view, {120, 50, 60, 170, 141, 185, 185, 60, 60, 60});
    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    connect(hub, &QSignalManager::SigDeviceFaultChanged, this, &QMultiDevCurFaultDlg::onDeviceFaultChanged);
    connect(hub, &QSignalManager::sigDevShowChanged, this, &QMultiDevCurFaultDlg::slotUpdateDev);
    connect(hub, &QSignalManager::sigDevInfoChanged, this, &QMultiDevCurFaultDlg::slotUpdateDev);
}

int QMultiDevCurFaultDlg::rowCount() const
{
    return m_model->rowCount();
}

QStringList QMultiDevCurFaultDlg::devices() const
{
    return m_model->devices();
}

void QMultiDevCurFaultDlg::hideWhenEmpty()
{
    if (m_model->rowCount() == 0) {
        hide();
    }
}

void QMultiDevCurFaultDlg::onDeviceFaultChanged(QString aliasName)
{
    m_model->setDevice(aliasName);
    hideWhenEmpty();
}

void QMultiDevCurFaultDlg::slotUpdateDev()
{
    m_model->refreshAll();
    hideWhenEmpty();
}

void QMultiDevCurFaultDlg::removeDevice(const QString& alias)
{
    m_model->removeDevice(alias);
    hideWhenEmpty();
}

void QMultiDevCurFaultDlg::clearAll()
{
    m_model->clear();
    hideWhenEmpty();
}

void QMultiDevCurFaultDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        setTitle(tr("STR_CURRENT_FAULT"));
    }
    QBaseDlg::changeEvent(event);
}
