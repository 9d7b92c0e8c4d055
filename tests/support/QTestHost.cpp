#include "QTestHost.h"

#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QLibLogger.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSystemSetting.h"
#include "tagTreeDataSet.h"

#include <QtTest>

namespace {
QTemporaryDir* tempDir()
{
    static QTemporaryDir* dir = new QTemporaryDir;
    return dir;
}
} // namespace

QByteArray QTestHost::testModelJson(int axisNum, const QString& name)
{
    // One description on disk, of three axes; the other test models are the same codes under another
    // name and axis count.
    QFile file(QStringLiteral(SERVO_TEST_DATA_DIR "/drives/TST3.json"));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("test model: %s", qPrintable(file.errorString()));
        return QByteArray();
    }
    QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    root.insert("model", name);
    root.insert("axisNum", axisNum);
    QJsonObject identity = root.value("identity").toObject();
    identity.insert("number", 900 + axisNum);
    root.insert("identity", identity);
    return QJsonDocument(root).toJson();
}

QDriveModelPtr QTestHost::testModel(int axisNum, const QString& name, const QString& language,
                                    const QList<QPair<QByteArray, QByteArray>>& changes)
{
    QByteArray json = testModelJson(axisNum, name);
    for (const auto& change : changes) {
        json.replace(change.first, change.second);
    }
    QString error;
    QDriveModelPtr model = QDriveModel::fromJson(json, &error, language);
    if (!model) {
        qWarning("test model does not load: %s", qPrintable(error));
    }
    return model;
}

bool QTestHost::setUp(QString* error)
{
    const QString dir = tempDir()->path();
    QLibSetting::self()->setDataDir(dir);
    QLibSetting::self()->loadLanguage(QStringLiteral("en"));
    QLibLogger::self()->init(dir, false);
    QString why;
    if (!QDatabaseManager::self()->open(dir, &why)) {
        qWarning("test host: %s", qPrintable(why));
        if (error) {
            *error = why;
        }
        return false;
    }
    QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
    QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(0);
    QDriveCatalogue* catalogue = QProjectCore::self()->getCatalogue();
    catalogue->clear();
    catalogue->loadDirectory(QDriveCatalogue::defaultDirectory());
    for (int axes = 1; axes <= 3; ++axes) {
        for (const QString& language : QDriveModel::languages()) {
            catalogue->addModel(testModel(axes, QStringLiteral("TST%1").arg(axes), language));
        }
    }
    clearProject();
    return true;
}

void QTestHost::clearProject()
{
    QProjectCore::self()->closeProject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QDeviceServo* QTestHost::addDrive(const QString& model, const QString& alias, int replyDelayMs)
{
    QProjectCore::self()->setSimulatedReplyDelay(replyDelayMs);
    QString error;
    QDeviceServo* device = QProjectCore::self()->addSimulatedDrive(model, alias, &error);
    if (!device) {
        qWarning("cannot add drive %s: %s", qPrintable(model), qPrintable(error));
    }
    return device;
}

QDeviceServo* QTestHost::addSelectedDrive(const QString& model, const QString& alias, int replyDelayMs)
{
    QDeviceServo* device = addDrive(model, alias, replyDelayMs);
    if (device) {
        select(alias);
    }
    return device;
}

void QTestHost::checkModel(QAbstractItemModel* model)
{
    new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
}

QSimulatedDriveLink* QTestHost::link(const QString& alias)
{
    return QProjectCore::self()->simulatedLink(alias);
}

void QTestHost::select(const QString& alias)
{
    QProjectCore::self()->getDevMgr()->setSelect(alias);
}

void QTestHost::clickTreeNode(const QString& alias, int kind, const QString& text)
{
    select(alias);
    QDeviceServo* device = QProjectCore::self()->getDevMgr()->getDeviceServo(alias);
    tagTreeDataSet node;
    node.strText = text;
    node.subId = kind;
    emit QSignalManager::self()->SigClickTree(device ? device->getDeviceInfoPtr() : nullptr, node);
}

void QTestHost::setRefreshInterval(QDeviceServo* device, int ms)
{
    QCommuParams params = device->getCommuParams();
    params.refreshInterval = ms;
    device->setCommuParams(params);
}

bool QTestHost::readAll(QDeviceServo* device, int timeoutMs)
{
    if (!device) {
        return false;
    }
    device->readAllFuncode();
    return waitForReads(device, timeoutMs);
}

bool QTestHost::readCodes(QDeviceServo* device, const QStringList& numbers, int timeoutMs)
{
    if (!device || !waitForReads(device, timeoutMs)) {
        return false;
    }
    QList<tagSubFuncode_Servo*> codes;
    for (const QString& number : numbers) {
        tagSubFuncode_Servo* code = device->getFuncodePtrByFunIndex(number);
        if (!code) {
            qWarning("drive %s has no code %s", qPrintable(device->getAliasName()), qPrintable(number));
            return false;
        }
        codes << code;
    }
    device->readFuncode(codes);
    return waitForReads(device, timeoutMs);
}

bool QTestHost::waitForReads(QDeviceServo* device, int timeoutMs)
{
    return device && QTest::qWaitFor([device]() { return !device->isReadBusy(); }, timeoutMs);
}

QString QTestHost::longestGroup(const QDeviceServo* device)
{
    const QDeviceServo::FuncodeGroupMap& groups = device->getNormalFuncodeGroupMap();
    QString longest;
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        if (longest.isEmpty() || it.value().size() > groups.value(longest).size()) {
            longest = it.key();
        }
    }
    return longest;
}
