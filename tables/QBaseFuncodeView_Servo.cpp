#include "QBaseFuncodeView_Servo.h"

#include "QAssistantManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeDelegate_Servo.h"
#include "QFuncodeModelBase_Servo.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"

#include <QAction>
#include <QCursor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

namespace {
const char* const kColumnProperty = "action";
// The translation key of a right-click menu entry, whose text follows the language.
const char* const kTextKeyProperty = "textKey";
// Room beside a cell's text.
const int kCellPadding = 8;

QIcon shownIcon()
{
    return QIcon(QStringLiteral(":/img/topWidgetImge/checked"));
}

// Relation columns "F", "P", "S", "T", which one drive model does not have.
const int kFirstRelationColumn = QFuncodeModelBase_Servo::COL_RELATE_F;
const int kLastRelationColumn = QFuncodeModelBase_Servo::COL_RELATE_T;
} // namespace

QBaseFuncodeView_Servo::QBaseFuncodeView_Servo(QWidget* parent) : QBaseTableView(parent)
{
    setFocusPolicy(Qt::ClickFocus);
    setContextMenuPolicy(Qt::CustomContextMenu);

    QAbstractItemDelegate* hostDelegate = itemDelegate();
    m_delegate = new QFuncodeDelegate_Servo(this);
    setItemDelegate(m_delegate);
    if (hostDelegate && hostDelegate->parent() == this) {
        hostDelegate->deleteLater();
    }

    connect(this, &QWidget::customContextMenuRequested, this, &QBaseFuncodeView_Servo::rightMenuClicked);
    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    connect(hub, &QSignalManager::SigFuncodeChanged_Servo, this, &QBaseFuncodeView_Servo::OnFuncodeChanged);
    connect(hub, &QSignalManager::SigDevStatus, this, &QBaseFuncodeView_Servo::OnDevStatus);
    connect(hub, &QSignalManager::sigRefreshParamsChanged, this,
            &QBaseFuncodeView_Servo::onRefreshIntervalChanged);
    connect(&m_readTimer, &QTimer::timeout, this, &QBaseFuncodeView_Servo::OnReadFuncode);

    setEnableLeftClickSignal(true);
    setEnableUpAndDownSelect(true);
}

QBaseFuncodeView_Servo::~QBaseFuncodeView_Servo() = default;

void QBaseFuncodeView_Servo::setFuncodeModel(QFuncodeModelBase_Servo* model)
{
    if (!model || model == m_funcodeModel) {
        return;
    }
    m_funcodeModel = model;
    setModel(model);
    m_delegate->setModel(model);
    connect(model, &QFuncodeModelBase_Servo::SigDataChanged, this, &QBaseFuncodeView_Servo::SigDataChanged);
    connect(model, &QFuncodeModelBase_Servo::SigSelChanged, this, &QBaseFuncodeView_Servo::SigSelChanged);
    // The column menu names the columns as the headers do, in the present language.
    connect(model, &QAbstractItemModel::headerDataChanged, this, [this]() {
        const QStringList heads = m_funcodeModel->getHeadList();
        for (auto it = m_columnActions.cbegin(); it != m_columnActions.cend(); ++it) {
            it.value()->setText(heads.value(it.key()));
        }
    });
    buildColumnMenu();
    setColumnWidths();
}

void QBaseFuncodeView_Servo::buildRightMenu(bool withSelectAll)
{
    m_rightMenu = new QMenu(this);
    m_refreshAction = addRightMenuAction("STR_REFRESH");
    connect(m_refreshAction, &QAction::triggered, this, &QBaseFuncodeView_Servo::OnRefresh);
    if (withSelectAll) {
        QAction* selectAll = addRightMenuAction("STR_SELECT_ALL");
        connect(selectAll, &QAction::triggered, m_funcodeModel, &QFuncodeModelBase_Servo::onSelectAll);
    }
    QAction* selectCancel = addRightMenuAction("STR_SELECT_CANCEL");
    connect(selectCancel, &QAction::triggered, m_funcodeModel, &QFuncodeModelBase_Servo::onDeselectAll);
    QAction* help = addRightMenuAction("STR_HELP");
    help->setShortcut(QKeySequence::HelpContents);
    connect(help, &QAction::triggered, this, &QBaseFuncodeView_Servo::OnHelp);
    m_rightMenu->addSeparator();
    QAction* showHide = addRightMenuAction("STR_SHOW_HIDE");
    showHide->setMenu(m_columnMenu);
}

QAction* QBaseFuncodeView_Servo::addRightMenuAction(const char* key)
{
    QAction* action = m_rightMenu->addAction(tr(key));
    action->setProperty(kTextKeyProperty, QByteArray(key));
    return action;
}

void QBaseFuncodeView_Servo::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && m_rightMenu) {
        for (QAction* action : m_rightMenu->actions()) {
            const QByteArray key = action->property(kTextKeyProperty).toByteArray();
            if (!key.isEmpty()) {
                action->setText(tr(key.constData()));
            }
        }
    }
    QBaseTableView::changeEvent(event);
}

// ---------------------------------------------------------------- periodic reading

void QBaseFuncodeView_Servo::readFuncode()
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return;
    }
    const int interval = device->getCommuParams().refreshInterval;
    if (interval <= 0) {
        m_readTimer.stop();
        return;
    }
    m_readTimer.start(interval);
    OnReadFuncode();
}

void QBaseFuncodeView_Servo::stopReadFuncode()
{
    m_readTimer.stop();
}

void QBaseFuncodeView_Servo::OnRefresh()
{
    OnReadFuncode();
}

void QBaseFuncodeView_Servo::OnReadFuncode()
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (device && device->isDeviceOnline()) {
        const QPair<int, int> window = rowsToRead();
        const QList<tagSubFuncode_Servo*> list = funcodesInView(window.first, window.second);
        if (!list.isEmpty()) {
            device->readFuncode(list);
        }
    }
    viewport()->update();
}

void QBaseFuncodeView_Servo::onRefreshIntervalChanged()
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return;
    }
    const int interval = device->getCommuParams().refreshInterval;
    if (m_readTimer.isActive() && interval == m_readTimer.interval()) {
        return;
    }
    const bool wasRunning = m_readTimer.isActive() || isVisible();
    m_readTimer.stop();
    if (wasRunning && interval > 0) {
        m_readTimer.start(interval);
    }
}

// ---------------------------------------------------------------- columns

void QBaseFuncodeView_Servo::setColumnWidths()
{
    static const int widths[QFuncodeModelBase_Servo::COLUMN_COUNT] = {
        80, -1, 215, 45, 145, 145, 145, 75, 70, 100, 100, 100, 65, 65, 30, 30, 30, 30, 65, 120};
    // Never narrower than the header's text, and the save state fits its longer text.
    const int unsaved = fontMetrics().horizontalAdvance(tr("STR_UNSAVED")) + 2 * kCellPadding;
    for (int column = 0; column < QFuncodeModelBase_Servo::COLUMN_COUNT; ++column) {
        if (widths[column] <= 0) {
            continue;
        }
        int width = qMax(widths[column], horizontalHeader()->sectionSizeHint(column));
        if (column == QFuncodeModelBase_Servo::COL_SAVE_STATE) {
            width = qMax(width, unsaved);
        }
        setColumnWidth(column, width);
    }
}

void QBaseFuncodeView_Servo::buildColumnMenu()
{
    if (!m_columnMenu) {
        m_columnMenu = new QMenu(this);
    }
    m_columnMenu->clear();
    qDeleteAll(m_columnActions);
    m_columnActions.clear();
    const QStringList heads = m_funcodeModel->getHeadList();
    for (int column = 1; column < heads.size(); ++column) {
        // Owned by the view, not the menu: the menu is rebuilt without some of them.
        auto* action = new QAction(shownIcon(), heads.at(column), this);
        action->setProperty(kColumnProperty, column);
        connect(action, &QAction::triggered, this, &QBaseFuncodeView_Servo::OnColumnView);
        m_columnMenu->addAction(action);
        m_columnActions.insert(column, action);
        m_hiddenColumns.insert(column, false);
    }
}

void QBaseFuncodeView_Servo::rebuildColumnMenu(const QList<int>& leftOut)
{
    if (!m_columnMenu) {
        return;
    }
    QList<QAction*> wanted;
    for (auto it = m_columnActions.cbegin(); it != m_columnActions.cend(); ++it) {
        if (!leftOut.contains(it.key())) {
            wanted.append(it.value());
        }
    }
    if (m_columnMenu->actions() == wanted) {
        return;
    }
    m_columnMenu->clear();
    m_columnMenu->addActions(wanted);
}

void QBaseFuncodeView_Servo::updateAxisColumns()
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return;
    }
    const AxisColumns columns{QFuncodeModelBase_Servo::COL_COMMON, QFuncodeModelBase_Servo::COL_AXIS_Y,
                              QFuncodeModelBase_Servo::COL_AXIS_Z};
    rebuildColumnMenu(absentAxisColumns(device->getAxisNum(), columns));
    QList<int> userHidden;
    for (auto it = m_hiddenColumns.cbegin(); it != m_hiddenColumns.cend(); ++it) {
        if (it.value()) {
            userHidden.append(it.key());
        }
    }
    showAxisColumns(device->getAxisNum(), columns, userHidden);
}

void QBaseFuncodeView_Servo::applyRelationColumns()
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return;
    }
    const bool withoutRelations = device->isDeviceType(QStringLiteral("KV905"));
    for (int column = kFirstRelationColumn; column <= kLastRelationColumn; ++column) {
        setColumnHidden(column, withoutRelations || isColumnUserHidden(column));
    }
}

void QBaseFuncodeView_Servo::OnColumnView()
{
    auto* action = qobject_cast<QAction*>(sender());
    if (!action) {
        return;
    }
    const int column = action->property(kColumnProperty).toInt();
    const bool hidden = !isColumnUserHidden(column);
    m_hiddenColumns.insert(column, hidden);
    setColumnHidden(column, hidden);
    action->setIcon(hidden ? QIcon() : shownIcon());
    setColumnWidths();
}

// ---------------------------------------------------------------- menu, help, moving

void QBaseFuncodeView_Servo::rightMenuClicked(QPoint point)
{
    Q_UNUSED(point)
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device || !m_rightMenu) {
        return;
    }
    if (m_refreshAction) {
        m_refreshAction->setEnabled(device->isDeviceOnline());
    }
    m_rightMenu->popup(QCursor::pos());
}

void QBaseFuncodeView_Servo::OnHelp()
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return;
    }
    QString number;
    QModelIndex index;
    getCurIndexFun(number, index, QFuncodeModelBase_Servo::COL_NUMBER);
    const QString group = number.section(QLatin1Char('.'), 0, 0);
    QAssistantManager* help = QSoftCore::getCore()->getAssistantManager();
    if (help->openPage(device->getDevName(), group, number)) {
        help->highlightWin();
    }
}

void QBaseFuncodeView_Servo::upMove()
{
    QString number;
    QModelIndex index;
    if (!m_funcodeModel || !getCurIndexFun(number, index, QFuncodeModelBase_Servo::COL_NUMBER) ||
        number.isEmpty()) {
        return;
    }
    const int row = index.row();
    m_funcodeModel->moveRowUp(number);
    m_funcodeModel->reloadRows();
    selectRow(qMax(row - 1, 0));
}

void QBaseFuncodeView_Servo::downMove()
{
    QString number;
    QModelIndex index;
    if (!m_funcodeModel || !getCurIndexFun(number, index, QFuncodeModelBase_Servo::COL_NUMBER) ||
        number.isEmpty()) {
        return;
    }
    const int row = index.row();
    m_funcodeModel->moveRowDown(number);
    m_funcodeModel->reloadRows();
    selectRow(qMin(row + 1, m_funcodeModel->rowCount() - 1));
}

void QBaseFuncodeView_Servo::selectRow(int row)
{
    // The rows may have been rebuilt (a model reset forgets the current row): select by row number.
    if (!m_funcodeModel || !selectionModel() || row < 0 || row >= m_funcodeModel->rowCount()) {
        return;
    }
    const QModelIndex target = m_funcodeModel->index(row, QFuncodeModelBase_Servo::COL_NUMBER);
    selectionModel()->setCurrentIndex(target,
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(target);
}

// ---------------------------------------------------------------- events

void QBaseFuncodeView_Servo::showEvent(QShowEvent* event)
{
    QBaseTableView::showEvent(event);
    readFuncode();
    if (model()) {
        initFirstSelectIndex();
    }
    applyRelationColumns();
}

void QBaseFuncodeView_Servo::hideEvent(QHideEvent* event)
{
    stopReadFuncode();
    QBaseTableView::hideEvent(event);
}

void QBaseFuncodeView_Servo::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_F1) {
        OnHelp();
    } else if (modifiers == Qt::ControlModifier && event->key() == Qt::Key_Up) {
        upMove();
    } else if (modifiers == Qt::ControlModifier && event->key() == Qt::Key_Down) {
        downMove();
    }
    QBaseTableView::keyPressEvent(event);
}

// ---------------------------------------------------------------- host notices

void QBaseFuncodeView_Servo::OnFuncodeChanged(QString aliasName, QStringList funIndexList)
{
    if (!isVisible() || !m_funcodeModel) {
        return;
    }
    // The rows that are read are the rows that are repainted.
    const QPair<int, int> window = rowsToRead();
    m_funcodeModel->onFuncodeChanged(aliasName, funIndexList, window.first, window.second);
}

void QBaseFuncodeView_Servo::OnDevStatus(QString aliasName, int stat)
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device || device->getAliasName() != aliasName || stat != 0 || !isVisible()) {
        return;
    }
    readFuncode();
}

bool QBaseFuncodeView_Servo::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        event->accept();
        return true;
    }
    return QBaseTableView::event(event);
}
