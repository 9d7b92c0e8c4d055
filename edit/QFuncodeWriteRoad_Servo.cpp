#include "QFuncodeWriteRoad_Servo.h"

#include "QCommonMethod.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeScaling.h"
#include "QRecordDB_Servo.h"
#include "QSignalManager.h"
#include "QStatistics.h"

#include <QDateTime>
#include <cmath>

namespace {
// How often the code of a write that is not known yet is read again.
const int kRetryMs = 1000;

// Hexadecimal values are recorded as decimals, as 64-bit numbers: 0x80000000 and above stay positive.
QString decimalFromHex(const QString& text)
{
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        digits = digits.mid(2);
    }
    bool ok = false;
    const qlonglong value = digits.toLongLong(&ok, 16);
    return ok ? QString::number(value) : text;
}
} // namespace

QFuncodeWriteRoad_Servo* QFuncodeWriteRoad_Servo::self()
{
    static QPointer<QFuncodeWriteRoad_Servo> road;
    if (!road) {
        road = new QFuncodeWriteRoad_Servo(QSignalManager::self());
    }
    return road;
}

QFuncodeWriteRoad_Servo::QFuncodeWriteRoad_Servo(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<tagModifyFuncode_Servo>();
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &QFuncodeWriteRoad_Servo::readUnsettledAgain);
    connect(QSignalManager::self(), &QSignalManager::SigFuncodeChanged_Servo, this,
            &QFuncodeWriteRoad_Servo::onFuncodeChanged);
}

QFuncodeWriteRoad_Servo::~QFuncodeWriteRoad_Servo() = default;

// ---------------------------------------------------------------- ways in

QFuncodeWriteRoad_Servo::Result QFuncodeWriteRoad_Servo::writeEditorValue(QDeviceServo* device,
                                                                          const QString& funIndex, int axis,
                                                                          const QVariant& value)
{
    const tagSubFuncode_Servo* fun = device ? device->getFuncodePtrByFunIndex(funIndex) : nullptr;
    if (!fun) {
        return writeRaw(device, funIndex, axis, 0);
    }
    const int type = value.userType();
    const bool integer = type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::UInt ||
                         type == QMetaType::ULongLong;
    if (integer && !QFuncodeScaling::isDecimalType(fun->showType)) {
        return writeRaw(device, funIndex, axis, value.toLongLong());
    }
    bool isNumber = false;
    const double number = value.toDouble(&isNumber);
    if (!isNumber || !std::isfinite(number)) {
        return refuse(device->getAliasName(), funIndex, axis, QDeviceServo::WRITE_ERR_RANGE,
                      device->getErrorReasonStr(QDeviceServo::WRITE_ERR_RANGE));
    }
    return writeRaw(device, funIndex, axis, QFuncodeScaling::editorToRaw(*fun, number));
}

QFuncodeWriteRoad_Servo::Result QFuncodeWriteRoad_Servo::writeText(QDeviceServo* device,
                                                                   const QString& funIndex, int axis,
                                                                   const QString& text)
{
    const tagSubFuncode_Servo* fun = device ? device->getFuncodePtrByFunIndex(funIndex) : nullptr;
    qint64 raw = 0;
    if (fun && !QFuncodeScaling::parseShowText(*fun, text, &raw)) {
        return refuse(device->getAliasName(), funIndex, axis, QDeviceServo::WRITE_ERR_RANGE,
                      device->getErrorReasonStr(QDeviceServo::WRITE_ERR_RANGE));
    }
    return writeRaw(device, funIndex, axis, raw);
}

QFuncodeWriteRoad_Servo::Result
QFuncodeWriteRoad_Servo::writeRaw(QDeviceServo* device, const QString& funIndex, int axis, qint64 raw)
{
    if (!device) {
        return Result(); // no drive: nothing to do and nothing to say
    }
    const QString alias = device->getAliasName();
    QString reason;
    const int refused = device->checkWriteRawValue(funIndex, raw, axis, &reason);
    if (refused != QDeviceServo::WRITE_OK) {
        return refuse(alias, funIndex, axis, refused, reason);
    }
    Write write;
    write.device = device;
    write.alias = alias;
    write.funIndex = funIndex;
    write.axis = axis;
    write.asked = raw;
    write.before = device->valueInfo(funIndex, axis);
    write.oldText = device->getScaledCurValueStr(funIndex, axis);
    write.sentAtMs = device->valueStates().now();
    // The write waits for the drive while events run: the drive may be removed meanwhile.
    const int error = device->writeAndReadBack(funIndex, axis, raw, device->getCommuParams().timeoutMs);
    if (!write.device) {
        Result gone;
        gone.outcome = OUTCOME_FAILED;
        gone.error = QDeviceServo::WRITE_ERR_OFFLINE;
        return gone;
    }
    write.relatedBefore = device->getReleParamOldValMapByFunIndex(funIndex);
    if (error == QDeviceServo::WRITE_ERR_TIMEOUT) {
        // Not known whether it arrived: ask the drive once more now, and keep asking if it stays silent.
        device->readNow({funIndex}, axis, device->getCommuParams().timeoutMs);
        if (!write.device) {
            return Result();
        }
        if (!device->isValueReadSince(funIndex, axis, write.sentAtMs)) {
            return keepUnsettled(write);
        }
        return settle(write);
    }
    if (error != QDeviceServo::WRITE_OK) {
        return fail(write, error, device->getErrorReasonStr(error));
    }
    if (!device->isValueReadSince(funIndex, axis, write.sentAtMs)) {
        return keepUnsettled(write); // taken, but the read-back got no answer
    }
    return settle(write);
}

QFuncodeWriteRoad_Servo::Result
QFuncodeWriteRoad_Servo::restoreValue(QDeviceServo* device, const QString& funIndex, int axis, qint64 raw)
{
    if (!device) {
        return Result();
    }
    QString reason;
    const int refused = device->checkWriteRawValue(funIndex, raw, axis, &reason);
    if (refused != QDeviceServo::WRITE_OK) {
        return refuse(device->getAliasName(), funIndex, axis, refused, reason);
    }
    qint64 held = 0;
    if (device->curValue(funIndex, axis, &held) && held == raw) {
        return refuse(device->getAliasName(), funIndex, axis, QDeviceServo::WRITE_OK,
                      tr("STR_RESTORE_ALREADY_HELD"));
    }
    return writeRaw(device, funIndex, axis, raw);
}

QFuncodeWriteRoad_Servo::Result QFuncodeWriteRoad_Servo::restoreShown(QDeviceServo* device,
                                                                      const QString& funIndex, int axis,
                                                                      const QString& oldText)
{
    if (!device) {
        return Result();
    }
    const tagSubFuncode_Servo* fun = device->getFuncodePtrByFunIndex(funIndex);
    qint64 raw = 0;
    if (!fun || !QFuncodeScaling::parseShowText(*fun, oldText, &raw)) {
        return refuse(device->getAliasName(), funIndex, axis, QDeviceServo::WRITE_OK,
                      tr("STR_RESTORE_NO_OLD_VALUE"));
    }
    return restoreValue(device, funIndex, axis, raw);
}

// ---------------------------------------------------------------- outcomes

QFuncodeWriteRoad_Servo::Result QFuncodeWriteRoad_Servo::refuse(const QString& alias, const QString& funIndex,
                                                                int axis, int error, const QString& reason)
{
    Result result;
    result.outcome = OUTCOME_REFUSED;
    result.error = error;
    result.reason = reason;
    announceFailure(alias, funIndex, axis, reason);
    return result;
}

QFuncodeWriteRoad_Servo::Result QFuncodeWriteRoad_Servo::fail(const Write& write, int error,
                                                              const QString& reason)
{
    Result result;
    result.outcome = OUTCOME_FAILED;
    result.error = error;
    result.reason = reason;
    result.oldText = write.oldText;
    result.newText =
        write.device ? write.device->getScaledCurValueStr(write.funIndex, write.axis) : QString();
    announceFailure(write.alias, write.funIndex, write.axis, reason);
    emit sigWriteSettled(write.alias, write.funIndex, write.axis, OUTCOME_FAILED);
    return result;
}

QFuncodeWriteRoad_Servo::Result QFuncodeWriteRoad_Servo::keepUnsettled(const Write& write)
{
    m_unsettled.append(write);
    if (!m_retry.isActive()) {
        m_retry.start();
    }
    Result result;
    result.outcome = OUTCOME_NOT_KNOWN;
    result.error = QDeviceServo::WRITE_ERR_TIMEOUT;
    result.reason = tr("STR_WRITE_NOT_KNOWN");
    result.oldText = write.oldText;
    announceFailure(write.alias, write.funIndex, write.axis, result.reason);
    return result;
}

QFuncodeWriteRoad_Servo::Result QFuncodeWriteRoad_Servo::settle(const Write& write)
{
    QDeviceServo* device = write.device;
    const QServoValue now = device->valueInfo(write.funIndex, write.axis);
    const tagSubFuncode_Servo* fun = device->getFuncodePtrByFunIndex(write.funIndex);
    if (!now.isKnown() || !fun) {
        return fail(write, QDeviceServo::WRITE_ERR_REFUSED, tr("STR_WRITE_READ_BACK_FAILED"));
    }
    const bool changed = !write.before.isKnown() || write.before.raw != now.raw;
    if (changed) {
        storeChange(write, now);
    }
    if (now.raw != write.asked) {
        const QString reason =
            tr("STR_WRITE_DRIVE_HOLDS_OTHER")
                .arg(device->getShowStr(fun, now.raw), device->getShowStr(fun, write.asked));
        Result result = fail(write, QDeviceServo::WRITE_ERR_REFUSED, reason);
        result.changed = changed;
        return result;
    }
    if (changed && device->needsSaving(write.funIndex)) {
        device->setParamUnsaved(write.axis, write.funIndex);
    }
    // The saved state and the value of every page showing the code are painted anew.
    emit QSignalManager::self()->SigFuncodeChanged_Servo(write.alias, {write.funIndex});
    emit sigWriteSettled(write.alias, write.funIndex, write.axis, OUTCOME_DONE);
    Result result;
    result.outcome = OUTCOME_DONE;
    result.oldText = write.oldText;
    result.newText = device->getScaledCurValueStr(write.funIndex, write.axis);
    result.changed = changed;
    return result;
}

void QFuncodeWriteRoad_Servo::storeChange(const Write& write, const QServoValue& now)
{
    QDeviceServo* device = write.device;
    const tagSubFuncode_Servo* fun = device->getFuncodePtrByFunIndex(write.funIndex);
    const QString newText = device->getShowStr(fun, now.raw);
    const tagModifyFuncode_Servo record =
        makeRecord(device, fun, write.axis, write.oldText, newText, write.relatedBefore);
    QDatabaseManager::self()->getRecordDatabase_Servo()->insertModifyFunCode(write.alias, record);
    tagFuncodeModifyData event;
    event.timeStamp = device->getSortedModifyTime();
    event.oldValue = write.before.isKnown() ? device->rawToScaled(fun, write.before.raw) : 0.0;
    event.newValue = device->rawToScaled(fun, now.raw);
    event.axisIndex = write.axis;
    QDatabaseManager::self()->getStatisticsDatabase()->addFuncodeModifyEvent(write.alias, write.funIndex,
                                                                             event);
    emit sigChangeRecorded(write.alias, record);
}

tagModifyFuncode_Servo QFuncodeWriteRoad_Servo::recordChange(QDeviceServo* device,
                                                             const tagSubFuncode_Servo* fun, int axis,
                                                             const QString& oldText, const QString& newText)
{
    if (!device || !fun) {
        return tagModifyFuncode_Servo();
    }
    const tagModifyFuncode_Servo record = makeRecord(device, fun, axis, oldText, newText,
                                                     device->getReleParamOldValMapByFunIndex(fun->funIndex));
    // A record the database refuses still shows: the user sees the change, the log tells why.
    QDatabaseManager::self()->getRecordDatabase_Servo()->insertModifyFunCode(device->getAliasName(), record);
    emit sigChangeRecorded(device->getAliasName(), record);
    return record;
}

tagModifyFuncode_Servo QFuncodeWriteRoad_Servo::makeRecord(QDeviceServo* device,
                                                           const tagSubFuncode_Servo* fun, int axis,
                                                           const QString& oldText, const QString& newText,
                                                           const QMap<QString, QString>& relatedBefore) const
{
    tagModifyFuncode_Servo record;
    // The drive's own clock stamps a change it took; offline, the local clock does.
    record.strTime = device->isDeviceOnline()
                         ? QCommonMethod::timeStempTotimeStr(device->getSortedModifyTime())
                         : QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    record.funIndex = fun->funIndex;
    record.axisIndex = axis;
    record.oldVal = oldText;
    record.newVal = newText;
    if (QFuncodeScaling::isHexType(fun->showType)) {
        record.oldVal = decimalFromHex(oldText);
        record.newVal = decimalFromHex(newText);
    } else if (fun->showType == 2) {
        record.oldVal = QString::number(QDeviceManager::getRefIndex(fun->enumText, oldText));
        record.newVal = QString::number(QDeviceManager::getRefIndex(fun->enumText, newText));
    }
    for (auto it = relatedBefore.cbegin(); it != relatedBefore.cend(); ++it) {
        record.relateParamMap.insert(it.key(),
                                     qMakePair(it.value(), device->getScaledCurValueStr(it.key(), axis)));
    }
    return record;
}

void QFuncodeWriteRoad_Servo::announceFailure(const QString& alias, const QString& funIndex, int axis,
                                              const QString& reason)
{
    emit QSignalManager::self()->SigFuncodeWriteFailed(alias, funIndex, axis, reason);
}

// ---------------------------------------------------------------- writes not known yet

void QFuncodeWriteRoad_Servo::onFuncodeChanged(QString aliasName, QStringList funIndexList)
{
    // Taken out first: settling announces the code again, which comes back here.
    QList<Write> answered;
    for (int i = m_unsettled.size() - 1; i >= 0; --i) {
        const Write& write = m_unsettled.at(i);
        const bool gone = !write.device;
        if (gone || (write.alias == aliasName && funIndexList.contains(write.funIndex) &&
                     write.device->isValueReadSince(write.funIndex, write.axis, write.sentAtMs))) {
            if (!gone) {
                answered.prepend(write);
            }
            m_unsettled.removeAt(i);
        }
    }
    if (m_unsettled.isEmpty()) {
        m_retry.stop();
    }
    for (const Write& write : qAsConst(answered)) {
        if (write.device) {
            settle(write);
        }
    }
}

void QFuncodeWriteRoad_Servo::readUnsettledAgain()
{
    for (int i = m_unsettled.size() - 1; i >= 0; --i) {
        QDeviceServo* device = m_unsettled.at(i).device;
        if (!device) {
            m_unsettled.removeAt(i);
            continue;
        }
        if (tagSubFuncode_Servo* fun = device->getFuncodePtrByFunIndex(m_unsettled.at(i).funIndex)) {
            device->readFuncode({fun});
        }
    }
    if (m_unsettled.isEmpty()) {
        m_retry.stop();
    }
}
