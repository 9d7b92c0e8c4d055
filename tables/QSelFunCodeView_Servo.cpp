#include "QSelFunCodeView_Servo.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QHeaderPushBtnView.h"
#include "QProjectCore.h"
#include "QSelFunCodeModel_Servo.h"
#include "QSignalManager.h"
#include "QSoftCore.h"

#include <QAction>
#include <QMenu>
#include <QScrollBar>

QSelFunCodeView_Servo::QSelFunCodeView_Servo(QWidget* parent) : QBaseFuncodeView_Servo(parent)
{
    m_model = new QSelFunCodeModel_Servo(this);
    m_header = new QHeaderPushBtnView(Qt::Horizontal, this);
    m_header->setTitle(tr("STR_SELECT"));
    setHorizontalHeader(m_header);
    setFuncodeModel(m_model);
    m_header->setStretchLastSection(true);

    connect(m_header, &QHeaderPushBtnView::sigUpCheckChanged, this, &QBaseFuncodeView_Servo::upMove);
    connect(m_header, &QHeaderPushBtnView::sigDownCheckChanged, this, &QBaseFuncodeView_Servo::downMove);

    connect(m_model, &QFuncodeModelBase_Servo::SigBeginSelChanged, this,
            &QSelFunCodeView_Servo::OnStopReadFuncode);
    connect(m_model, &QFuncodeModelBase_Servo::SigSelChanged, this, &QSelFunCodeView_Servo::OnReadFuncode);
    connect(m_model, &QFuncodeModelBase_Servo::SigSelChanged, this, &QSelFunCodeView_Servo::onInitModelData);

    initRightMenu();
    connect(&m_timer, &QTimer::timeout, this, &QSelFunCodeView_Servo::OnReadFuncode);

    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    connect(hub, &QSignalManager::SigStateChanged, this, &QSelFunCodeView_Servo::onInitModelData);
    connect(hub, &QSignalManager::SigSelFocusStatusChanged, this, &QSelFunCodeView_Servo::onInitModelData);
    connect(this, &QBaseFuncodeView_Servo::SigSelChanged, hub, &QSignalManager::SigSelChanged);
    connect(hub, &QSignalManager::sigRefreshParamsChanged, this,
            &QSelFunCodeView_Servo::onRefreshIntervalChanged);
    // The rows hold the selected device's records: follow the selection so that none outlives its device.
    connect(QProjectCore::self()->getDevMgr(), &QDeviceManager::SigDevChange, this,
            &QSelFunCodeView_Servo::onInitModelData);
    setIconSize(QSize(32, 16));
}

QSelFunCodeView_Servo::~QSelFunCodeView_Servo()
{
    m_timer.stop();
}

void QSelFunCodeView_Servo::initRightMenu()
{
    m_rightMenu = new QMenu(this);
    m_refreshAction = m_rightMenu->addAction(tr("STR_REFRESH"));
    connect(m_refreshAction, &QAction::triggered, this, &QSelFunCodeView_Servo::OnRefresh);
    QAction* selectCancel = m_rightMenu->addAction(tr("STR_SELECT_CANCEL"));
    connect(selectCancel, &QAction::triggered, m_model, &QFuncodeModelBase_Servo::onDeselectAll);
    QAction* help = m_rightMenu->addAction(tr("STR_HELP"));
    help->setShortcut(QKeySequence::HelpContents);
    connect(help, &QAction::triggered, this, &QBaseFuncodeView_Servo::OnHelp);
    m_rightMenu->addSeparator();
    QAction* showHide = m_rightMenu->addAction(tr("STR_SHOW_HIDE"));
    showHide->setMenu(m_columnMenu);
    QAction* up = m_rightMenu->addAction(tr("STR_UP"));
    up->setShortcut(QKeySequence(tr("Ctrl+Up")));
    connect(up, &QAction::triggered, this, &QBaseFuncodeView_Servo::upMove);
    QAction* down = m_rightMenu->addAction(tr("STR_DOWN"));
    down->setShortcut(QKeySequence(tr("Ctrl+Down")));
    connect(down, &QAction::triggered, this, &QBaseFuncodeView_Servo::downMove);
}

void QSelFunCodeView_Servo::onInitModelData()
{
    m_model->reloadRows();
}

// ---------------------------------------------------------------- reading

void QSelFunCodeView_Servo::showEvent(QShowEvent* event)
{
    emit SigServoSelFuncodeViewShow(true);
    QBaseFuncodeView_Servo::showEvent(event);
}

void QSelFunCodeView_Servo::hideEvent(QHideEvent* event)
{
    emit SigServoSelFuncodeViewShow(false);
    QBaseFuncodeView_Servo::hideEvent(event);
}

void QSelFunCodeView_Servo::readFuncode()
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

void QSelFunCodeView_Servo::stopReadFuncode()
{
    m_timer.stop();
}

void QSelFunCodeView_Servo::OnRefresh()
{
    OnReadFuncode();
}

void QSelFunCodeView_Servo::OnReadFuncode()
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (device) {
        const int first = qMax(verticalScrollBar()->value() - 1, 0);
        const int count = verticalScrollBar()->pageStep() + 1;
        const QList<tagSubFuncode_Servo*> list = m_model->funcodesBetween(first, count);
        if (!list.isEmpty()) {
            device->readFuncode(list);
        }
    }
    viewport()->update();
}

void QSelFunCodeView_Servo::OnStopReadFuncode()
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return;
    }
    const QList<tagSubFuncode_Servo*> list = m_model->allFuncodes();
    device->stopReadValue(list, QDeviceServo::AXIS_X);
    if (device->getAxisNum() > 1) {
        device->stopReadValue(list, QDeviceServo::AXIS_Y);
        device->stopReadValue(list, QDeviceServo::AXIS_Z);
    }
}

void QSelFunCodeView_Servo::onRefreshIntervalChanged()
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return;
    }
    const int interval = device->getCommuParams().refreshInterval;
    if (m_timer.isActive() && interval == m_timer.interval()) {
        return;
    }
    // A shown view whose interval was 0 starts reading now; a hidden view stays quiet.
    const bool wasRunning = m_timer.isActive() || isVisible();
    m_timer.stop();
    if (wasRunning && interval > 0) {
        m_timer.start(interval);
    }
}
