#include "QServoFuncodeBatchDownloadDlg.h"

#include "QBatchTargetModel.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeCompareDialog_Servo.h"
#include "QProjectCore.h"
#include "QServoBatchDownloadHelper.h"
#include "QServoBatchLine.h"
#include "QServoBatchTransfer.h"
#include "QServoImportFunSelectorWgt.h"
#include "QServoWriteRules.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>

namespace {
// How many codes of one drive the log names before it only counts the rest.
const int kMaxCodeLines = 20;

QDeviceServo* deviceOf(const QString& alias)
{
    return QProjectCore::self()->getDevMgr()->getDeviceServo(alias);
}

QString axisLetter(int axis)
{
    static const char* const letters[] = {"X", "Y", "Z"};
    return QLatin1String(letters[qBound(0, axis, 2)]);
}
} // namespace

QServoFuncodeBatchDownloadDlg::QServoFuncodeBatchDownloadDlg(QWidget* parent)
    : QFuncodeBatchDownloadDlg(parent)
{
    setObjectName(QStringLiteral("QServoFuncodeBatchDownloadDlg"));
    setFuncodeSelectorWidget(new QServoImportFunSelectorWgt(this));
}

QServoFuncodeBatchDownloadDlg::~QServoFuncodeBatchDownloadDlg() = default;

void QServoFuncodeBatchDownloadDlg::logError(const QString& alias, const QString& text)
{
    onWriteLogMsg(QStringLiteral("%1 %2").arg(alias, text), LOG_ERROR);
}

// ---------------------------------------------------------------- one drive

// Runs as the line's step before the drive's transfer, one drive at a time: the motor type's write waits
// for the drive.
bool QServoFuncodeBatchDownloadDlg::prepare(const QString& alias,
                                            QMap<QString, tagExportFuncodePtr_Servo>* records, QString* error)
{
    QPointer<QDeviceServo> dev = deviceOf(alias);
    if (dev && !writeMotorType(dev, *records, error)) {
        return false;
    }
    if (!dev) {
        *error = tr("STR_DOWN_LOAD_FAIL") + QStringLiteral(": ") + tr("STR_NO_EXIST_DEVICE");
        return false;
    }
    *records = writableRecords(dev, *records);
    QServoBatchDownloadHelper::recompute(dev, *records);
    return true;
}

// The motor type goes first and alone, since the scaling of other codes depends on it.
bool QServoFuncodeBatchDownloadDlg::writeMotorType(QDeviceServo* device,
                                                   const QMap<QString, tagExportFuncodePtr_Servo>& records,
                                                   QString* error)
{
    QPointer<QDeviceServo> dev = device;
    const QString code = dev->getDevMotorTypeFuncode();
    const tagExportFuncodePtr_Servo record =
        code.isEmpty() ? tagExportFuncodePtr_Servo() : records.value(code);
    if (!record || dev->isMotorType(record->curValue[0])) {
        return true;
    }
    const qint64 value = record->curValue[0];
    const int result = dev->writeOneFuncode_Synch(code, value, 1000, true);
    bool matched = dev && dev->isMotorType(value);
    if (dev && !matched && result == 0) {
        qint64 read = 0;
        dev->readOneFuncode_Synch(code, read, 1000, true);
        matched = dev && dev->isMotorType(value);
    }
    if (matched) {
        return true;
    }
    const QString reason = (result != 0 && dev) ? dev->getErrorReasonStr(result)
                                                : tr("STR_READ_DEV_MOTOR_TYPE_MATCH_CONFIG_TABLE_FAILED");
    *error = tr("STR_MOTOR_TYPE_CHANGED_FAILED") + QStringLiteral(": ") + reason;
    return false;
}

// What the drive can take: read-only codes of a file (versions, monitoring values) are not written.
QMap<QString, tagExportFuncodePtr_Servo>
QServoFuncodeBatchDownloadDlg::writableRecords(const QDeviceServo* dev,
                                               const QMap<QString, tagExportFuncodePtr_Servo>& records)
{
    QMap<QString, tagExportFuncodePtr_Servo> writable;
    for (auto it = records.cbegin(); it != records.cend(); ++it) {
        const tagSubFuncode_Servo* fun = dev->getFuncodePtrByFunIndex(it.key());
        if (fun && (fun->isStateCode || !QServoWriteRules::hasWriteRight(*fun))) {
            continue;
        }
        writable.insert(it.key(), it.value());
    }
    return writable;
}

void QServoFuncodeBatchDownloadDlg::finishWriteOneDevice(const QString& alias, bool bSucceed)
{
    const QServoBatchTransfer* transfer = line()->transferOf(alias);
    const QString error = line()->driveError(alias);
    if (!error.isEmpty()) {
        logError(alias, error);
    } else if (transfer && !transfer->errorText().isEmpty()) {
        logError(alias, tr("STR_DOWN_LOAD_FAIL") + QStringLiteral(": ") + transfer->errorText());
    } else if (!bSucceed) {
        logFailedCodes(alias, transfer);
    }
    QFuncodeBatchDownloadDlg::finishWriteOneDevice(alias, bSucceed);
}

// One line per code that did not arrive: refused by the drive, read back different, or never confirmed.
void QServoFuncodeBatchDownloadDlg::logFailedCodes(const QString& alias, const QServoBatchTransfer* transfer)
{
    const QDeviceServo* dev = deviceOf(alias);
    if (!dev || !dev->isDeviceOnline() || !transfer) {
        logError(alias, tr("STR_BATCH_LOG_DEVICE_LOST"));
        return;
    }
    QStringList lines;
    for (const auto& rejected : transfer->rejectedFuncodes()) {
        const int error = QDeviceServo::linkErrorToWriteError(rejected.second);
        lines << tr("STR_BATCH_LOG_CODE_REFUSED").arg(rejected.first, dev->getErrorReasonStr(error));
    }
    lines << mismatchLines(dev, transfer);
    for (int i = 0; i < lines.size() && i < kMaxCodeLines; ++i) {
        logError(alias, lines.at(i));
    }
    if (lines.size() > kMaxCodeLines) {
        logError(alias, tr("STR_BATCH_LOG_MORE_CODES").arg(lines.size() - kMaxCodeLines));
    }
}

// The axes of one code that read back different ("X: 5 instead of 77") or that the drive never
// confirmed, as one line per code.
QStringList QServoFuncodeBatchDownloadDlg::mismatchLines(const QDeviceServo* dev,
                                                         const QServoBatchTransfer* transfer) const
{
    QStringList order;
    QHash<QString, QStringList> differing;
    QHash<QString, QStringList> unconfirmed;
    for (const QServoBatchTransfer::Mismatch& m : transfer->mismatches()) {
        if (!order.contains(m.funIndex)) {
            order << m.funIndex;
        }
        const tagSubFuncode_Servo* fun = dev->getFuncodePtrByFunIndex(m.funIndex);
        if (!m.transferred || !fun) {
            unconfirmed[m.funIndex] << axisLetter(m.axis);
            continue;
        }
        differing[m.funIndex] << tr("STR_BATCH_LOG_AXIS_VALUES")
                                     .arg(axisLetter(m.axis), dev->getShowStr(fun, m.written),
                                          dev->getShowStr(fun, m.current));
    }
    QStringList lines;
    const QString separator = QStringLiteral(", ");
    for (const QString& funIndex : qAsConst(order)) {
        if (differing.contains(funIndex)) {
            lines
                << tr("STR_BATCH_LOG_CODE_MISMATCH").arg(funIndex, differing.value(funIndex).join(separator));
        } else {
            lines << tr("STR_BATCH_LOG_CODE_UNCONFIRMED")
                         .arg(funIndex, unconfirmed.value(funIndex).join(separator));
        }
    }
    return lines;
}

bool QServoFuncodeBatchDownloadDlg::checkDownloadList(const QList<FunOperationDataUnitPtr>& list)
{
    if (list.isEmpty()) {
        return false;
    }
    const QStringList targets = targetModel()->checkedAliases();
    const QDeviceServo* dev = targets.isEmpty() ? nullptr : deviceOf(targets.first());
    const QString code = dev ? dev->getDevMotorTypeFuncode() : QString();
    for (const FunOperationDataUnitPtr& unit : list) {
        if (!code.isEmpty() && unit->funIndex == code) {
            onWriteLogMsg(tr("STR_BATCH_LOG_MOTOR_TYPE_FIRST").arg(code), LOG_INFO);
            break;
        }
    }
    return true;
}

// ---------------------------------------------------------------- after the batch

void QServoFuncodeBatchDownloadDlg::batchSaveAndReset(const QStringList& aliases)
{
    onBatchSaveAndReset(aliases);
}

// Every axis of a drive is saved, then every axis of the saved drives reset; a drive that is not online, or
// whose save failed, is not reset.
void QServoFuncodeBatchDownloadDlg::onBatchSaveAndReset(QStringList listDevAlias)
{
    QList<QPointer<QDeviceServo>> saved;
    for (const QString& alias : qAsConst(listDevAlias)) {
        QDeviceServo* dev = deviceOf(alias);
        if (!dev || !dev->isDeviceOnline()) {
            onWriteLogMsg(tr("STR_BATCH_LOG_NOT_SAVED").arg(alias), LOG_WARNING);
            continue;
        }
        QPointer<QDeviceServo> guard(dev);
        // A reset would throw away what was downloaded but not stored: only saved drives are reset.
        if (!forEachAxis(guard, &QDeviceServo::saveAllFuncode)) {
            logError(alias, tr("STR_BATCH_LOG_SAVE_FAILED"));
            continue;
        }
        saved << guard;
    }
    QCoreApplication::processEvents();
    for (const QPointer<QDeviceServo>& dev : qAsConst(saved)) {
        if (!dev) {
            continue;
        }
        const QString alias = dev->getAliasName();
        if (forEachAxis(dev, &QDeviceServo::resetDevice)) {
            onWriteLogMsg(tr("STR_BATCH_LOG_SAVED_AND_RESET").arg(alias), LOG_SUCCESS);
        } else {
            logError(alias, tr("STR_BATCH_LOG_RESET_FAILED"));
        }
    }
}

bool QServoFuncodeBatchDownloadDlg::forEachAxis(const QPointer<QDeviceServo>& dev,
                                                bool (QDeviceServo::*command)(int))
{
    bool ok = true;
    for (int axis = 0; dev && axis < dev->getAxisNum(); ++axis) {
        ok = (dev.data()->*command)(axis) && ok;
    }
    return ok && dev;
}

// ---------------------------------------------------------------- comparison

void QServoFuncodeBatchDownloadDlg::showCompareFuncode(const QString& alias)
{
    onShowCompareFuncode(alias);
}

void QServoFuncodeBatchDownloadDlg::onShowCompareFuncode(QString devAlia)
{
    const QImportFuncodeSelectorWidget* selector = funcodeSelectorWidget();
    if (!selector || selector->sourceKind() == QImportFuncodeSelectorWidget::SOURCE_NONE ||
        !deviceOf(devAlia)) {
        return;
    }
    QFuncodeCompareDialog_Servo dialog(this);
    if (selector->sourceKind() == QImportFuncodeSelectorWidget::SOURCE_FILE) {
        dialog.presetComparison(devAlia, selector->sourceKey(),
                                QFuncodeCompareDialog_Servo::COMPARE_DEVICE_FILE,
                                QFuncodeComparer_Servo::PRESENCE_IN_B);
    } else {
        dialog.presetComparison(devAlia, selector->sourceKey(),
                                QFuncodeCompareDialog_Servo::COMPARE_TWO_DEVICES,
                                QFuncodeComparer_Servo::PRESENCE_NONE);
    }
    dialog.exec();
}
