#include "QCurFaultView.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFaultCsvExporter.h"
#include "QFaultExportRows.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSingleServoDeviceFaultModel.h"
#include "QSoftCore.h"
#include "QSystemSetting.h"

#include <QCursor>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QStyle>

QCurFaultView::QCurFaultView(QWidget* parent)
    : QBaseTableView(parent), m_model(new QSingleServoDeviceFaultModel(this))
{
    setWindowTitle(tr("STR_CURRENT_FAULT"));
    setWindowIcon(
        QIcon(QFileInfo(QLibSetting::self()->getSystemSetting()->getTitleIconPath()).absoluteFilePath()));
    initMenu();
    setModel(m_model);
    connect(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigDeviceFaultChanged, this,
            &QCurFaultView::OnDeviceFaultChanged);
    initColumns();
}

void QCurFaultView::initMenu()
{
    setContextMenuPolicy(Qt::CustomContextMenu);
    m_menu = new QMenu(this);
    m_refreshAction = m_menu->addAction(tr("STR_REFRESH"), this, &QCurFaultView::OnRefresh);
    m_exportAction = m_menu->addAction(tr("STR_EXPORT"), this, &QCurFaultView::exportFaultInfo);
    connect(this, &QWidget::customContextMenuRequested, this, &QCurFaultView::rightMenuClicked);
}

void QCurFaultView::initColumns()
{
    applyColumnWidths(this, {0, 60, 90, 170, 141, 185, 185, 60, 60, 60});
    setColumnHidden(QFaultExportRows::COL_DEVICE, true);
}

void QCurFaultView::applyColumnWidths(QTableView* view, const QVector<int>& widths)
{
    // A larger font would cut the headings and the time; those columns get the room they need.
    const QFontMetrics metrics = view->horizontalHeader()->fontMetrics();
    const int padding = 2 * view->style()->pixelMetric(QStyle::PM_HeaderMargin) + 8;
    const QAbstractItemModel* model = view->model();
    for (int column = 0; column < widths.size(); ++column) {
        QString text = model ? model->headerData(column, Qt::Horizontal).toString() : QString();
        if (column == QFaultExportRows::COL_TIME) {
            text = QStringLiteral("0000-00-00 00:00:00");
        }
        view->setColumnWidth(column, qMax(widths.at(column), metrics.horizontalAdvance(text) + padding));
    }
}

void QCurFaultView::showEvent(QShowEvent* event)
{
    QBaseTableView::showEvent(event);
    OnRefresh();
}

void QCurFaultView::OnRefresh()
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return;
    }
    if (device->isDeviceOnline()) {
        device->setFaultAxisIndex(m_axis);
        device->OnReadFaultFuncode(m_axis);
    }
    m_model->setDevice(device->getAliasName());
}

void QCurFaultView::OnDeviceFaultChanged(QString aliasName)
{
    const QDeviceServo* device = QProjectCore::selectedServo();
    if (device && device->getAliasName() == aliasName) {
        m_model->setDevice(aliasName);
    }
}

void QCurFaultView::rightMenuClicked(QPoint point)
{
    Q_UNUSED(point)
    const QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return;
    }
    m_refreshAction->setEnabled(device->isDeviceOnline());
    m_exportAction->setEnabled(!device->getCurFaultList().isEmpty());
    m_menu->popup(QCursor::pos());
}

void QCurFaultView::exportFaultInfo()
{
    const QDeviceServo* device = QProjectCore::selectedServo();
    QFaultCsvExporter::Table table;
    table.heading = tr("STR_CURRENT_FAULT");
    table.headers = QFaultExportRows::curFaultHeaders();
    table.rows = QFaultExportRows::curFaultRows(device);
    QFaultCsvExporter::exportTable(this, device, table);
}

void QCurFaultView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(tr("STR_CURRENT_FAULT"));
        m_refreshAction->setText(tr("STR_REFRESH"));
        m_exportAction->setText(tr("STR_EXPORT"));
    }
    QBaseTableView::changeEvent(event);
}
