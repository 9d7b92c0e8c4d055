#include "QCompareSourceLoader_Servo.h"

#include "QBatchReadWrite_Servo.h"
#include "QCompareSourceBuilder_Servo.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeHelper_Servo.h"
#include "QMyMessageBox.h"
#include "QProjectCore.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
// Files of another product family use the same database form; their device text carries this mark.
const char kRefusedDeviceMark[] = "KX";

QString text(const char* key)
{
    return QCoreApplication::translate("QFuncodeCompareDialog_Servo", key);
}

// "Error code 7 (the text of error 7)" for a file the readers could not take.
QString errorText(int error)
{
    return QStringLiteral("%1 %2 (%3)")
        .arg(text("STR_ERROR CODE"), QString::number(error), QFuncodeHelperBase::getErrorStr(error));
}
} // namespace

bool QCompareSourceLoader_Servo::loadDrive(const QString& alias, bool read,
                                           tagCompareSource_Servo* source) const
{
    QDeviceServo* device = QProjectCore::self()->getDevMgr()->getDeviceServo(alias);
    if (!device) {
        return false;
    }
    // A value the read did not answer could not be read for this comparison: it is not compared.
    qint64 readSinceMs = -1;
    if (read && device->isDeviceOnline()) {
        readSinceMs = device->valueStates().now();
        QBatchReadWrite_Servo reader(alias, text("STR_READ"), m_parent, 0);
        reader.batchReadFuncode(QStringList());
    }
    // The drive may have been removed while it was read.
    device = QProjectCore::self()->getDevMgr()->getDeviceServo(alias);
    if (!device) {
        return false;
    }
    *source = QCompareSourceBuilder_Servo::fromDevice(*device, readSinceMs);
    // How the drive is reached; a drive simulated inside the workbench in the present language.
    if (QProjectCore::self()->simulatedLink(device->getAliasName())) {
        source->name = text("STR_STATUS_LINK_SIMULATED");
    }
    return true;
}

bool QCompareSourceLoader_Servo::isRefusedDevText(const QString& devText)
{
    return devText.contains(QLatin1String(kRefusedDeviceMark));
}

void QCompareSourceLoader_Servo::tellOpenFailed(const QString& path, const QString& detail) const
{
    QString message = text("STR_OPEN_FILE_FAILED") + QStringLiteral("\n%1").arg(path);
    if (!detail.isEmpty()) {
        message += QLatin1Char('\n') + detail;
    }
    QMyMessageBox::information(m_parent, text("STR_COMPARE"), message);
}

bool QCompareSourceLoader_Servo::readDatabaseFile(const QString& path, tagExportDevInfo_Servo* info) const
{
    int error = 0;
    if (!QFuncodeHelper_Servo::getFuncodeServoFileInfoServo(path, *info, error)) {
        tellOpenFailed(path, errorText(error));
        return false;
    }
    if (isRefusedDevText(info->devText)) {
        tellOpenFailed(path);
        return false;
    }
    return true;
}

// Comma-separated files need not start with the import mark; codes above the present authority are left
// out when the source is built.
bool QCompareSourceLoader_Servo::readTextFile(const QString& path, tagExportDevInfo_Servo* info) const
{
    int error = 0;
    const bool workbook = QFileInfo(path).suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0;
    const bool read = workbook ? QFuncodeHelper_Servo::getXlsxFileFuncodeInfoServo(path, *info, error)
                               : QFuncodeHelper_Servo::getCsvFileFuncodeInfoServo(path, *info, error, false);
    if (!read) {
        tellOpenFailed(path, errorText(error));
    }
    return read;
}

bool QCompareSourceLoader_Servo::loadFile(const QString& path, tagCompareSource_Servo* source) const
{
    if (!QProjectCore::self()->getDevMgr()->getSelectServo()) {
        QMyMessageBox::information(m_parent, text("STR_COMPARE"), text("STR_NOTSELECT_DEVICE"));
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
    *source = QCompareSourceBuilder_Servo::fromFile(path, info);
    return true;
}
