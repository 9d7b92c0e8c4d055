#include "QFuncodeView_Servo.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeDelegate_Servo.h"
#include "QFuncodeModel_Servo.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>

QFuncodeView_Servo::QFuncodeView_Servo(QWidget* parent) : QBaseFuncodeView_Servo(parent)
{
    m_model = new QFuncodeModel_Servo(this);
    setFuncodeModel(m_model);

    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    connect(this, &QBaseFuncodeView_Servo::SigSelChanged, hub, &QSignalManager::SigSelChanged);

    initRightMenu();

    connect(&m_timer, &QTimer::timeout, this, &QFuncodeView_Servo::OnReadFuncode);
    connect(hub, &QSignalManager::sigRefreshParamsChanged, this,
            &QFuncodeView_Servo::onRefreshIntervalChanged);
    setIconSize(QSize(32, 16));
}

QFuncodeView_Servo::~QFuncodeView_Servo()
{
    m_timer.stop();
}

void QFuncodeView_Servo::initRightMenu()
{
    m_rightMenu = new QMenu(this);
    m_refreshAction = m_rightMenu->addAction(tr("STR_REFRESH"));
    connect(m_refreshAction, &QAction::triggered, this, &QFuncodeView_Servo::OnRefresh);
    QAction* selectAll = m_rightMenu->addAction(tr("STR_SELECT_ALL"));
    connect(selectAll, &QAction::triggered, m_model, &QFuncodeModelBase_Servo::onSelectAll);
    QAction* selectCancel = m_rightMenu->addAction(tr("STR_SELECT_CANCEL"));
    connect(selectCancel, &QAction::triggered, m_model, &QFuncodeModelBase_Servo::onDeselectAll);
    QAction* help = m_rightMenu->addAction(tr("STR_HELP"));
    help->setShortcut(QKeySequence::HelpContents);
    connect(help, &QAction::triggered, this, &QBaseFuncodeView_Servo::OnHelp);
    m_rightMenu->addSeparator();
    QAction* showHide = m_rightMenu->addAction(tr("STR_SHOW_HIDE"));
    showHide->setMenu(m_columnMenu);
}

// ---------------------------------------------------------------- group

void QFuncodeView_Servo::setModelGroup(QString group)
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return;
    }
    device->stopReadFuncode(m_group, QDeviceServo::AXIS_X);
    if (device->getAxisNum() > 1) {
        device->stopReadFuncode(m_group, QDeviceServo::AXIS_Y);
        device->stopReadFuncode(m_group, QDeviceServo::AXIS_Z);
    }
    m_group = group;
    m_model->setGroup(group);
}

void QFuncodeView_Servo::onInitModelData(QMap<QString, QList<tagSubFuncode_Servo*>> map)
{
    if (!QProjectCore::selectedServo()) {
        return;
    }
    m_model->setGroupMap(map);
    viewport()->update();
}

void QFuncodeView_Servo::clearModelGroup()
{
    m_timer.stop();
    m_group.clear();
    m_model->setGroup(QString());
    m_model->setGroupMap({});
}

// ---------------------------------------------------------------- periodic reading

void QFuncodeView_Servo::readFuncode()
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return;
    }
    const int interval = device->getCommuParams().refreshInterval;
    if (interval <= 0) {
        m_timer.stop();
        return;
    }
    m_timer.start(interval);
    OnReadFuncode();
}

void QFuncodeView_Servo::stopReadFuncode()
{
    m_timer.stop();
}

void QFuncodeView_Servo::OnRefresh()
{
    OnReadFuncode();
}

void QFuncodeView_Servo::OnReadFuncode()
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (device && device->isDeviceOnline()) {
        const int first = qMax(verticalScrollBar()->value() - 1, 0);
        const int count = verticalScrollBar()->pageStep() + 1;
        const QList<tagSubFuncode_Servo*> list = m_model->visibleFuncodes(m_group, first, count);
        if (!list.isEmpty()) {
            device->readFuncode(list);
        }
    }
    viewport()->update();
}

void QFuncodeView_Servo::OnWritingStatusUpdate()
{
    viewport()->update();
}

void QFuncodeView_Servo::onRefreshIntervalChanged()
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return;
    }
    // A shown view whose interval was 0 starts reading now; a hidden view stays quiet.
    const bool wasRunning = m_timer.isActive() || isVisible();
    const int interval = device->getCommuParams().refreshInterval;
    m_timer.stop();
    if (wasRunning && interval > 0) {
        m_timer.start(interval);
    }
}

// ---------------------------------------------------------------- keys

void QFuncodeView_Servo::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_F1) {
        OnHelp();
        return;
    }
    if (modifiers == Qt::NoModifier && event->key() == Qt::Key_Up) {
        moveUpAndSelect();
        return;
    }
    if (modifiers == Qt::NoModifier && event->key() == Qt::Key_Down) {
        moveDownAndSelect();
        return;
    }
    QBaseTableView::keyPressEvent(event);
}
