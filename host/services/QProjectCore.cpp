#include "QProjectCore.h"

#include "QConfigDB_Servo.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QDriveLinkFactory.h"
#include "QLibLogger.h"
#include "QLibSetting.h"
#include "QProjectFileReader.h"
#include "QSimulatedDriveLink.h"
#include "QSystemSetting.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {
const int kProjectFormat = 1;
const char* const kDemoBusModel = "SD220";
} // namespace

QProjectCore* QProjectCore::self()
{
    static QProjectCore* core = new QProjectCore;
    return core;
}

QDeviceServo* QProjectCore::selectedServo()
{
    return self()->getDevMgr()->getSelectServo();
}

QProjectCore::QProjectCore() : m_devMgr(new QDeviceManager(this)), m_catalogue(new QDriveCatalogue(this))
{
    m_devMgr->setCatalogue(m_catalogue);
    connect(m_catalogue, &QDriveCatalogue::catalogueChanged, this, &QProjectCore::registerModels);
    QSystemSetting* settings = QLibSetting::self()->getSystemSetting();
    m_catalogue->setLanguage(settings->getLanguage());
    connect(settings, &QSystemSetting::languageChanged, m_catalogue, &QDriveCatalogue::setLanguage);
    connect(m_catalogue, &QDriveCatalogue::languageChanged, this, &QProjectCore::retranslateDevices);
    connect(m_devMgr, &QDeviceManager::SigDelDev, this, [this]() { setModified(true); });
}

void QProjectCore::registerModels()
{
    QConfigDB_Servo* config = QDatabaseManager::self()->getConfigDatabase_Servo();
    const QList<QDriveModelPtr> models = m_catalogue->models();
    for (const QDriveModelPtr& model : models) {
        tagDevConfigInfo_Servo info;
        info.devName = model->modelName;
        info.configVersion = model->configVersion;
        info.axisNum = model->axisNum;
        info.identFamily = model->identFamily;
        info.identFirmware = model->identFirmware;
        info.identNumber = model->identNumber;
        config->addDevConfigInfo(info);
        for (const QString& oldName : model->renamedFrom) {
            config->addRenamedModel(oldName, model->modelName);
        }
    }
}

void QProjectCore::retranslateDevices()
{
    const QList<QSharedPointer<QDeviceBase>> devices = m_devMgr->getDevList();
    for (const QSharedPointer<QDeviceBase>& device : devices) {
        QDeviceServo* servo = m_devMgr->getDeviceServo(device->getAliasName());
        if (servo) {
            servo->reloadDeviceConfig(m_catalogue->model(servo->getDevName()));
        }
    }
}

void QProjectCore::setModified(bool modified)
{
    if (modified == m_modified) {
        return;
    }
    m_modified = modified;
    emit modifiedChanged(modified);
}

void QProjectCore::watchDevice(QDeviceServo* device)
{
    connect(device, &QDeviceBase::projectDataChanged, this, [this]() { setModified(true); });
}

void QProjectCore::closeProject()
{
    m_devMgr->setSelect(QString());
    m_devMgr->clear();
    m_path.clear();
    setModified(false);
    emit projectChanged();
}

QDeviceServo* QProjectCore::addSimulatedDrive(const QString& modelName, const QString& alias, QString* error)
{
    return addDrive(modelName, alias, QDriveLinkSettings::simulated(), error);
}

QDeviceServo* QProjectCore::addDrive(const QString& modelName, const QString& alias,
                                     const QDriveLinkSettings& settings, QString* error)
{
    const QDriveModelPtr model = m_catalogue->model(modelName);
    if (!model) {
        if (error) {
            *error = tr("STR_UNKNOWN_DRIVE_MODEL").arg(modelName);
        }
        return nullptr;
    }
    const QString name = m_devMgr->uniqueAlias(alias.isEmpty() ? model->modelName : alias);
    QDriveLinkSettings linkSettings = settings;
    if (linkSettings.ownServer && m_ownServerStarter &&
        !m_ownServerStarter(name, model, &linkSettings, error)) {
        return nullptr;
    }
    QDriveLink* link = QDriveLinkFactory::create(model, linkSettings, error);
    if (!link) {
        return nullptr;
    }
    if (auto* simulated = qobject_cast<QSimulatedDriveLink*>(link)) {
        simulated->setReplyDelay(m_simDelay);
    }
    QSharedPointer<QDeviceServo> device(new QDeviceServo(model, link, name), &QObject::deleteLater);
    if (!m_devMgr->addDevice(device, error)) {
        return nullptr;
    }
    watchDevice(device.data());
    setModified(true);
    return device.data();
}

QSimulatedDriveLink* QProjectCore::simulatedLink(const QString& alias) const
{
    QDeviceServo* device = m_devMgr->getDeviceServo(alias);
    return device ? qobject_cast<QSimulatedDriveLink*>(device->getLink()) : nullptr;
}

void QProjectCore::addDemoDrive(const QString& modelName)
{
    QDeviceServo* device = addSimulatedDrive(modelName);
    if (!device) {
        return;
    }
    // A few commonly used codes and the first monitoring values start in the monitored list, so the
    // page shows live values from the start.
    int picked = 0;
    for (tagSubFuncode_Servo* fun : device->getAllNormalFuncodes()) {
        if (fun->isCommon && picked < 4) {
            device->appendSelSubFuncode(fun->funIndex);
            ++picked;
        }
    }
    const QDeviceServo::FuncodeGroupMap& states = device->getStateFuncodeGroupMap();
    const QStringList stateGroups = QDeviceServo::orderGroupName(states.keys());
    const QList<tagSubFuncode_Servo*> monitoring =
        stateGroups.isEmpty() ? QList<tagSubFuncode_Servo*>() : states.value(stateGroups.first());
    for (int i = 0; i < monitoring.size() && i < 3; ++i) {
        device->appendSelSubFuncode(monitoring.at(i)->funIndex);
    }
    device->readAllFuncode();
}

QString QProjectCore::demoLineModel() const
{
    const QStringList models = m_catalogue->modelNames();
    for (const QString& name : models) {
        if (m_catalogue->model(name)->axisNum > 1) {
            return name;
        }
    }
    return models.value(0);
}

bool QProjectCore::createDemoProject(QString* error)
{
    closeProject();
    const QStringList models = m_catalogue->modelNames();
    if (models.isEmpty()) {
        if (error) {
            *error = tr("STR_NO_DRIVE_MODELS").arg(m_catalogue->directory());
        }
        return false;
    }
    for (const QString& modelName : models) {
        addDemoDrive(modelName);
    }
    // A line of identical axes, so that a batch download can be tried at once.
    const QString lineModel = demoLineModel();
    for (int i = 1; i < kDemoLineDrives; ++i) {
        addDemoDrive(lineModel);
    }
    addDemoBusDrive();
    setModified(false);
    emit projectChanged();
    return true;
}

void QProjectCore::addDemoBusDrive()
{
    const QString modelName = QString::fromLatin1(kDemoBusModel);
    if (!m_ownServerStarter || !m_catalogue->model(modelName)) {
        return;
    }
    QDriveLinkSettings settings = QDriveLinkSettings::tcp(QStringLiteral("127.0.0.1"), 0, 1);
    settings.ownServer = true;
    QString why;
    QDeviceServo* device = addDrive(modelName, modelName + QStringLiteral("-TCP"), settings, &why);
    if (!device) {
        QLibLogger::self()->warn(QStringLiteral("The demo drive on Modbus TCP is left out: %1").arg(why));
        return;
    }
    device->readAllFuncode();
}

bool QProjectCore::openProject(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = tr("STR_PROJECT_OPEN_FAILED").arg(path, file.errorString());
        }
        return false;
    }
    QProjectFileReader reader;
    if (!reader.read(file.readAll(), path)) {
        if (error) {
            *error = reader.error();
        }
        return false;
    }
    closeProject();
    QStringList problems = reader.problems();
    const QList<tagProjectDevice> entries = reader.devices();
    for (const tagProjectDevice& entry : entries) {
        QString why;
        if (!addProjectDevice(entry, &why)) {
            problems.append(why);
        }
    }
    m_path = path;
    setModified(false);
    emit projectChanged();
    if (!problems.isEmpty() && error) {
        *error = problems.join(QLatin1Char('\n'));
    }
    return true;
}

bool QProjectCore::addProjectDevice(const tagProjectDevice& entry, QString* error)
{
    QString why;
    QDriveLinkSettings settings;
    QDeviceServo* device = nullptr;
    if (entry.link.isEmpty() || QDriveLinkSettings::fromJson(entry.link, &settings, &why)) {
        device = addDrive(entry.model, entry.alias, settings, &why);
    }
    if (!device) {
        *error =
            tr("STR_PROJECT_ENTRY_SKIPPED").arg(QProjectFileReader::entryName(entry.entry, entry.alias), why);
        return false;
    }
    QCommuParams params = device->getCommuParams();
    if (entry.hasRefreshInterval) {
        params.refreshInterval = entry.refreshInterval;
    }
    if (entry.hasTimeout) {
        params.timeoutMs = entry.timeoutMs;
    }
    device->setCommuParams(params);
    device->setSelSubFuncodeList(entry.monitored);
    if (QSimulatedDriveLink* link = simulatedLink(device->getAliasName())) {
        if (entry.hasReplyDelay) {
            link->setReplyDelay(entry.replyDelayMs);
        }
        link->setOnline(entry.online);
    }
    device->readAllFuncode();
    return true;
}

bool QProjectCore::saveProject(const QString& path, QString* error)
{
    QJsonArray devices;
    const auto list = m_devMgr->getDevList();
    for (const QSharedPointer<QDeviceBase>& base : list) {
        QDeviceServo* device = m_devMgr->getDeviceServo(base->getAliasName());
        if (!device) {
            continue;
        }
        QJsonObject obj;
        obj.insert(QStringLiteral("alias"), device->getAliasName());
        obj.insert(QStringLiteral("model"), device->getDevName());
        obj.insert(QStringLiteral("link"), QDriveLinkFactory::settingsOf(device->getLink()).toJson());
        obj.insert(QStringLiteral("refreshInterval"), device->getCommuParams().refreshInterval);
        obj.insert(QStringLiteral("timeoutMs"), device->getCommuParams().timeoutMs);
        obj.insert(QStringLiteral("monitored"), QJsonArray::fromStringList(device->getSelSubFuncodeList()));
        if (QSimulatedDriveLink* link = simulatedLink(device->getAliasName())) {
            obj.insert(QStringLiteral("online"), link->isOnline());
            obj.insert(QStringLiteral("replyDelayMs"), link->replyDelay());
        }
        devices.append(obj);
    }
    QJsonObject root;
    root.insert(QStringLiteral("format"), kProjectFormat);
    root.insert(QStringLiteral("devices"), devices);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(root).toJson()) < 0 || !file.commit()) {
        if (error) {
            *error = tr("STR_PROJECT_SAVE_FAILED").arg(path, file.errorString());
        }
        return false;
    }
    m_path = path;
    setModified(false);
    return true;
}
