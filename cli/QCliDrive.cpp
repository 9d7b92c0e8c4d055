#include "QCliDrive.h"

#include "QCliConsole.h"
#include "QCliExit.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QDriveLinkFactory.h"
#include "QModbusDriveLink.h"

#include <QEventLoop>

QCliDrive::QCliDrive(const Context& context, const QCliDriveAddress& address, QObject* parent)
    : QObject(parent), m_context(context), m_address(address)
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, this, &QCliDrive::onTimeout);
}

QCliDrive::~QCliDrive()
{
    if (m_device) {
        m_context.devices->removeDevice(m_device->getAliasName());
        m_device.reset();
    } else {
        delete m_link; // not handed to a device yet
    }
}

QDeviceServo* QCliDrive::device() const
{
    return qobject_cast<QDeviceServo*>(m_device.data());
}

QDriveModelPtr QCliDrive::modelOfIdentity(int identity) const
{
    for (const QDriveModelPtr& model : m_context.catalogue->models()) {
        if (model->identNumber == identity) {
            return model;
        }
    }
    return QDriveModelPtr();
}

// The model the link is made for: the simulated drive's own, the one given with --model, or (for a bus
// drive that is to tell its model) one with the fewest axes, whose unit ids surely fit, until the drive
// has answered.
int QCliDrive::chooseModel(QDriveModelPtr* model)
{
    const QDriveCatalogue* catalogue = m_context.catalogue;
    const QString wanted = !m_address.modelName.isEmpty() ? m_address.modelName : m_context.model;
    if (!m_address.modelName.isEmpty() && !m_context.model.isEmpty() &&
        m_context.model != m_address.modelName) {
        m_error = tr("STR_CLI_MODEL_MISMATCH").arg(name(), m_address.modelName, m_context.model);
        return QCliExit::USAGE;
    }
    if (!wanted.isEmpty()) {
        *model = catalogue->model(wanted);
        if (!*model) {
            m_error =
                tr("STR_CLI_UNKNOWN_MODEL").arg(wanted, catalogue->modelNames().join(QStringLiteral(", ")));
            return QCliExit::USAGE;
        }
        return QCliExit::OK;
    }
    for (const QDriveModelPtr& candidate : catalogue->models()) {
        if (!*model || candidate->axisNum < (*model)->axisNum) {
            *model = candidate;
        }
    }
    if (!*model) {
        m_error = tr("STR_CLI_NO_MODELS").arg(catalogue->directory());
        return QCliExit::USAGE;
    }
    return QCliExit::OK;
}

void QCliDrive::start()
{
    m_status = -1;
    m_error.clear();
    QDriveModelPtr model;
    const int status = chooseModel(&model);
    if (status != QCliExit::OK) {
        finish(status, m_error);
        return;
    }
    connectLink(model);
}

int QCliDrive::open(QString* error)
{
    if (!isReady()) {
        QEventLoop loop;
        QObject::connect(this, &QCliDrive::ready, &loop, &QEventLoop::quit);
        start();
        if (!isReady()) {
            loop.exec();
        }
    }
    *error = m_error;
    return m_status;
}

void QCliDrive::connectLink(const QDriveModelPtr& model)
{
    if (m_link) {
        // The link may be emitting the signal that brought us here.
        QObject::disconnect(m_link, nullptr, this, nullptr);
        m_link->deleteLater();
    }
    m_model = model;
    QString why;
    m_link = QDriveLinkFactory::create(model, m_address.settings, &why);
    if (!m_link) {
        finish(QCliExit::USAGE, tr("STR_CLI_LINK_REFUSED").arg(name(), why));
        return;
    }
    if (m_link->isOnline()) {
        // After the caller had a chance to connect to ready().
        QTimer::singleShot(0, this, &QCliDrive::onOnline);
        return;
    }
    // Runs inside the link's own signal: nothing here waits (ready() is for callers that do not wait
    // inside it either).
    QObject::connect(m_link, &QDriveLink::onlineChanged, this, [this](bool online) {
        if (online && !isReady() && !m_device) {
            onOnline();
        }
    });
    m_timer.start(m_context.timeoutMs);
}

void QCliDrive::onTimeout()
{
    if (isReady()) {
        return;
    }
    const auto* bus = qobject_cast<const QModbusDriveLink*>(m_link.data());
    const QString reason = bus ? bus->offlineReason() : QString();
    finish(QCliExit::DRIVE_NOT_REACHED, tr("STR_CLI_NOT_REACHED").arg(name()).arg(m_context.timeoutMs) +
                                            (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason));
}

void QCliDrive::onOnline()
{
    if (isReady() || !m_link) {
        return;
    }
    m_timer.stop();
    const int identity = m_link->identityNumber();
    const bool modelNamed = !m_address.modelName.isEmpty() || !m_context.model.isEmpty();
    if (identity == 0 && !modelNamed) {
        finish(QCliExit::DRIVE_NOT_REACHED, tr("STR_CLI_IDENTITY_MISSING").arg(name()));
        return;
    }
    if (identity == 0 || identity == m_model->identNumber) {
        makeDevice();
        return;
    }
    const QDriveModelPtr reported = modelOfIdentity(identity);
    if (modelNamed) {
        finish(QCliExit::USAGE, tr("STR_CLI_DRIVE_IS_OTHER_MODEL")
                                    .arg(name(), reported ? reported->modelName : QString::number(identity),
                                         m_model->modelName));
        return;
    }
    if (!reported) {
        finish(
            QCliExit::DRIVE_NOT_REACHED,
            tr("STR_CLI_IDENTITY_UNKNOWN").arg(name()).arg(identity).arg(m_context.catalogue->directory()));
        return;
    }
    // A link is made for one model: reach the drive again with the one it reported.
    connectLink(reported);
}

void QCliDrive::makeDevice()
{
    auto* device = new QDeviceServo(m_model, m_link, name());
    QCommuParams params = device->getCommuParams();
    params.timeoutMs = m_context.timeoutMs;
    params.refreshInterval = 0;
    params.commuName = name();
    device->setCommuParams(params);
    m_device = QSharedPointer<QDeviceBase>(device);
    QString why;
    if (!m_context.devices->addDevice(m_device, &why)) {
        m_device.reset();
        finish(QCliExit::USAGE, why);
        return;
    }
    finish(QCliExit::OK);
}

void QCliDrive::finish(int status, const QString& error)
{
    m_timer.stop();
    m_status = status;
    m_error = error;
    emit ready(status);
}

QList<tagSubFuncode_Servo*> QCliDrive::normalCodes() const
{
    return device()->getAllNormalFuncodes();
}

QList<tagSubFuncode_Servo*> QCliDrive::allCodes() const
{
    QList<tagSubFuncode_Servo*> all = normalCodes();
    const QDeviceServo::FuncodeGroupMap& states = device()->getStateFuncodeGroupMap();
    for (const QString& group : QDeviceServo::orderGroupName(states.keys())) {
        all += states.value(group);
    }
    return all;
}

QList<int> QCliDrive::allAxes() const
{
    QList<int> axes;
    for (int axis = 0; axis < device()->getAxisNum(); ++axis) {
        axes.append(axis);
    }
    return axes;
}

QStringList QCliDrive::read(const QList<tagSubFuncode_Servo*>& codes)
{
    QDeviceServo* dev = device();
    const int axes = dev->getAxisNum();
    const int total = codes.size() * axes;
    if (dev->isDeviceOnline() && total > 0) {
        int done = 0;
        QEventLoop loop;
        QTimer idle;
        idle.setSingleShot(true);
        idle.setInterval(m_context.timeoutMs);
        QObject::connect(&idle, &QTimer::timeout, &loop, &QEventLoop::quit);
        // Connected after the device's own connection: the values are stored when this runs.
        QObject::connect(m_link, &QDriveLink::readFinished, &loop, [&](quint32, QDriveValueList items) {
            done += items.size();
            m_context.console->progress(name(), qMin(done, total), total);
            idle.start();
            if (!dev->isReadBusy()) {
                loop.quit();
            }
        });
        QObject::connect(m_link, &QDriveLink::onlineChanged, &loop, [&loop](bool online) {
            if (!online) {
                loop.quit();
            }
        });
        dev->readFuncode(codes);
        if (dev->isReadBusy()) {
            idle.start();
            loop.exec();
        }
        m_context.console->endProgress();
    }
    QStringList unread;
    for (const tagSubFuncode_Servo* fun : codes) {
        for (int axis = 0; axis < axes; ++axis) {
            if (!dev->hasValue(fun->funIndex, axis)) {
                unread.append(QStringLiteral("%1 (%2)").arg(fun->funIndex, QDeviceServo::getAxisName(axis)));
            }
        }
    }
    return unread;
}

bool QCliDrive::readCurrentFaults()
{
    QDeviceServo* dev = device();
    if (!dev->isDeviceOnline()) {
        return false;
    }
    bool answered = false;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(m_link, &QDriveLink::currentFaultsRead, &loop, [&](quint32, QDriveFaultList, int error) {
        answered = error == QDriveLink::LINK_OK;
        loop.quit();
    });
    dev->readCurFaults();
    timer.start(m_context.timeoutMs);
    loop.exec();
    return answered;
}

bool QCliDrive::save(const QList<int>& axes)
{
    for (int axis : axes) {
        if (!device()->saveAllFuncode(axis)) {
            return false;
        }
    }
    return true;
}

bool QCliDrive::reset(const QList<int>& axes)
{
    for (int axis : axes) {
        if (!device()->resetDevice(axis)) {
            return false;
        }
    }
    return true;
}
