#include "QTestHost.h"

#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QLibLogger.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QSimulatedDriveLink.h"
#include "QSystemSetting.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
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

QJsonObject code(const QString& index, const QString& name, int showType, const QString& min,
                 const QString& max, const QString& def, int rw = 1)
{
    return QJsonObject{{"index", index}, {"name", name}, {"showType", showType}, {"min", min}, {"max", max},
                       {"default", def}, {"rw", rw}};
}

QJsonObject with(QJsonObject obj, const QString& key, const QJsonValue& value)
{
    obj.insert(key, value);
    return obj;
}

QJsonArray basicGroup()
{
    QJsonArray codes;
    QJsonObject motor = code("P00.00", "Motor type", 2, "0", "5", "1");
    motor.insert("items", QJsonArray{"0:Motor A 200W", "1:Motor B 400W", "3:Motor C 750W", "5:Motor D 1kW"});
    motor.insert("relateParams", QJsonArray{"P00.01", "P00.02"});
    motor.insert("common", true);
    motor.insert("effect", 1);
    motor.insert("remark", "Choose the motor on the name plate.");
    codes.append(motor);
    codes.append(
        with(with(code("P00.01", "Rated current", 0, "0.10", "30.00", "2.80"), "precision", 2), "unit", "A"));
    codes.append(with(code("P00.02", "Rated speed", 0, "0", "6000", "3000"), "unit", "rpm"));
    QJsonObject mode = code("P00.03", "Control mode", 2, "0", "2", "0");
    mode.insert("items", QJsonArray{"0:Position", "1:Speed", "2:Torque"});
    mode.insert("relate", "FPST");
    mode.insert("common", true);
    codes.append(mode);
    codes.append(with(code("P00.04", "Input polarity", 1, "0", "65535", "255"), "effect", 2));
    QJsonObject menu = code("P00.05", "Stop options", 6, "0", "12", "0");
    menu.insert(
        "menu",
        QJsonArray{QJsonObject{{"digit", 0},
                               {"name", "Stop mode"},
                               {"options", QJsonArray{"0 Coast", "1 Ramp", "2 Short brake"}}},
                   QJsonObject{{"digit", 1}, {"name", "Hold"}, {"options", QJsonArray{"0 Off", "1 On"}}}});
    codes.append(menu);
    codes.append(code("P00.06", "Factory code", 0, "0", "100", "7", 3));
    codes.append(code("P00.07", "Read only value", 0, "0", "100", "9", 0));
    codes.append(code("P00.08", "Command word", 0, "0", "100", "0", 2));
    codes.append(with(code("P00.09", "Manufacturer setting", 0, "0", "100", "1"), "authority", 2));
    codes.append(code("P00.10", "Bit view", 3, "0", "65535", "5"));
    codes.append(with(code("P00.11", "Signed offset", 8, "-1000", "1000", "-5"), "dataType", 3));
    codes.append(with(code("P00.12", "Mask 32", 9, "0", "4294967295", "4096"), "dataType", 8));
    codes.append(
        with(code("P00.13", "Position 64", 10, "-1000000000000", "1000000000000", "0"), "dataType", 15));
    codes.append(with(code("P00.14", "Firmware text", 4, "0", "0", "FW1.0", 0), "dataType", 15));
    codes.append(with(code("P00.15", "Build date", 5, "0", "0", "0", 0), "dataType", 8));
    codes.append(code("P00.16", "Version", 7, "0", "9999", "123", 0));
    return codes;
}

QJsonArray gainGroup()
{
    QJsonArray codes;
    QJsonObject gain = with(code("P2.00", "Speed gain", 0, "1.0", "2000.0", "27.0"), "precision", 1);
    gain.insert("relateParams", QJsonArray{"P2.01"});
    gain.insert("relate", "S");
    codes.append(gain);
    codes.append(with(code("P2.01", "Speed integral time", 0, "0.15", "512.00", "21.75"), "precision", 2));
    codes.append(code("P2.02", "Trigger channel", 0, "0", "10", "0"));
    codes.append(code("P2.03", "Sampling channel", 0, "0", "10", "1"));
    return codes;
}

QJsonArray limitGroup()
{
    QJsonArray codes;
    for (int i = 0; i < 120; ++i) {
        codes.append(code(QStringLiteral("P10.%1").arg(i, 2, 10, QLatin1Char('0')),
                          QStringLiteral("Limit %1").arg(i), 0, "0", "1000", QString::number(i)));
    }
    return codes;
}

QJsonArray stateGroup()
{
    QJsonArray codes;
    codes.append(with(code("U00.00", "Motor speed", 8, "-9000", "9000", "0", 0), "sim",
                      QJsonObject{{"kind", "sine"}, {"base", 0}, {"amp", 1500}, {"periodS", 4}}));
    QJsonObject bus = with(code("U00.01", "DC bus voltage", 0, "0", "900.0", "310.0", 0), "precision", 1);
    codes.append(with(bus, "sim", QJsonObject{{"kind", "const"}, {"base", 310.5}}));
    return codes;
}
} // namespace

QByteArray QTestHost::testModelJson(int axisNum, const QString& name)
{
    QJsonObject root;
    root.insert("format", 1);
    root.insert("model", name);
    root.insert("configVersion", "1.00");
    root.insert("axisNum", axisNum);
    root.insert("identity", QJsonObject{{"family", "TST"}, {"firmware", "T1"}, {"number", 900 + axisNum}});
    root.insert("motorTypeCode", "P00.00");
    root.insert("oscilloscope", QJsonObject{{"firstCode", "P2.02"}, {"noEditCodes", QJsonArray{"P2.03"}}});
    root.insert(
        "groups",
        QJsonArray{QJsonObject{{"name", "P00 Basic"}, {"codes", basicGroup()}},
                   QJsonObject{{"name", "P10 Limits"}, {"codes", limitGroup()}},
                   QJsonObject{{"name", "P2 Gains"}, {"codes", gainGroup()}},
                   QJsonObject{{"name", "PtP Points"},
                               {"codes", QJsonArray{code("PtP.00", "Point 0", 8, "-100000", "100000", "0"),
                                                    code("PtP.01", "Point 1", 8, "-100000", "100000", "0")}}},
                   QJsonObject{{"name", "U00 Monitor"}, {"state", true}, {"codes", stateGroup()}}});
    root.insert(
        "effects",
        QJsonArray{
            QJsonObject{{"source", "P00.00"},
                        {"target", "P00.01"},
                        {"table", QJsonObject{{"0", "1.50"}, {"1", "2.80"}, {"3", "4.50"}, {"5", "6.00"}}}},
            QJsonObject{{"source", "P00.00"},
                        {"target", "P00.02"},
                        {"table", QJsonObject{{"0", "3000"}, {"1", "3000"}, {"3", "2500"}, {"5", "2000"}}}}});
    root.insert("faults", QJsonArray{QJsonObject{{"code", "E.101"},
                                                 {"name", "Overcurrent"},
                                                 {"reason", "Short circuit"},
                                                 {"remedy", "Check the motor cable"},
                                                 {"stopNow", true}},
                                     QJsonObject{{"code", "E.201"},
                                                 {"name", "Overvoltage"},
                                                 {"reason", "Braking energy"},
                                                 {"remedy", "Add a braking resistor"},
                                                 {"canClear", false}}});
    root.insert(
        "historyFormat",
        QJsonArray{QJsonObject{{"number", "1~2"},
                               {"name", "Fault code"},
                               {"dataType", 8},
                               {"length", 4},
                               {"param", "FAULTCODE"}},
                   QJsonObject{{"number", "3"},
                               {"name", "Bus voltage"},
                               {"dataType", 4},
                               {"length", 2},
                               {"param", "U00.01"}},
                   QJsonObject{
                       {"number", "4"}, {"name", ""}, {"dataType", 4}, {"length", 2}, {"param", "RESERVE"}}});
    return QJsonDocument(root).toJson();
}

QDriveModelPtr QTestHost::testModel(int axisNum, const QString& name)
{
    QString error;
    QDriveModelPtr model = QDriveModel::fromJson(testModelJson(axisNum, name), &error);
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
        catalogue->addModel(testModel(axes, QStringLiteral("TST%1").arg(axes)));
    }
    clearProject();
    return true;
}

void QTestHost::clearProject()
{
    QProjectCore::self()->closeProject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString QTestHost::dataDir()
{
    return tempDir()->path();
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
