#include "QFunValueWidget_Servo.h"

#include "QBaseTableView.h"
#include "QCommonMethod.h"
#include "QDatabaseManager.h"
#include "QDefaultCompareFuncodeView.h"
#include "QDevAlarmWidget.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFunCodeDetailTable.h"
#include "QFuncodeDetailInfoWidget.h"
#include "QFuncodeGroupWidget_Servo.h"
#include "QFuncodeModelBase_Servo.h"
#include "QFuncodeModel_Servo.h"
#include "QFuncodeView_Servo.h"
#include "QFuncodeWriteRoad_Servo.h"
#include "QLibLogger.h"
#include "QLibSetting.h"
#include "QModifyFunModel_Servo.h"
#include "QMultiDevCurFaultDlg.h"
#include "QMyMessageBox.h"
#include "QNodeID.h"
#include "QProjectCore.h"
#include "QRecordDB_Servo.h"
#include "QScreenManager.h"
#include "QSelFunCodeModel_Servo.h"
#include "QSelFunCodeView_Servo.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QSortedModifyFunModel_Servo.h"
#include "QSortedModifyFunView_Servo.h"
#include "QSystemSetting.h"
#include "QTreeNodeTitle.h"
#include "QWriteNoticeLabel.h"

#include <QComboBox>
#include <QDateTime>
#include <QEvent>
#include <QHeaderView>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <iterator>
#include <log4cplus/loggingmacros.h>

namespace {
const char* const kTabTypeProperty = "tab_widget_type";

QDeviceServo* selectedServo()
{
    return QProjectCore::self()->getDevMgr()->getSelectServo();
}

// Columns of the pages that hold the function-code number a click refers to.
const int kFuncodeColumn = 0;
const int kRecordFuncodeColumn = 1;
const int kRecordRelateColumn = 9;
const int kTableRelateColumn = 18;
} // namespace

QFunValueWidget_Servo::QFunValueWidget_Servo(QWidget* parent) : QBaseStyleWidget(parent)
{
    createTabWidget();
    connect(QProjectCore::self()->getDevMgr(), &QDeviceManager::SigDelDev, this,
            &QFunValueWidget_Servo::OnDelDev);
    createAxisBox();
    connect(QSoftCore::getCore()->getSignalManager(), &QSignalManager::sigReLoadDeviceCfg, this,
            &QFunValueWidget_Servo::onUpdateModel);
    createGroupWidget();
    createMonitoredView();
    createStatisticsPage();
    createRecordPage();
    createOtherPages();
    createMenus();
    m_curAlias.clear();
    m_authority = QLibSetting::self()->getSystemSetting()->getAuthority();
    connect(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigClickTree, this,
            &QFunValueWidget_Servo::OnClickItem);
    connect(m_axisBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &QFunValueWidget_Servo::onAxisChanged);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(1, 0, 1, 0);
    layout->addWidget(m_tabWidget);
    layout->addWidget(new QWriteNoticeLabel(this)); // why an edit on any page was refused
    connectHost();
}

QFunValueWidget_Servo::~QFunValueWidget_Servo()
{
    delete m_infoWidget;
}

// ---------------------------------------------------------------- construction

void QFunValueWidget_Servo::createTabWidget()
{
    m_tabWidget = new QTabWidget(this);
    QTabBar* bar = m_tabWidget->tabBar();
    bar->setCursor(Qt::PointingHandCursor);
    bar->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tabWidget->setTabsClosable(true);
    m_tabWidget->setMovable(true);
    m_tabWidget->setMouseTracking(true);
    m_tabWidget->setUsesScrollButtons(true);
    connect(m_tabWidget, &QTabWidget::tabCloseRequested, this, &QFunValueWidget_Servo::OnCloseTab);
    connect(m_tabWidget, &QTabWidget::tabBarDoubleClicked, this, &QFunValueWidget_Servo::OnCloseTab);
    connect(m_tabWidget, &QTabWidget::tabBarClicked, this, &QFunValueWidget_Servo::OnTabClick);
    connect(bar, &QTabBar::customContextMenuRequested, this, &QFunValueWidget_Servo::OnRightMenuClicked);
}

void QFunValueWidget_Servo::createAxisBox()
{
    m_axisBox = new QComboBox(this);
    m_axisBox->setObjectName(QStringLiteral("AXIS_COMBOBOX"));
    m_axisBox->setFixedSize(100, qMax(20, m_tabWidget->tabBar()->sizeHint().height()));
    m_axisBox->addItems({QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")});
    m_axisBox->hide();
    m_axisBox->setCursor(Qt::PointingHandCursor);
    m_curAxis = 0;
}

void QFunValueWidget_Servo::createGroupWidget()
{
    m_groupWidget = new QFuncodeGroupWidget_Servo(this);
    connect(m_groupWidget, &QFuncodeGroupWidget_Servo::doubleClicked, this,
            &QFunValueWidget_Servo::slotOnViewDoubleClicked);
    connect(m_groupWidget, &QFuncodeGroupWidget_Servo::sigLeftButtonClick, this,
            &QFunValueWidget_Servo::slotOnViewClicked);
    m_groupWidget->hide();
}

void QFunValueWidget_Servo::createMonitoredView()
{
    m_selView = new QSelFunCodeView_Servo(this);
    m_selView->setMouseTracking(true);
    m_selView->hide();
    connect(this, &QFunValueWidget_Servo::SigHelp, m_selView, &QSelFunCodeView_Servo::OnHelp);
    connect(m_groupWidget, &QFuncodeGroupWidget_Servo::SigSelChanged, m_selView,
            &QSelFunCodeView_Servo::onInitModelData);
    connect(m_selView, &QSelFunCodeView_Servo::doubleClicked, this,
            &QFunValueWidget_Servo::slotOnViewDoubleClicked);
    connect(m_selView, &QSelFunCodeView_Servo::SigServoSelFuncodeViewShow, this,
            &QFunValueWidget_Servo::SigServoSelFuncodeShow);
    connect(m_selView, &QSelFunCodeView_Servo::SigLeftButtonClick, this,
            &QFunValueWidget_Servo::slotOnViewClicked);
}

void QFunValueWidget_Servo::createStatisticsPage()
{
    m_sortedModel = new QSortedModifyFunModel_Servo(this);
    m_sortedView = new QSortedModifyFunView_Servo(this);
    m_sortedView->setModel(m_sortedModel);
    m_sortedView->hide();
    connect(m_sortedView, &QSortedModifyFunView_Servo::sigSelectionChanged, m_selView,
            &QSelFunCodeView_Servo::onInitModelData);
    connect(m_sortedView, &QSortedModifyFunView_Servo::doubleClicked, this,
            &QFunValueWidget_Servo::slotOnViewDoubleClicked);
    connect(m_selView, &QSelFunCodeView_Servo::SigSelChanged, m_sortedModel,
            [this]() { m_sortedModel->refresh(true); });
    connect(m_sortedView, &QSortedModifyFunView_Servo::SigLeftButtonClick, this,
            &QFunValueWidget_Servo::slotOnViewClicked);
}

void QFunValueWidget_Servo::createRecordPage()
{
    m_recordView = new QBaseTableView(this);
    m_recordView->setEnableLeftClickSignal(true);
    m_recordView->setContextMenuPolicy(Qt::CustomContextMenu);
    m_recordModel =
        std::make_unique<QModifyFunModel_Servo>(this); // a child: it hears of a change of language
    m_recordView->setModel(m_recordModel.get());
    m_recordView->setEnableUpAndDownSelect(true);
    static const int widths[] = {150, 80, 200, 50, 110, 110, 100, 100, 100};
    for (int column = 0; column < int(std::size(widths)); ++column) {
        m_recordView->setColumnWidth(column, widths[column]);
    }
    m_recordView->horizontalHeader()->setStretchLastSection(true);
    m_recordView->hide();
    connect(m_recordView, &QBaseTableView::customContextMenuRequested, this,
            &QFunValueWidget_Servo::rightMenuClicked);
    connect(m_recordView, &QBaseTableView::doubleClicked, this,
            &QFunValueWidget_Servo::slotOnViewDoubleClicked);
    connect(m_recordView, &QBaseTableView::SigLeftButtonClick, this,
            &QFunValueWidget_Servo::slotOnViewClicked);
}

void QFunValueWidget_Servo::createOtherPages()
{
    m_defaultView = new QDefaultCompareFuncodeView(this);
    m_defaultView->setMouseTracking(true);
    m_defaultView->hide();
    connect(m_defaultView, &QDefaultCompareFuncodeView::doubleClicked, this,
            &QFunValueWidget_Servo::slotOnViewDoubleClicked);
    connect(m_defaultView, &QDefaultCompareFuncodeView::SigLeftButtonClick, this,
            &QFunValueWidget_Servo::slotOnViewClicked);

    m_multiFaultDlg = new QMultiDevCurFaultDlg(this);
    m_multiFaultDlg->hide();
    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    connect(hub, &QSignalManager::SigDeviceNewFaultArrived, this,
            &QFunValueWidget_Servo::slotShowFaultWindow);
    connect(hub, &QSignalManager::SigCurFaultHasClear, this, &QFunValueWidget_Servo::SlotCurFaultHasClear);

    m_alarmWidget = new QDevAlarmWidget(this);
    m_alarmWidget->hide();
}

void QFunValueWidget_Servo::createMenus()
{
    m_recordMenu = new QMenu(this);
    connect(m_recordMenu->addAction(tr("STR_RESTORE_OLD_VALUE")), &QAction::triggered, this,
            &QFunValueWidget_Servo::restoreOldValue);
    connect(m_recordMenu->addAction(tr("STR_CLEAR_RECORD")), &QAction::triggered, this,
            &QFunValueWidget_Servo::OnClearRecord);
    m_tabMenu = new QMenu(this);
    connect(m_tabMenu->addAction(tr("STR_CLOSE")), &QAction::triggered, this,
            &QFunValueWidget_Servo::OnCloseOne);
    connect(m_tabMenu->addAction(tr("STR_CLOSE_ALL")), &QAction::triggered, this,
            &QFunValueWidget_Servo::OnCloseAll);
    connect(m_tabMenu->addAction(tr("STR_CLOSE_OTHER")), &QAction::triggered, this,
            &QFunValueWidget_Servo::OnCloseOther);
}

void QFunValueWidget_Servo::connectHost()
{
    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    connect(this, &QFunValueWidget_Servo::SigStatusButtonActionTriggered, hub,
            &QSignalManager::SigStatusButtonActionTriggered);
    // Every page writes through the road, which records each change: the records page shows it first.
    connect(QFuncodeWriteRoad_Servo::self(), &QFuncodeWriteRoad_Servo::sigChangeRecorded, this,
            [this](const QString& aliasName, const tagModifyFuncode_Servo& record) {
                if (aliasName == m_curAlias) {
                    m_recordModel->insertFrontData(QModifyFunModel_Servo::makeDisplayRow(record));
                }
            });
    connect(hub, &QSignalManager::SigFuncodeDetailDelete, this,
            &QFunValueWidget_Servo::onDeleteFuncodeDetailWidget);
}

// ---------------------------------------------------------------- tree clicks and pages

QWidget* QFunValueWidget_Servo::pageOfKind(int subId) const
{
    switch (subId) {
    case TREE_NODE_FUNCODE:
        return m_groupWidget;
    case TREE_NODE_STATISTICS:
        return m_sortedView;
    case TREE_NODE_RECORDS:
        return m_recordView;
    case TREE_NODE_MONITORED:
        return m_selView;
    case TREE_NODE_DEFAULT_COMPARE:
        return m_defaultView;
    case TREE_NODE_ALARM:
        return m_alarmWidget;
    default:
        return nullptr;
    }
}

void QFunValueWidget_Servo::OnClickItem(const DeviceInfo* info, const tagTreeDataSet& treeDataSet)
{
    hideInfoWindow();
    if (treeDataSet.type != 0) {
        return;
    }
    if (treeDataSet.subId == TREE_NODE_ALL_CUR_FAULTS) {
        slotShowFaultWindow();
        LOG4CPLUS_INFO(QLibLogger::self()->getDefaultLogger(),
                       "QCurFaultView CLICKED PROJECTTREE_MULTI_DEV_CUR_FAULT_INFO_SERVO ITEM");
        return;
    }
    if (!info) {
        return;
    }
    const QString alias = info->aliasName;
    const int authority = QLibSetting::self()->getSystemSetting()->getAuthority();
    const bool changed = alias != m_curAlias || authority != m_authority;
    if (changed && treeDataSet.subId != TREE_NODE_DRIVE) {
        removeAllTabs();
    }
    m_curAlias = alias;
    m_authority = authority;
    adaptAxisColumns();
    if (changed && treeDataSet.subId != TREE_NODE_DRIVE) {
        initDeviceViews(alias);
    }
    if (treeDataSet.subId == TREE_NODE_DRIVE) {
        QDeviceServo* device = selectedServo();
        if (!device) {
            return;
        }
        m_curAlias = device->getAliasName();
        emit SigStatusButtonActionTriggered();
        return;
    }
    QWidget* page = pageOfKind(treeDataSet.subId);
    if (!page) {
        return;
    }
    if (treeDataSet.subId == TREE_NODE_RECORDS && !m_recordView->isVisible()) {
        loadModifyRecords();
    }
    if (treeDataSet.subId == TREE_NODE_MONITORED) {
        m_selView->onInitModelData();
    }
    openPage(page, treeDataSet);
}

void QFunValueWidget_Servo::adaptAxisColumns()
{
    const QList<QFuncodeView_Servo*> tables = m_groupWidget->getpFuncodeGroup();
    for (QFuncodeView_Servo* table : tables) {
        table->updateAxisColumns();
    }
    m_selView->updateAxisColumns();
}

void QFunValueWidget_Servo::openPage(QWidget* page, const tagTreeDataSet& treeDataSet)
{
    int index = m_tabWidget->indexOf(page);
    if (index < 0) {
        index = m_tabWidget->addTab(page, treeDataSet.strText);
    } else {
        m_tabWidget->setTabText(index, treeDataSet.strText);
    }
    m_tabWidget->setCurrentIndex(index);
    m_tabWidget->setTabToolTip(index, treeDataSet.strText);
    page->setProperty(kTabTypeProperty, QNodeID(0, treeDataSet.subId, 0).toInt());
}

void QFunValueWidget_Servo::initDeviceViews(const QString& alias)
{
    QDeviceServo* device = QProjectCore::self()->getDevMgr()->getDeviceServo(alias);
    if (!device) {
        return;
    }
    QDeviceServo* selected = selectedServo();
    if (selected == device) {
        // The groups themselves may differ (another authority, a reloaded description).
        m_groupWidget->init();
    }
    const QDeviceServo::FuncodeGroupMap map =
        selected ? selected->getNormalFuncodeGroupMap() : QDeviceServo::FuncodeGroupMap();
    const QList<QFuncodeView_Servo*> tables = m_groupWidget->getpFuncodeGroup();
    for (QFuncodeView_Servo* table : tables) {
        QMap<QString, QList<tagSubFuncode_Servo*>> own;
        const QString group = table->getFunGroup();
        if (map.contains(group)) {
            own.insert(group, map.value(group));
        }
        table->onInitModelData(own);
    }
    m_selView->onInitModelData();
}

// The page reads the stored records a page at a time as it is scrolled; only the first page now.
void QFunValueWidget_Servo::loadModifyRecords()
{
    m_recordModel->loadRecords(m_curAlias);
}

void QFunValueWidget_Servo::removeAllTabs()
{
    while (m_tabWidget->count() > 0) {
        m_tabWidget->removeTab(0);
    }
}

void QFunValueWidget_Servo::showEvent(QShowEvent* event)
{
    QBaseStyleWidget::showEvent(event);
    QDeviceServo* device = selectedServo();
    if (!device) {
        return;
    }
    tagTreeDataSet click;
    click.strText = tr("STR_FUNCODE");
    click.type = 0;
    click.subId = -1;
    click.sequentialIndex = -1;
    if (QWidget* current = m_tabWidget->currentWidget()) {
        const QNodeID node(current->property(kTabTypeProperty).toInt());
        click.strText = m_tabWidget->tabText(m_tabWidget->currentIndex());
        click.type = node.type();
        click.subId = node.subId();
        click.sequentialIndex = node.sequentialIndex();
    }
    OnClickItem(device->getDeviceInfoPtr(), click);
}

QString QFunValueWidget_Servo::pageTitle(int subId)
{
    return subId == TREE_NODE_ALL_CUR_FAULTS ? QString() : QTreeNodeTitle::title(subId);
}

void QFunValueWidget_Servo::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        delete m_recordMenu;
        delete m_tabMenu;
        createMenus();
        for (int index = 0; index < m_tabWidget->count(); ++index) {
            const QNodeID node(m_tabWidget->widget(index)->property(kTabTypeProperty).toInt());
            const QString title = pageTitle(node.subId());
            if (!title.isEmpty()) {
                m_tabWidget->setTabText(index, title);
                m_tabWidget->setTabToolTip(index, title);
            }
        }
    }
    QBaseStyleWidget::changeEvent(event);
}

void QFunValueWidget_Servo::resizeEvent(QResizeEvent* event)
{
    QBaseStyleWidget::resizeEvent(event);
    placeAxisBox();
}

void QFunValueWidget_Servo::placeAxisBox()
{
    m_axisBox->move(m_tabWidget->x() + m_tabWidget->width() - m_axisBox->width(), m_tabWidget->y());
}

void QFunValueWidget_Servo::leaveEvent(QEvent* event)
{
    QBaseStyleWidget::leaveEvent(event);
    hideInfoWindow();
}

// ---------------------------------------------------------------- tabs

void QFunValueWidget_Servo::OnCloseTab(int index)
{
    if (index < 0 || index >= m_tabWidget->count()) {
        return;
    }
    m_tabWidget->removeTab(index);
}

void QFunValueWidget_Servo::OnRightMenuClicked(QPoint pos)
{
    m_menuTab = m_tabWidget->tabBar()->tabAt(pos);
    m_tabMenu->popup(QCursor::pos());
}

void QFunValueWidget_Servo::OnCloseOne()
{
    OnCloseTab(m_menuTab);
}

void QFunValueWidget_Servo::OnCloseAll()
{
    removeAllTabs();
}

void QFunValueWidget_Servo::OnCloseOther()
{
    if (m_menuTab < 0 || m_menuTab >= m_tabWidget->count()) {
        return;
    }
    for (int index = m_tabWidget->count() - 1; index >= 0; --index) {
        if (index > m_menuTab) {
            OnCloseTab(index);
            continue;
        }
        if (index == 0) {
            break;
        }
        OnCloseTab(index - 1);
        m_menuTab = index - 1;
    }
}

void QFunValueWidget_Servo::OnTabClick(int index)
{
    Q_UNUSED(index)
    hideInfoWindow();
}

void QFunValueWidget_Servo::onScrollMoved(int value)
{
    Q_UNUSED(value)
}

// ---------------------------------------------------------------- recording changes

void QFunValueWidget_Servo::OnDataChanged(QString oldVal, QString newVal, tagSubFuncodePtr_Servo fun,
                                          int axisIndex)
{
    QFuncodeWriteRoad_Servo::self()->recordChange(selectedServo(), fun, axisIndex, oldVal, newVal);
}

void QFunValueWidget_Servo::onModelSetData(QString oldVal, QVariant newVal, tagSubFuncodePtr_Servo fun,
                                           int axisIndex)
{
    Q_UNUSED(oldVal)
    if (!fun) {
        return;
    }
    // Opened from a table: the table hands the value to the road, and its cell is painted anew.
    const auto* model = qobject_cast<const QFuncodeModelBase_Servo*>(m_doubleClickedIndex.model());
    if (model && m_doubleClickedIndex.isValid() && model->getSubFuncode(m_doubleClickedIndex.row()) == fun) {
        const_cast<QAbstractItemModel*>(m_doubleClickedIndex.model())
            ->setData(m_doubleClickedIndex, newVal, QFuncodeModelBase_Servo::AXIS_ROLE_BASE + axisIndex);
        return;
    }
    // Opened from a page without a value model (statistics).
    QFuncodeWriteRoad_Servo::self()->writeEditorValue(selectedServo(), fun->funIndex, axisIndex, newVal);
}

// ---------------------------------------------------------------- records page

void QFunValueWidget_Servo::restoreOldValue()
{
    const QModelIndex current = m_recordView->currentIndex();
    if (!current.isValid()) {
        return;
    }
    const auto text = [&current](int column) {
        return current.sibling(current.row(), column).data().toString();
    };
    int axis = 0;
    while (axis < 2 && QDeviceServo::getAxisName(axis) != text(QModifyFunModel_Servo::COL_AXIS)) {
        ++axis;
    }
    // Written as a new change, or refused with its reason (the notice under the pages says it).
    QFuncodeWriteRoad_Servo::self()->restoreShown(selectedServo(), text(QModifyFunModel_Servo::COL_INDEX),
                                                  axis, text(QModifyFunModel_Servo::COL_OLD_VAL));
}

void QFunValueWidget_Servo::OnClearRecord()
{
    if (QMyMessageBox::question(this, tr("STR_FUNCODE"), tr("STR_SURE_TO_CLEAR_FUNCODE")) != 1) {
        return;
    }
    QDatabaseManager::self()->getRecordDatabase_Servo()->clearModifyFunCodes(m_curAlias);
    loadModifyRecords();
}

void QFunValueWidget_Servo::rightMenuClicked()
{
    if (m_recordModel->rowCount() < 1) {
        return;
    }
    m_recordMenu->popup(QCursor::pos());
}

// ---------------------------------------------------------------- faults and devices

void QFunValueWidget_Servo::slotShowFaultWindow()
{
    if (sender()) {
        LOG4CPLUS_INFO(QLibLogger::self()->getDefaultLogger(),
                       "QCurFaultView RECEIVE DeviceNewFaultArrived signal");
    }
    if (m_multiFaultDlg->isVisible()) {
        return;
    }
    QScreenManager::self()->moveToCenter(m_multiFaultDlg);
    m_multiFaultDlg->show();
    m_multiFaultDlg->activateWindow();
}

void QFunValueWidget_Servo::SlotCurFaultHasClear(QString aliasName)
{
    m_multiFaultDlg->removeDevice(aliasName);
}

void QFunValueWidget_Servo::OnDelDev(QString dev)
{
    if (dev == m_curAlias) {
        m_curAlias.clear();
        removeAllTabs();
    }
    m_multiFaultDlg->removeDevice(dev);
}

void QFunValueWidget_Servo::OnDevStatus(QString aliasName, int stat)
{
    Q_UNUSED(aliasName)
    Q_UNUSED(stat)
}

void QFunValueWidget_Servo::clearWorkspace()
{
    m_curAlias.clear();
    removeAllTabs();
    m_multiFaultDlg->clearAll();
    m_multiFaultDlg->hide();
}

void QFunValueWidget_Servo::onUpdateModel(QString aliasName)
{
    initDeviceViews(aliasName);
}

void QFunValueWidget_Servo::onUpdateFocusModal()
{
    m_selView->onInitModelData();
}

// ---------------------------------------------------------------- axis box

void QFunValueWidget_Servo::onShowAxis()
{
    QDeviceServo* device = selectedServo();
    if (device && device->getAxisNum() > 1) {
        placeAxisBox();
        m_axisBox->show();
        m_axisBox->raise();
    }
}

void QFunValueWidget_Servo::onHideAxis()
{
    m_axisBox->hide();
}

void QFunValueWidget_Servo::onAxisChanged(int axisIndex)
{
    m_curAxis = axisIndex;
    m_alarmWidget->setFaultAxisIndex(axisIndex);
}

// ---------------------------------------------------------------- detail windows

bool QFunValueWidget_Servo::isAxisColumn(int column) const
{
    QDeviceServo* device = selectedServo();
    return device && column >= 4 && column < 4 + device->getAxisNum();
}

void QFunValueWidget_Servo::slotOnViewDoubleClicked(QModelIndex index)
{
    hideInfoWindow();
    QObject* source = sender();
    if (source == m_sortedView) {
        openDetailFromStatistics(index);
    } else if (source == m_groupWidget || source == m_selView) {
        openDetailFromTable(index, false);
    } else if (source == m_defaultView) {
        openDetailFromTable(index, true);
    } else if (source == m_recordView) {
        openDetailFromRecords(index);
    }
}

void QFunValueWidget_Servo::runDetail(QFunCodeDetailTable* dialog)
{
    m_detailDlg = dialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->exec();
}

void QFunValueWidget_Servo::openDetailFromStatistics(const QModelIndex& index)
{
    static const QList<int> ignored{3, 4, 5, 13, 14};
    if (!index.isValid() || ignored.contains(index.column())) {
        return;
    }
    const QString funIndex = m_sortedModel->getFunIndex(index.row());
    if (funIndex.isEmpty()) {
        return;
    }
    auto* dialog = new QFunCodeDetailTable(funIndex, this);
    m_doubleClickedIndex = QPersistentModelIndex();
    connect(dialog, &QFunCodeDetailTable::sigDataChanged, this, &QFunValueWidget_Servo::onModelSetData);
    if (!m_sortedModel->isFuncodeModifiable(index.row())) {
        dialog->disableModify();
    }
    runDetail(dialog);
}

void QFunValueWidget_Servo::openDetailFromTable(const QModelIndex& index, bool fromDefaultPage)
{
    if (!index.isValid()) {
        return;
    }
    if (!fromDefaultPage && isAxisColumn(index.column())) {
        return; // the value editor of the cell handles it
    }
    const QString funIndex = index.sibling(index.row(), kFuncodeColumn).data().toString();
    if (!funIndex.contains(QLatin1Char('P'))) {
        return;
    }
    if (index.column() == kTableRelateColumn && !fromDefaultPage) {
        if (!hasRelateParam(funIndex)) {
            return;
        }
        tagModifyFuncode_Servo record =
            QDatabaseManager::self()->getRecordDatabase_Servo()->getNoTimeReleParamValMap(m_curAlias,
                                                                                          funIndex);
        if (record.relateParamMap.isEmpty()) {
            record = currentRelateRecord(funIndex);
        }
        const QString now = QCommonMethod::timeStempTotimeStr(QDateTime::currentSecsSinceEpoch());
        runDetail(new QFunCodeDetailTable(now, funIndex, true, record, this));
        return;
    }
    bool modifiable = false;
    if (!fromDefaultPage) {
        const auto* model = qobject_cast<const QFuncodeModelBase_Servo*>(index.model());
        modifiable = model && model->isEditable(index.row());
    }
    auto* dialog = new QFunCodeDetailTable(funIndex, this);
    if (!modifiable) {
        dialog->disableModify();
    }
    m_doubleClickedIndex = index;
    connect(dialog, SIGNAL(sigDataChanged(QString, QVariant, tagSubFuncodePtr_Servo, int)), this,
            SLOT(onModelSetData(QString, QVariant, tagSubFuncodePtr_Servo, int)));
    runDetail(dialog);
}

void QFunValueWidget_Servo::openDetailFromRecords(const QModelIndex& index)
{
    if (!index.isValid() || index.column() != kRecordRelateColumn) {
        return;
    }
    const QString funIndex = index.sibling(index.row(), kRecordFuncodeColumn).data().toString();
    if (!hasRelateParam(funIndex)) {
        return;
    }
    const QString time = index.sibling(index.row(), 0).data().toString();
    runDetail(new QFunCodeDetailTable(time, funIndex, true, tagModifyFuncode_Servo(), this));
}

void QFunValueWidget_Servo::slotOnViewClicked(QModelIndex index, QPoint point)
{
    hideInfoWindow();
    emit QSoftCore::getCore()->getSignalManager()->SigFuncodeDetailDelete();
    if (!m_infoWidget) {
        m_infoWidget = new QFuncodeDetailInfoWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint);
    }
    if (!selectedServo() || !index.isValid()) {
        return;
    }
    int column = kFuncodeColumn;
    if (m_selView->isVisible() || m_groupWidget->isVisible() || m_sortedView->isVisible()) {
        const int firstAxisColumn = m_sortedView->isVisible() ? 3 : 4;
        const int axes = selectedServo()->getAxisNum();
        if (index.column() >= firstAxisColumn && index.column() < firstAxisColumn + axes) {
            return;
        }
    } else if (m_recordView->isVisible()) {
        column = kRecordFuncodeColumn;
    }
    m_infoWidget->setCurServoFuncode(index.sibling(index.row(), column).data().toString());
    m_infoWidget->show();
    m_infoWidget->moveFunDetailInfoWidget(point);
}

void QFunValueWidget_Servo::hideInfoWindow()
{
    if (m_infoWidget) {
        m_infoWidget->hide();
    }
}

void QFunValueWidget_Servo::onDeleteFuncodeDetailWidget()
{
    hideInfoWindow();
}

tagModifyFuncode_Servo QFunValueWidget_Servo::currentRelateRecord(const QString& funIndex) const
{
    tagModifyFuncode_Servo record;
    record.funIndex = funIndex;
    QDeviceServo* device = selectedServo();
    if (!device) {
        return record;
    }
    record.axisIndex = device->getAxisNum();
    const QRecordDB_Servo* records = QDatabaseManager::self()->getRecordDatabase_Servo();
    const QStringList related = device->getReleParamListByFunIndex(funIndex);
    for (const QString& number : related) {
        // The newest record of each related code, looked up by index: the history may be long.
        const tagModifyFuncode_Servo found = records->getNewestModifyFunCode(m_curAlias, number);
        if (!found.isEmpty()) {
            record.relateParamMap.insert(number, qMakePair(found.oldVal, found.newVal));
        } else if (device->getNormalFuncodePtrByFunIndex(number, false)) {
            const QString value = device->getScaledCurValueStr(number, 0);
            record.relateParamMap.insert(number, qMakePair(value, value));
        }
    }
    return record;
}

bool QFunValueWidget_Servo::hasRelateParam(const QString& funIndex) const
{
    QDeviceServo* device = selectedServo();
    const tagSubFuncode_Servo* fun =
        device ? device->getNormalFuncodePtrByFunIndex(funIndex, false) : nullptr;
    return fun && !fun->relateParam.isEmpty();
}

// ---------------------------------------------------------------- main widget operations

void QFunValueWidget_Servo::showFuncode(QString alias, QString dev, QString ver, QString subCode)
{
    Q_UNUSED(alias)
    Q_UNUSED(dev)
    Q_UNUSED(ver)
    QDeviceServo* device = selectedServo();
    if (!device) {
        return;
    }
    tagSubFuncode_Servo* fun = device->getFuncodePtrByFunIndex(subCode, false);
    if (!fun || !device->isNormalFuncode(fun)) {
        return;
    }
    if (!m_groupWidget->isVisible()) {
        tagTreeDataSet click;
        click.strText = tr("STR_FUNCODE");
        click.subId = TREE_NODE_FUNCODE;
        OnClickItem(device->getDeviceInfoPtr(), click);
    }
    m_groupWidget->setCurrentFuncodeGroup(fun->groupName);
    QFuncodeView_Servo* view = m_groupWidget->getCurrentFuncodeView();
    if (!view) {
        return;
    }
    view->setModelGroup(view->getFunGroup());
    const int row = view->getRowByValue(kFuncodeColumn, subCode);
    if (row < 0) {
        return;
    }
    static_cast<QTableView*>(view)->selectRow(row);
    view->scrollTo(view->model()->index(row, kFuncodeColumn), QAbstractItemView::PositionAtCenter);
}

void QFunValueWidget_Servo::refreshVisibleView()
{
    QFuncodeView_Servo* view = m_groupWidget->getCurrentFuncodeView();
    if (view && view->isVisible()) {
        view->OnRefresh();
    }
    if (m_selView->isVisible()) {
        m_selView->OnRefresh();
    }
}

bool QFunValueWidget_Servo::isMonitoredPageVisible() const
{
    return m_selView->isVisible();
}

void QFunValueWidget_Servo::upMoveMonitored()
{
    m_selView->upMove();
}

void QFunValueWidget_Servo::downMoveMonitored()
{
    m_selView->downMove();
}

QStringList QFunValueWidget_Servo::monitoredFuncodes() const
{
    QDeviceServo* device = selectedServo();
    return device ? device->getSelSubFuncodeList() : QStringList();
}
