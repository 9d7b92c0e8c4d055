#include "QCompareSourceLoader_Servo.h"

#include "QDriveFullRead_Servo.h"

#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QExportDB_Servo.h"
#include "QLibSetting.h"
#include "QMyMessageBox.h"
#include "QProjectCore.h"
#include "QSystemSetting.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
const int kAxes = 3;
// Files of another product family use the same database form; their device text carries this mark.
const char kRefusedDeviceMark[] = "KX";

tagExportFuncodePtr_Servo exportOf(const QDeviceServo& device, const tagSubFuncode_Servo& fun,
                                   const QString& group)
{
    auto code = tagExportFuncodePtr_Servo::create();
    code->groupName = group;
    code->funIndex = fun.funIndex;
    code->funName = fun.funName;
    code->dataType = fun.dataType;
    code->authority = fun.authority;
    code->axisNum = device.getAxisNum();
    for (int axis = 0; axis < kAxes; ++axis) {
        code->curValue[size_t(axis)] = device.getCurValue(fun.funIndex, axis);
        code->valueTexts.append(device.getScaledCurValueStr(fun.funIndex, axis));
    }
    return code;
}
} // namespace

tagCompareSource_Servo QCompareSourceLoader_Servo::sourceOfDrive(const QDeviceServo& device)
{
    tagCompareSource_Servo source;
    source.devText = QStringLiteral("%1_%2").arg(device.getDevName(), device.getConfigVersion());
    source.axisNum = device.getAxisNum();
    source.name = device.getCommuName();
    source.title = device.getShowNameByShowType(false);
    const QDeviceServo::FuncodeGroupMap& groups = device.getNormalFuncodeGroupMap();
    for (auto group = groups.constBegin(); group != groups.constEnd(); ++group) {
        QList<tagExportFuncodePtr_Servo>& codes = source.groupMap[group.key()];
        codes.reserve(group.value().size());
        for (const tagSubFuncode_Servo* fun : group.value()) {
            codes.append(exportOf(device, *fun, group.key()));
        }
    }
    return source;
}

bool QCompareSourceLoader_Servo::loadDrive(const QString& alias, bool read,
                                           tagCompareSource_Servo* source) const
{
    QDeviceServo* device = QProjectCore::self()->getDevMgr()->getDeviceServo(alias);
    if (!device) {
        return false;
    }
    if (read && device->isDeviceOnline()) {
        QDriveFullRead_Servo::readAll(device, m_parent);
    }
    // The drive may have been removed while it was read.
    device = QProjectCore::self()->getDevMgr()->getDeviceServo(alias);
    if (!device) {
        return false;
    }
    *source = sourceOfDrive(*device);
    return true;
}

bool QCompareSourceLoader_Servo::isRefusedDevText(const QString& devText)
{
    return devText.contains(QLatin1String(kRefusedDeviceMark));
}

void QCompareSourceLoader_Servo::tellOpenFailed(const QString& path, const QString& detail) const
{
    QString text = QCoreApplication::translate("QFuncodeCompareDialog_Servo", "STR_OPEN_FILE_FAILED") +
                   QStringLiteral("\n%1").arg(path);
    if (!detail.isEmpty()) {
        text += QLatin1Char('\n') + detail;
    }
    QMyMessageBox::information(
        m_parent, QCoreApplication::translate("QFuncodeCompareDialog_Servo", "STR_COMPARE"), text);
}

bool QCompareSourceLoader_Servo::readDatabaseFile(const QString& path, tagExportDevInfo_Servo* info) const
{
    // Opening a path that does not exist would create an empty file there.
    if (!QFileInfo(path).isFile()) {
        tellOpenFailed(path);
        return false;
    }
    QExportDB_Servo* database = QDatabaseManager::self()->getExportDatabase_Servo();
    if (!database->openDatabase(path)) {
        tellOpenFailed(path, database->lastError());
        return false;
    }
    const QList<tagExportDevInfo_Servo> devices = database->getImportDevInfoRecords();
    database->closeDatabase();
    if (devices.isEmpty() || isRefusedDevText(devices.first().devText)) {
        tellOpenFailed(path);
        return false;
    }
    *info = devices.first();
    return true;
}

bool QCompareSourceLoader_Servo::readTextFile(const QString& path, tagExportDevInfo_Servo* info) const
{
    Q_UNUSED(info)
    tellOpenFailed(path);
    return false;
}

tagCompareSource_Servo QCompareSourceLoader_Servo::sourceOfFile(const QString& path,
                                                                const tagExportDevInfo_Servo& info)
{
    tagCompareSource_Servo source;
    source.devText = info.devText;
    source.axisNum = info.axisNumText.toInt();
    source.name = info.commuName;
    source.title = path;
    const int authority = QLibSetting::self()->getSystemSetting()->getAuthority();
    for (const tagExportFuncodePtr_Servo& code : info.funcodes) {
        if (code && QDeviceServo::isAuthValid(code->authority, authority)) {
            source.groupMap[code->groupName].append(code);
        }
    }
    return source;
}

bool QCompareSourceLoader_Servo::loadFile(const QString& path, tagCompareSource_Servo* source) const
{
    if (!QProjectCore::self()->getDevMgr()->getSelectServo()) {
        QMyMessageBox::information(
            m_parent, QCoreApplication::translate("QFuncodeCompareDialog_Servo", "STR_COMPARE"),
            QCoreApplication::translate("QFuncodeCompareDialog_Servo", "STR_NOTSELECT_DEVICE"));
        return false;
    }
    if (path.isEmpty()) {
        tellOpenFailed(path);
        return false;
    }
    tagExportDevInfo_Servo info;
    const bool read = path.contains(QLatin1String(".funcodeservo")) ? readDatabaseFile(path, &info)
                                                                    : readTextFile(path, &info);
    if (!read) {
        return false;
    }
    *source = sourceOfFile(path, info);
    return true;
}
