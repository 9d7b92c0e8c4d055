#include "QFuncodeImportFile_Servo.h"

#include "QConfigDB_Servo.h"
#include "QDatabaseManager.h"
#include "QDeviceServo.h"
#include "QFuncodeHelper_Servo.h"
#include "QLibSetting.h"
#include "QSystemSetting.h"

#include <QMap>

namespace {
const QString kMonitoredMark = QStringLiteral("FOCUS");
}

QFuncodeImportFile_Servo::Status
QFuncodeImportFile_Servo::read(const QString& path, const QDeviceServo* device, bool monitoredPageShown)
{
    m_path = path;
    m_error = 0;
    m_rows.clear();
    m_info = tagExportDevInfo_Servo();
    if (!device) {
        return fail(NoDevice);
    }
    if (!QFuncodeHelper_Servo::getFileFuncodeInfoServo(path, m_info, m_error) || m_error != 0) {
        return fail(ReadFailed);
    }
    if (fileModelName(m_info.devText, device->getDevName()) != device->getDevName()) {
        return fail(OtherDevice);
    }
    m_rows = permittedRows(device);
    if (m_rows.isEmpty()) {
        return fail(NotPermitted);
    }
    m_monitored = m_info.modeText.isEmpty() ? monitoredPageShown : m_info.modeText == kMonitoredMark;
    m_status = Ok;
    return m_status;
}

QFuncodeImportFile_Servo::Status QFuncodeImportFile_Servo::fail(Status status)
{
    m_status = status;
    m_rows.clear();
    return status;
}

QString QFuncodeImportFile_Servo::fileModelName(const QString& devText, const QString& driveModel)
{
    const QString name = devText.section(QLatin1Char('_'), 0, 0);
    if (name == driveModel) {
        return name;
    }
    const QConfigDB_Servo* config = QDatabaseManager::self()->getConfigDatabase_Servo();
    if (!config || config->getDevConfigInfo(name)) {
        return name;
    }
    const QString renamed = config->convertToNewDevName(name);
    return !renamed.isEmpty() && config->getDevConfigInfo(renamed) ? renamed : name;
}

tagExportFuncodeList_Servo QFuncodeImportFile_Servo::permittedRows(const QDeviceServo* device) const
{
    const int authority = QLibSetting::self()->getSystemSetting()->getAuthority();
    QMap<QString, tagExportFuncodeList_Servo> groups;
    for (const tagExportFuncodePtr_Servo& record : m_info.funcodes) {
        if (record && device->isAuthValid(record->funIndex, authority)) {
            groups[record->groupName].append(record);
        }
    }
    tagExportFuncodeList_Servo rows;
    for (const QString& group : QDeviceServo::orderGroupName(groups.keys())) {
        rows += groups.value(group);
    }
    return rows;
}

QString QFuncodeImportFile_Servo::errorText() const
{
    switch (m_status) {
    case ReadFailed:
        return tr("STR_OPEN_FILE_FAILED") + QLatin1Char('\n') + m_path + QLatin1Char('\n') +
               tr("STR_ERROR CODE") + QString::number(m_error) +
               QStringLiteral("(%1)").arg(QFuncodeHelperBase::getErrorStr(m_error));
    case OtherDevice:
        return tr("STR_DOWNLOAD_DEVIC_ERROR");
    case NotPermitted:
        return tr("STR_AUTHORITY_NOW_NOT_PERMIT_IMPORT");
    case NoDevice:
        return tr("STR_NOTSELECT_DEVICE");
    case Ok:
        break;
    }
    return QString();
}
