#include "QSortedModifyFunView_Servo.h"

#include "QAssistantManager.h"
#include "QCommonMethod.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFunCodeDetailTable.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QSortedModifyFunDelegate_Servo.h"
#include "QSortedModifyFunDetailDlg_Servo.h"
#include "QSortedModifyFunModel_Servo.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <iterator>

QSortedModifyFunView_Servo::QSortedModifyFunView_Servo(QWidget* parent) : QBaseTableView(parent)
{
    setItemDelegate(new QSortedModifyFunDelegate_Servo(this));
    setFocusPolicy(Qt::StrongFocus);
    m_readTimer = new QTimer(this);
    createMenu();
    connect(this, &QSortedModifyFunView_Servo::doubleClicked, this,
            &QSortedModifyFunView_Servo::slotDoubleClicked);
    connect(m_readTimer, &QTimer::timeout, this, &QSortedModifyFunView_Servo::slotStartReadingFuncode);
    connect(QSoftCore::getCore()->getSignalManager(), &QSignalManager::sigRefreshParamsChanged, this,
            &QSortedModifyFunView_Servo::onRefreshIntervalChanged);
    setEnableLeftClickSignal(true);
}

QSortedModifyFunView_Servo::~QSortedModifyFunView_Servo() = default;

void QSortedModifyFunView_Servo::createMenu()
{
    m_menu = new QMenu(this);
    m_sortAction = m_menu->addAction(tr("STR_MODIFY_TIMES_DESCEND"));
    connect(m_sortAction, &QAction::triggered, this, &QSortedModifyFunView_Servo::slotSorted);
    QAction* refresh = m_menu->addAction(tr("STR_REFRESH"));
    connect(refresh, &QAction::triggered, this, &QSortedModifyFunView_Servo::onRefreshTriggered);
    m_menu->addSeparator();
    QAction* selectAll = m_menu->addAction(tr("STR_SELECT_ALL"));
    connect(selectAll, &QAction::triggered, this, &QSortedModifyFunView_Servo::slotOnSelectAll);
    QAction* deselectAll = m_menu->addAction(tr("STR_SELECT_CANCEL"));
    connect(deselectAll, &QAction::triggered, this, &QSortedModifyFunView_Servo::slotOnDeselectAll);
    QAction* help = m_menu->addAction(tr("STR_HELP"));
    help->setShortcut(QKeySequence::HelpContents);
    connect(help, &QAction::triggered, this, &QSortedModifyFunView_Servo::slotHelp);
}

void QSortedModifyFunView_Servo::setModel(QAbstractItemModel* model)
{
    if (m_model) {
        disconnect(m_model, nullptr, this, nullptr);
    }
    m_model = qobject_cast<QSortedModifyFunModel_Servo*>(model);
    if (m_model) {
        connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this,
                &QSortedModifyFunView_Servo::slotStopReadingFuncode);
        connect(m_model, &QSortedModifyFunModel_Servo::sigDataChanged, this,
                &QSortedModifyFunView_Servo::sigDataChanged);
        connect(m_model, &QSortedModifyFunModel_Servo::sigSelectionChanged, this,
                &QSortedModifyFunView_Servo::sigSelectionChanged);
    }
    QBaseTableView::setModel(model);
    setEnableUpAndDownSelect(true);
    setColumnWidths();
}

void QSortedModifyFunView_Servo::setColumnWidths()
{
    static const int widths[] = {80, 60, 200, 110, 110, 110, 80, 90, 90, 90, 60, 150, 70, 100, 130};
    const int columns = model() ? model()->columnCount() : 0;
    for (int column = 0; column < columns && column < int(std::size(widths)); ++column) {
        setColumnWidth(column, widths[column]);
    }
    horizontalHeader()->setStretchLastSection(true);
}

bool QSortedModifyFunView_Servo::isReading() const
{
    return m_readTimer->isActive();
}

void QSortedModifyFunView_Servo::slotSorted()
{
    if (!m_model) {
        return;
    }
    m_model->refresh(!m_model->isDescending());
    updateSortActionText();
}

void QSortedModifyFunView_Servo::updateSortActionText()
{
    const bool descending = !m_model || m_model->isDescending();
    m_sortAction->setText(descending ? tr("STR_MODIFY_TIMES_DESCEND") : tr("STR_MODIFY_TIMES_ASCEND"));
}

void QSortedModifyFunView_Servo::slotHelp()
{
    const QDeviceServo* device = QProjectCore::selectedServo();
    if (!device || !m_model) {
        return;
    }
    const QString funIndex = m_model->getFunIndex(currentIndex().row());
    if (funIndex.isEmpty()) {
        return;
    }
    QAssistantManager* help = QSoftCore::getCore()->getAssistantManager();
    help->openPage(device->getDevName(), funIndex.section(QLatin1Char('.'), 0, 0), funIndex);
    help->highlightWin();
}

void QSortedModifyFunView_Servo::slotDoubleClicked(const QModelIndex& index)
{
    const QDeviceServo* device = QProjectCore::selectedServo();
    if (!device || !m_model || !index.isValid()) {
        return;
    }
    const QString funIndex = m_model->getFunIndex(index.row());
    const tagSubFuncode_Servo* fun =
        funIndex.isEmpty() ? nullptr : device->getNormalFuncodePtrByFunIndexAuth(funIndex);
    if (!fun) {
        return;
    }
    if (index.column() == QSortedModifyFunModel_Servo::COL_MODIFY_COUNT) {
        openModifyDetail(index.row(), fun);
    } else if (index.column() == QSortedModifyFunModel_Servo::COL_RELATE_PARAM) {
        openRelateParamDetail(index.row(), fun);
    }
}

void QSortedModifyFunView_Servo::openModifyDetail(int row, const tagSubFuncode_Servo* fun)
{
    const QDeviceServo* device = QProjectCore::selectedServo();
    QSortedModifyFunDetailDlg_Servo dialog(this);
    dialog.setTitle(QStringLiteral("%1 (%2 %3)").arg(tr("STR_MODIFY_DETAIL"), fun->funIndex, fun->funName));
    dialog.setData(m_model->getModifyData(row), device->getDecimals(fun->precision));
    dialog.setFuncode(QProjectCore::selectedServo(), fun->funIndex);
    dialog.exec();
}

void QSortedModifyFunView_Servo::openRelateParamDetail(int row, const tagSubFuncode_Servo* fun)
{
    // Without related parameters the dialog would have nothing to show.
    if (fun->relateParam.isEmpty()) {
        return;
    }
    // The dialog shows the related values as of the latest change.
    const int lastChange = m_model->getLastModifyTime(row);
    const QString time =
        m_model->getModifyCount(row) == 0 ? QString() : QCommonMethod::timeStempTotimeStr(lastChange);
    QFunCodeDetailTable dialog(time, fun->funIndex, true, tagModifyFuncode_Servo(), this);
    dialog.exec();
}

void QSortedModifyFunView_Servo::slotOnSelectAll()
{
    changeMonitored(true);
}

void QSortedModifyFunView_Servo::slotOnDeselectAll()
{
    changeMonitored(false);
}

void QSortedModifyFunView_Servo::changeMonitored(bool select)
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device || !m_model) {
        return;
    }
    const QString funIndex = m_model->getFunIndex(currentIndex().row());
    if (funIndex.isEmpty()) {
        return;
    }
    const bool selected = device->isSubFuncodeSelected(funIndex);
    if (select && !selected) {
        device->appendSelSubFuncode(funIndex);
    } else if (!select && selected) {
        device->removeSelSubFuncode(funIndex);
    }
    m_model->refresh(true);
    emit sigSelectionChanged();
}

void QSortedModifyFunView_Servo::slotStartReadingFuncode()
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device || !m_model || !device->isDeviceOnline()) {
        return;
    }
    const QPair<int, int> window = rowsToRead();
    const QStringList numbers = m_model->getFunIndexes(window.first, window.first + window.second - 1);
    QList<tagSubFuncode_Servo*> codes;
    for (const QString& number : numbers) {
        if (tagSubFuncode_Servo* fun = device->getNormalFuncodePtrByFunIndex(number, false)) {
            codes.append(fun);
        }
    }
    if (!codes.isEmpty()) {
        device->readFuncode(codes);
    }
}

void QSortedModifyFunView_Servo::slotStopReadingFuncode()
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device || !m_model) {
        return;
    }
    QList<tagSubFuncode_Servo*> codes;
    const QStringList numbers = m_model->getAllFunIndexes();
    for (const QString& number : numbers) {
        if (tagSubFuncode_Servo* fun = device->getNormalFuncodePtrByFunIndex(number, false)) {
            codes.append(fun);
        }
    }
    if (codes.isEmpty()) {
        return;
    }
    device->stopReadValue(codes, QDeviceServo::AXIS_X);
    if (device->getAxisNum() > 1) {
        device->stopReadValue(codes, QDeviceServo::AXIS_Y);
        device->stopReadValue(codes, QDeviceServo::AXIS_Z);
    }
}

void QSortedModifyFunView_Servo::onRefreshIntervalChanged(QString aliasName)
{
    const QDeviceServo* device = QProjectCore::selectedServo();
    if (device && !aliasName.isEmpty() && aliasName != device->getAliasName()) {
        return;
    }
    applyReadInterval();
}

// Reads only while the page is visible, with the selected drive's interval; 0 or less: no reading.
void QSortedModifyFunView_Servo::applyReadInterval()
{
    m_readTimer->stop();
    const QDeviceServo* device = QProjectCore::selectedServo();
    if (!device || !isVisible()) {
        return;
    }
    const int interval = device->getCommuParams().refreshInterval;
    if (interval > 0) {
        m_readTimer->start(interval);
    }
}

void QSortedModifyFunView_Servo::applyAxisColumns()
{
    const QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return;
    }
    showAxisColumns(device->getAxisNum(),
                    {QSortedModifyFunModel_Servo::COL_COMMONLY, QSortedModifyFunModel_Servo::COL_AXIS_Y,
                     QSortedModifyFunModel_Servo::COL_AXIS_Z});
}

void QSortedModifyFunView_Servo::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        slotHelp();
        return;
    }
    QBaseTableView::keyPressEvent(event);
}

void QSortedModifyFunView_Servo::showEvent(QShowEvent* event)
{
    QBaseTableView::showEvent(event);
    if (m_model) {
        m_model->refresh(true);
    }
    applyReadInterval();
    applyAxisColumns();
}

void QSortedModifyFunView_Servo::hideEvent(QHideEvent* event)
{
    m_readTimer->stop();
    QBaseTableView::hideEvent(event);
}

void QSortedModifyFunView_Servo::contextMenuEvent(QContextMenuEvent* event)
{
    updateSortActionText();
    m_menu->exec(event->globalPos());
}

void QSortedModifyFunView_Servo::onRefreshTriggered()
{
    const QSharedPointer<QDeviceBase> device = QProjectCore::self()->getDevMgr()->getSelectInvertor();
    if (device && device->isDeviceOnline()) {
        emit sigRefreshFuncode();
    }
}

bool QSortedModifyFunView_Servo::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        event->accept();
        return true;
    }
    return QBaseTableView::event(event);
}

void QSortedModifyFunView_Servo::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        delete m_menu;
        createMenu();
        updateSortActionText();
    }
    QBaseTableView::changeEvent(event);
}
