#include "QCliBatchTransfer.h"

#include "QDeviceServo.h"
#include "QServoWriteRules.h"

#include <QEventLoop>

QCliBatchTransfer::QCliBatchTransfer(QDeviceServo* device, QObject* parent)
    : QObject(parent), m_device(device), m_alias(device ? device->getAliasName() : QString())
{
    connect(&m_transfer, &QServoBatchTransfer::progressChanged, this, &QCliBatchTransfer::progress);
    connect(&m_transfer, &QServoBatchTransfer::finished, this, &QCliBatchTransfer::onFinished);
}

void QCliBatchTransfer::start(const QMap<QString, tagExportFuncodePtr_Servo>& records, bool allAxes, int axis)
{
    m_failures.clear();
    m_finished = false;
    if (!m_transfer.start(m_alias, records, allAxes, axis)) {
        for (const tagExportFuncodePtr_Servo& record : records) {
            m_failures.append({record->funIndex, 0, m_transfer.errorText()});
        }
        m_finished = true;
        emit finished(false);
    }
}

bool QCliBatchTransfer::run(const QMap<QString, tagExportFuncodePtr_Servo>& records, bool allAxes, int axis)
{
    QEventLoop loop;
    connect(this, &QCliBatchTransfer::finished, &loop, &QEventLoop::quit);
    start(records, allAxes, axis);
    if (!m_finished) {
        loop.exec();
    }
    return succeeded();
}

QMap<QString, tagExportFuncodePtr_Servo>
QCliBatchTransfer::writableRecords(const QDeviceServo* device, const tagExportFuncodeList_Servo& codes)
{
    QMap<QString, tagExportFuncodePtr_Servo> records;
    for (const tagExportFuncodePtr_Servo& code : codes) {
        const tagSubFuncode_Servo* fun = code ? device->getFuncodePtrByFunIndex(code->funIndex) : nullptr;
        if (fun && (fun->isStateCode || !QServoWriteRules::hasWriteRight(*fun))) {
            continue;
        }
        if (code && !records.contains(code->funIndex)) {
            records.insert(code->funIndex, code);
        }
    }
    return records;
}

QString QCliBatchTransfer::reasonOf(const QDeviceServo* device, int linkError)
{
    return device ? device->getErrorReasonStr(QDeviceServo::linkErrorToWriteError(linkError)) : QString();
}

// The value's own errors, kept by the drive's batch engine, say more than the verdict.
QString QCliBatchTransfer::entryReason(const QServoBatchTransfer& transfer, const QDeviceServo* device,
                                       const QServoBatchTransfer::Mismatch& mismatch,
                                       const tagServoBufInfo* entry)
{
    if (!device) {
        return tr("STR_CLI_DRIVE_GONE");
    }
    if (entry && entry->writeError > 0) {
        return reasonOf(device, entry->writeError);
    }
    if (entry && entry->readError > 0) {
        return tr("STR_CLI_READ_BACK_FAILED").arg(reasonOf(device, entry->readError));
    }
    if (!mismatch.transferred) {
        if (!device->isDeviceOnline()) {
            return tr("STR_CLI_DRIVE_DID_NOT_COME_BACK").arg(QServoBatchTransfer::vanishWaitMs() / 1000);
        }
        if (!transfer.errorText().isEmpty()) {
            return transfer.errorText();
        }
        return entry && entry->isWritten() ? tr("STR_CLI_NOT_READ_BACK") : tr("STR_CLI_NOT_WRITTEN");
    }
    const tagSubFuncode_Servo* fun = device->getFuncodePtrByFunIndex(mismatch.funIndex);
    return tr("STR_CLI_READS_BACK_OTHER")
        .arg(device->getShowStr(fun, mismatch.current), device->getShowStr(fun, mismatch.written));
}

QList<QCliBatchTransfer::Failure> QCliBatchTransfer::failuresOf(const QServoBatchTransfer& transfer,
                                                                const QDeviceServo* device)
{
    QList<Failure> failures;
    for (const auto& rejected : transfer.rejectedFuncodes()) {
        failures.append({rejected.first, 0, reasonOf(device, rejected.second)});
    }
    const QServoTaskMap tasks = device ? device->getWriteTaskMap() : QServoTaskMap();
    for (const QServoBatchTransfer::Mismatch& mismatch : transfer.mismatches()) {
        const tagServoBufInfo* entry = nullptr;
        for (const QList<tagServoBufInfo>& task : tasks) {
            for (const tagServoBufInfo& candidate : task) {
                if (candidate.funIndex == mismatch.funIndex && candidate.axis == mismatch.axis) {
                    entry = &candidate;
                }
            }
        }
        failures.append({mismatch.funIndex, mismatch.axis, entryReason(transfer, device, mismatch, entry)});
    }
    return failures;
}

void QCliBatchTransfer::onFinished()
{
    m_failures = failuresOf(m_transfer, m_device);
    m_finished = true;
    emit finished(m_failures.isEmpty());
}
