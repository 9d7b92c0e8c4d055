#include "QSelFunCodeView_Servo.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QHeaderPushBtnView.h"
#include "QProjectCore.h"
#include "QSelFunCodeModel_Servo.h"
#include "QSignalManager.h"
#include "QSoftCore.h"

#include <QAction>
#include <QEvent>
#include <QMenu>

QSelFunCodeView_Servo::QSelFunCodeView_Servo(QWidget* parent) : QBaseFuncodeView_Servo(parent)
{
    m_model = new QSelFunCodeModel_Servo(this);
    m_header = new QHeaderPushBtnView(Qt::Horizontal, this);
    m_header->setTitle(tr("STR_NODE_MONITORED"));
    setHorizontalHeader(m_header);
    setFuncodeModel(m_model);
    m_header->setStretchLastSection(true);

    connect(m_header, &QHeaderPushBtnView::sigUpCheckChanged, this, &QBaseFuncodeView_Servo::upMove);
    connect(m_header, &QHeaderPushBtnView::sigDownCheckChanged, this, &QBaseFuncodeView_Servo::downMove);

    connect(m_model, &QFuncodeModelBase_Servo::SigBeginSelChanged, this,
            &QSelFunCodeView_Servo::OnStopReadFuncode);
    connect(m_model, &QFuncodeModelBase_Servo::SigSelChanged, this, &QSelFunCodeView_Servo::OnReadFuncode);
    connect(m_model, &QFuncodeModelBase_Servo::SigSelChanged, this, &QSelFunCodeView_Servo::onInitModelData);

    buildRightMenu(false);
    addMoveActions();

    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    connect(hub, &QSignalManager::SigStateChanged, this, &QSelFunCodeView_Servo::onInitModelData);
    connect(hub, &QSignalManager::SigSelFocusStatusChanged, this, &QSelFunCodeView_Servo::onInitModelData);
    connect(this, &QBaseFuncodeView_Servo::SigSelChanged, hub, &QSignalManager::SigSelChanged);
    // The rows hold the selected device's records: follow the selection so that none outlives its device.
    connect(QProjectCore::self()->getDevMgr(), &QDeviceManager::SigDevChange, this,
            &QSelFunCodeView_Servo::onInitModelData);
    setIconSize(QSize(32, 16));
}

QSelFunCodeView_Servo::~QSelFunCodeView_Servo() = default;

void QSelFunCodeView_Servo::addMoveActions()
{
    QAction* up = addRightMenuAction("STR_UP");
    up->setShortcut(QKeySequence(tr("Ctrl+Up")));
    connect(up, &QAction::triggered, this, &QBaseFuncodeView_Servo::upMove);
    QAction* down = addRightMenuAction("STR_DOWN");
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

QList<tagSubFuncode_Servo*> QSelFunCodeView_Servo::funcodesInView(int first, int count) const
{
    return m_model->funcodesBetween(first, count);
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

void QSelFunCodeView_Servo::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_header->setTitle(tr("STR_SELECT"));
    }
    QBaseFuncodeView_Servo::changeEvent(event);
}
