#include "QCliDownloadSteps.h"

#include "QCliExit.h"
#include "QDeviceServo.h"
#include "QImportMotorType_Servo.h"

QCliDownloadSteps::QCliDownloadSteps(const Settings& settings, const QList<QCliDriveAddress>& addresses)
    : m_settings(settings)
{
    for (const QCliDriveAddress& address : addresses) {
        m_addresses.insert(address.text, address);
    }
}

QCliDownloadSteps::~QCliDownloadSteps() = default;

QString QCliDownloadSteps::busOf(const QString& alias) const
{
    const QDriveLinkSettings& settings = m_addresses.value(alias).settings;
    return settings.kind == QDriveLinkSettings::ModbusRtu ? settings.serialPort : QString();
}

bool QCliDownloadSteps::prepare(const QString& alias, QMap<QString, tagExportFuncodePtr_Servo>* records,
                                QString* error)
{
    auto drive = std::make_shared<QCliDrive>(m_settings.context, m_addresses.value(alias));
    m_drives.insert(alias, drive);
    if (drive->open(error) != QCliExit::OK) {
        return false;
    }
    QDeviceServo* device = drive->device();
    if (device->getDevName() != m_settings.model) {
        *error = tr("STR_CLI_NOT_SOURCE_MODEL").arg(device->getDevName(), m_settings.model);
        return false;
    }
    QString refusal;
    if (!device->isWritePermitted(&refusal)) {
        *error = tr("STR_CLI_DRIVE_REFUSES_WRITES").arg(alias, refusal);
        return false;
    }
    *records = QCliBatchTransfer::writableRecords(device, records->values().toVector());
    // The motor type the drive holds decides whether it is written first.
    if (tagSubFuncode_Servo* motor = device->getFuncodePtrByFunIndex(device->getDevMotorTypeFuncode())) {
        drive->read({motor});
    }
    QString reason;
    if (QImportMotorType_Servo::writeAhead(device, *records, &reason) == QImportMotorType_Servo::Failed) {
        *error = tr("STR_CLI_MOTOR_TYPE_FAILED").arg(reason);
        return false;
    }
    QImportMotorType_Servo::rescale(device, *records);
    return true;
}

bool QCliDownloadSteps::complete(const QString& alias, QString* error)
{
    const std::shared_ptr<QCliDrive> drive = m_drives.value(alias);
    const QList<int> axes = drive->allAxes();
    if (m_settings.save && !drive->save(axes)) {
        *error = tr("STR_CLI_SAVE_FAILED").arg(alias);
        return false;
    }
    if (m_settings.reset && !drive->reset(axes)) {
        *error = tr("STR_CLI_RESET_FAILED").arg(alias);
        return false;
    }
    return true;
}

QList<QCliBatchTransfer::Failure> QCliDownloadSteps::release(const QString& alias,
                                                             const QServoBatchTransfer* transfer)
{
    const std::shared_ptr<QCliDrive> drive = m_drives.take(alias);
    return transfer ? QCliBatchTransfer::failuresOf(*transfer, drive ? drive->device() : nullptr)
                    : QList<QCliBatchTransfer::Failure>();
}
