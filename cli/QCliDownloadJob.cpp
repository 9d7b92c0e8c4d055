#include "QCliDownloadJob.h"

#include "QCliExit.h"
#include "QDeviceServo.h"
#include "QImportMotorType_Servo.h"

QCliDownloadJob::QCliDownloadJob(const Settings& settings, const QCliDriveAddress& address,
                                 const QMap<QString, tagExportFuncodePtr_Servo>& records, QObject* parent)
    : QObject(parent), m_settings(settings), m_address(address), m_total(records.size())
{
    // Copies: each drive's own scaling turns the texts into its raw values.
    for (auto it = records.cbegin(); it != records.cend(); ++it) {
        m_records.insert(it.key(), tagExportFuncodePtr_Servo::create(*it.value()));
    }
}

QCliDownloadJob::~QCliDownloadJob() = default;

void QCliDownloadJob::start()
{
    m_stage = STAGE_CONNECTING;
    m_drive = std::make_unique<QCliDrive>(m_settings.context, m_address);
    connect(m_drive.get(), &QCliDrive::ready, this, &QCliDownloadJob::onReady);
    m_drive->start();
}

void QCliDownloadJob::setStep(enStage stage)
{
    m_stage = stage;
    emit stepPending();
}

void QCliDownloadJob::runStep()
{
    if (m_stage == STAGE_TO_WRITE) {
        writeMotorTypeAndStart();
    } else if (m_stage == STAGE_TO_FINISH) {
        saveAndReset();
    }
}

void QCliDownloadJob::release()
{
    if (isDone()) {
        m_transfer.reset();
        m_drive.reset();
    }
}

// May run inside the link's own signal: it only decides what comes next.
void QCliDownloadJob::onReady(int status)
{
    if (status != QCliExit::OK) {
        finish(m_drive->error());
        return;
    }
    const QDeviceServo* device = m_drive->device();
    if (device->getDevName() != m_settings.model) {
        finish(tr("STR_CLI_NOT_SOURCE_MODEL").arg(device->getDevName(), m_settings.model));
        return;
    }
    setStep(STAGE_TO_WRITE);
}

void QCliDownloadJob::writeMotorTypeAndStart()
{
    QDeviceServo* device = m_drive->device();
    QString refusal;
    if (!device->isWritePermitted(&refusal)) {
        finish(tr("STR_CLI_DRIVE_REFUSES_WRITES").arg(name(), refusal));
        return;
    }
    m_records = QCliBatchTransfer::writableRecords(device, m_records.values());
    // The motor type the drive holds decides whether it is written first.
    if (tagSubFuncode_Servo* motor = device->getFuncodePtrByFunIndex(device->getDevMotorTypeFuncode())) {
        m_drive->read({motor});
    }
    QString reason;
    if (QImportMotorType_Servo::writeAhead(device, m_records, &reason) == QImportMotorType_Servo::Failed) {
        finish(tr("STR_CLI_MOTOR_TYPE_FAILED").arg(reason));
        return;
    }
    QImportMotorType_Servo::rescale(device, m_records);
    m_stage = STAGE_WRITING;
    m_transfer = std::make_unique<QCliBatchTransfer>(device);
    connect(m_transfer.get(), &QCliBatchTransfer::progress, this, [this](int done, int total) {
        m_progress = done;
        m_total = total;
        emit progress();
    });
    connect(m_transfer.get(), &QCliBatchTransfer::finished, this, &QCliDownloadJob::onTransferred);
    m_transfer->start(m_records, true, QDeviceServo::AXIS_X);
}

void QCliDownloadJob::onTransferred()
{
    m_failures = m_transfer->failures();
    if (!m_failures.isEmpty() || (!m_settings.save && !m_settings.reset)) {
        finish();
        return;
    }
    setStep(STAGE_TO_FINISH);
}

void QCliDownloadJob::saveAndReset()
{
    const QList<int> axes = m_drive->allAxes();
    if (m_settings.save && !m_drive->save(axes)) {
        finish(tr("STR_CLI_SAVE_FAILED").arg(name()));
        return;
    }
    if (m_settings.reset && !m_drive->reset(axes)) {
        finish(tr("STR_CLI_RESET_FAILED").arg(name()));
        return;
    }
    finish();
}

void QCliDownloadJob::finish(const QString& error)
{
    m_error = error;
    m_stage = STAGE_DONE;
    m_progress = m_total;
    emit progress();
    emit finished();
}
