#include "QCliDrive.h"

#include "QCliConsole.h"
#include "QCliExit.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QDriveLinkFactory.h"
#include "QModbusDriveLink.h"

#include <QEventLoop>
#include <QTimer>

QCliDrive::QCliDrive(const Context& context, const QCliDriveSpec& spec) : m_context(context), m_spec(spec) {}

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
int QCliDrive::chooseModel(QDriveModelPtr* model, QString* error) const
{
    const QDriveCatalogue* catalogue = m_context.catalogue;
    const QString wanted = !m_spec.modelName.isEmpty() ? m_spec.modelName : m_context.model;
    if (!m_spec.modelName.isEmpty() && !m_context.model.isEmpty() && m_context.model != m_spec.modelName) {
        *error = tr("STR_CLI_MODEL_MISMATCH").arg(name(), m_spec.modelName, m_context.model);
        return QCliExit::USAGE;
    }
    if (!wanted.isEmpty()) {
        *model = catalogue->model(wanted);
        if (!*model) {
            *error =
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
        *error = tr("STR_CLI_NO_MODELS").arg(catalogue->directory());
        return QCliExit::USAGE;
    }
    return QCliExit::OK;
}

QString QCliDrive::offlineReason() const
{
    const auto* bus = qobject_cast<const QModbusDriveLink*>(m_link.data());
    return bus ? bus->offlineReason() : QString();
}

bool QCliDrive::waitOnline(int ms)
{
    if (!m_link) {
        return false;
    }
    if (m_link->isOnline()) {
        return true;
    }
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(m_link, &QDriveLink::onlineChanged, &loop, [&loop](bool online) {
        if (online) {
            loop.quit();
        }
    });
    QObject::connect(m_link, &QObject::destroyed, &loop, &QEventLoop::quit);
    timer.start(ms);
    loop.exec();
    return m_link && m_link->isOnline();
}

int QCliDrive::connect(const QDriveModelPtr& model, QString* error)
{
    delete m_link;
    QString why;
    m_link = QDriveLinkFactory::create(model, m_spec.settings, &why);
    if (!m_link) {
        *error = tr("STR_CLI_LINK_REFUSED").arg(name(), why);
        return QCliExit::USAGE;
    }
    if (!waitOnline(m_context.timeoutMs)) {
        const QString reason = offlineReason();
        *error = tr("STR_CLI_NOT_REACHED").arg(name()).arg(m_context.timeoutMs) +
                 (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason);
        return QCliExit::DRIVE_NOT_REACHED;
    }
    return QCliExit::OK;
}

int QCliDrive::open(QString* error)
{
    QDriveModelPtr model;
    int status = chooseModel(&model, error);
    if (status == QCliExit::OK) {
        status = connect(model, error);
    }
    if (status != QCliExit::OK) {
        return status;
    }
    const int identity = m_link->identityNumber();
    const bool modelNamed = !m_spec.modelName.isEmpty() || !m_context.model.isEmpty();
    if (identity != 0 && identity != model->identNumber) {
        const QDriveModelPtr reported = modelOfIdentity(identity);
        if (modelNamed) {
            *error = tr("STR_CLI_DRIVE_IS_OTHER_MODEL")
                         .arg(name(), reported ? reported->modelName : QString::number(identity),
                              model->modelName);
            return QCliExit::USAGE;
        }
        if (!reported) {
            *error = tr("STR_CLI_IDENTITY_UNKNOWN")
                         .arg(name())
                         .arg(identity)
                         .arg(m_context.catalogue->directory());
            return QCliExit::DRIVE_NOT_REACHED;
        }
        model = reported;
        status = connect(model, error);
        if (status != QCliExit::OK) {
            return status;
        }
    } else if (identity == 0 && !modelNamed) {
        *error = tr("STR_CLI_IDENTITY_MISSING").arg(name());
        return QCliExit::DRIVE_NOT_REACHED;
    }
    auto* device = new QDeviceServo(model, m_link, name());
    QCommuParams params = device->getCommuParams();
    params.timeoutMs = m_context.timeoutMs;
    params.refreshInterval = 0;
    params.commuName = name();
    device->setCommuParams(params);
    m_device = QSharedPointer<QDeviceBase>(device);
    QString why;
    if (!m_context.devices->addDevice(m_device, &why)) {
        m_device.reset();
        *error = why;
        return QCliExit::USAGE;
    }
    return QCliExit::OK;
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
