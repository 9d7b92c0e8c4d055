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

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

namespace {
QTemporaryDir* tempDir()
{
    static QTemporaryDir* dir = new QTemporaryDir;
    return dir;
}

// A text in both languages; a text that already has them stays.
QJsonValue bothLanguages(const QJsonValue& text)
{
    if (!text.isString()) {
        return text;
    }
    return QJsonObject{{"en", text}, {"zh_CN", text.toString() + QStringLiteral("（中）")}};
}

QJsonArray allInBothLanguages(const QJsonArray& texts)
{
    QJsonArray out;
    for (const QJsonValue& text : texts) {
        out.append(bothLanguages(text));
    }
    return out;
}

// The members of obj that are texts, in both languages.
QJsonObject textsInBothLanguages(QJsonObject obj, const QStringList& keys)
{
    for (const QString& key : keys) {
        if (obj.contains(key)) {
            obj.insert(key, bothLanguages(obj.value(key)));
        }
    }
    return obj;
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

QJsonObject QTestHost::bilingual(QJsonObject description)
{
    QJsonObject enums = description.value("enums").toObject();
    for (auto it = enums.begin(); it != enums.end(); ++it) {
        it.value() = allInBothLanguages(it.value().toArray());
    }
    description.insert("enums", enums);
    QJsonArray groups = description.value("groups").toArray();
    for (auto group = groups.begin(); group != groups.end(); ++group) {
        QJsonObject g = textsInBothLanguages(group->toObject(), {"name"});
        QJsonArray codes = g.value("codes").toArray();
        for (auto code = codes.begin(); code != codes.end(); ++code) {
            QJsonObject c = textsInBothLanguages(code->toObject(), {"name", "remark"});
            if (c.contains("items")) {
                c.insert("items", allInBothLanguages(c.value("items").toArray()));
            }
            QJsonArray menu = c.value("menu").toArray();
            for (auto digit = menu.begin(); digit != menu.end(); ++digit) {
                QJsonObject d = textsInBothLanguages(digit->toObject(), {"name"});
                d.insert("options", allInBothLanguages(d.value("options").toArray()));
                *digit = d;
            }
            if (!menu.isEmpty()) {
                c.insert("menu", menu);
            }
            *code = c;
        }
        g.insert("codes", codes);
        *group = g;
    }
    description.insert("groups", groups);
    for (const char* list : {"faults", "historyFormat"}) {
        QJsonArray rows = description.value(list).toArray();
        for (auto row = rows.begin(); row != rows.end(); ++row) {
            *row = textsInBothLanguages(row->toObject(), {"name", "reason", "remedy"});
        }
        description.insert(list, rows);
    }
    return description;
}

QDriveModelPtr QTestHost::testModel(int axisNum, const QString& name, const QString& language)
{
    QString error;
    QDriveModelPtr model = QDriveModel::fromJson(testModelJson(axisNum, name), &error, language);
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
