#include "QFuncodeView_Servo.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeDelegate_Servo.h"
#include "QFuncodeModel_Servo.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"

#include <QKeyEvent>

QFuncodeView_Servo::QFuncodeView_Servo(QWidget* parent) : QBaseFuncodeView_Servo(parent)
{
    m_model = new QFuncodeModel_Servo(this);
    setFuncodeModel(m_model);

    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    connect(this, &QBaseFuncodeView_Servo::SigSelChanged, hub, &QSignalManager::SigSelChanged);

    buildRightMenu(true);
    setIconSize(QSize(32, 16));
}

QFuncodeView_Servo::~QFuncodeView_Servo() = default;

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
    stopReadFuncode();
    m_group.clear();
    m_model->setGroup(QString());
    m_model->setGroupMap({});
}

QList<tagSubFuncode_Servo*> QFuncodeView_Servo::funcodesInView(int first, int count) const
{
    return m_model->visibleFuncodes(m_group, first, count);
}

void QFuncodeView_Servo::OnWritingStatusUpdate()
{
    viewport()->update();
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
