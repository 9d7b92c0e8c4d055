#include "QServoBatchTransfer.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveLink.h"
#include "QSignalManager.h"

#include <QDebug>
#include <QPointer>

namespace {
// The one pending wait for a vanished drive in the process, and every transfer that may need one next.
QServoBatchTransfer* s_waitOwner = nullptr;
QList<QServoBatchTransfer*> s_transfers;
int s_vanishWaitMs = 10000;
} // namespace

QServoBatchTransfer::QServoBatchTransfer(QObject* parent) : QObject(parent)
{
    m_waitTimer.setSingleShot(true);
    m_waitTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_waitTimer, &QTimer::timeout, this, &QServoBatchTransfer::onWaitElapsed);
    QSignalManager* hub = QSignalManager::self();
    connect(hub, &QSignalManager::sigWriteReply, this,
            [this](const QString& alias, int, int len, bool, unsigned char error) {
                onWriteReply(alias, len, error);
            });
    connect(hub, &QSignalManager::sigReadReply, this,
            [this](const QString& alias, int, int len) { onReadReply(alias, len); });
    connect(hub, &QSignalManager::sigWriteFinished, this, &QServoBatchTransfer::onWriteFinished);
    connect(hub, &QSignalManager::sigReadFinished, this, &QServoBatchTransfer::onReadFinished);
    connect(hub, &QSignalManager::SigDevStatus, this, &QServoBatchTransfer::onDevStatus);
    if (QDeviceManager* devices = QDeviceManager::self()) {
        connect(devices, &QDeviceManager::SigDelDev, this, &QServoBatchTransfer::onDeviceRemoved);
    }
    s_transfers.append(this);
}

QServoBatchTransfer::~QServoBatchTransfer()
{
    s_transfers.removeAll(this);
    if (s_waitOwner == this) {
        s_waitOwner = nullptr;
    }
}

void QServoBatchTransfer::setVanishWaitMs(int ms)
{
    s_vanishWaitMs = qMax(0, ms);
}

int QServoBatchTransfer::vanishWaitMs()
{
    return s_vanishWaitMs;
}

bool QServoBatchTransfer::isVanishWaitPending()
{
    return s_waitOwner != nullptr;
}

QDeviceServo* QServoBatchTransfer::device() const
{
    QDeviceManager* devices = QDeviceManager::self();
    return m_alias.isEmpty() || !devices ? nullptr : devices->getDeviceServo(m_alias);
}

bool QServoBatchTransfer::isRunningFor(const QString& aliasName) const
{
    return !m_finished && aliasName == m_alias;
}

// ---------------------------------------------------------------- starting and stopping

bool QServoBatchTransfer::start(const QString& aliasName,
                                const QMap<QString, tagExportFuncodePtr_Servo>& records, bool bAllAxis,
                                int axis)
{
    QDeviceManager* devices = QDeviceManager::self();
    QDeviceServo* dev = devices ? devices->getDeviceServo(aliasName) : nullptr;
    if (!dev) {
        m_errorText = tr("STR_NO_EXIST_DEVICE");
        return false;
    }
    stop();
    m_alias = aliasName;
    m_finished = false;
    m_readingBack = false;
    m_mismatches.clear();
    m_errorText.clear();
    m_total = dev->calcFuncodeReadWriteTaskMap(records, bAllAxis, axis);
    m_rejected = dev->batchEngine()->rejectedFuncodes();
    m_planned = dev->getWriteTaskMap();
    m_progress = 0;
    QPointer<QServoBatchTransfer> guard(this);
    emit progressChanged(0, m_total);
    dev = guard && !m_finished ? device() : nullptr;
    if (!dev) {
        return true;
    }
    const bool refused = m_checkPermission ? !dev->isWritePermitted(&m_errorText) : !dev->isDeviceOnline();
    if (refused && m_errorText.isEmpty()) {
        m_errorText = dev->getErrorReasonStr(QDeviceServo::WRITE_ERR_OFFLINE);
    }
    // Refused, or nothing planned: the run ends here.
    if (refused || !dev->modifyFuncodeValueWithRecord_readAfterWrite()) {
        finish();
    }
    return true;
}

void QServoBatchTransfer::stop()
{
    if (m_finished) {
        return;
    }
    end();
    evaluate();
}

void QServoBatchTransfer::end()
{
    m_finished = true;
    m_readingBack = false;
}

// ---------------------------------------------------------------- hub

void QServoBatchTransfer::addProgress(int len)
{
    m_progress += len;
    emit progressChanged(m_progress, m_total);
}

void QServoBatchTransfer::onWriteReply(const QString& aliasName, int len, int error)
{
    if (!isRunningFor(aliasName) || m_readingBack) {
        return;
    }
    QPointer<QServoBatchTransfer> guard(this);
    addProgress(len);
    if (guard && isRunningFor(aliasName) && error == QDriveLink::LINK_ERR_REFUSED) {
        endIfDriveRefuses();
    }
}

// A refused block is one code's refusal unless the drive refuses every write now; then every block
// after it would be refused too, so sending them only loads the bus.
void QServoBatchTransfer::endIfDriveRefuses()
{
    const QDeviceServo* dev = device();
    const QString why = dev ? dev->getLink()->refusalReason() : QString();
    if (why.isEmpty()) {
        return;
    }
    m_errorText = why;
    finish();
}

void QServoBatchTransfer::onReadReply(const QString& aliasName, int len)
{
    if (isRunningFor(aliasName) && m_readingBack) {
        addProgress(len);
    }
}

void QServoBatchTransfer::onWriteFinished(const QString& aliasName)
{
    QDeviceServo* dev = device();
    if (!isRunningFor(aliasName) || m_readingBack || !dev) {
        return;
    }
    m_readingBack = true;
    QPointer<QServoBatchTransfer> guard(this);
    emit readBackStarted();
    if (guard && !m_finished) {
        dev->readFuncodeByTaskMap();
    }
}

void QServoBatchTransfer::onReadFinished(const QString& aliasName)
{
    if (isRunningFor(aliasName) && m_readingBack) {
        finish();
    }
}

// ---------------------------------------------------------------- the end

void QServoBatchTransfer::finish()
{
    end();
    emit finished(evaluate());
}

bool QServoBatchTransfer::evaluate()
{
    m_mismatches.clear();
    QDeviceServo* dev = device();
    bool failed = !m_rejected.isEmpty() || !dev;
    if (dev) {
        // Before the verdict is announced, so that a run its receiver starts on this drive is not stopped.
        dev->stopReadWriteTask_batch();
    }
    // Without the drive nothing it was to take is confirmed.
    const QServoTaskMap tasks = dev ? dev->getWriteTaskMap() : m_planned;
    for (const QList<tagServoBufInfo>& task : tasks) {
        for (const tagServoBufInfo& entry : task) {
            // A value whose read-back did not answer is not known to be held.
            qint64 cur = 0;
            const bool known = dev && dev->curValue(entry.funIndex, entry.axis, &cur);
            if (entry.bSucceed && known && cur == entry.value) {
                continue;
            }
            failed = true;
            m_mismatches.append({entry.funIndex, entry.axis, entry.value, cur, entry.bSucceed});
            if (entry.bSucceed) {
                qDebug() << "QBatchReadWrite_Servo subfuncode:" << entry.funIndex << "valOld =" << cur
                         << "valWrite =" << entry.value;
            }
        }
    }
    return !failed;
}

QSet<QString> QServoBatchTransfer::failedFuncodes() const
{
    QSet<QString> failed;
    for (const auto& rejected : m_rejected) {
        failed.insert(rejected.first);
    }
    for (const Mismatch& m : m_mismatches) {
        failed.insert(m.funIndex);
    }
    return failed;
}

// ---------------------------------------------------------------- a vanished drive

void QServoBatchTransfer::onDevStatus(const QString& aliasName, int status)
{
    if (aliasName != m_alias || status != 1 || s_waitOwner) {
        return;
    }
    beginWait();
}

void QServoBatchTransfer::onDeviceRemoved(const QString& aliasName)
{
    if (isRunningFor(aliasName) && !s_waitOwner) {
        beginWait();
    }
}

void QServoBatchTransfer::beginWait()
{
    s_waitOwner = this;
    m_waitTimer.start(s_vanishWaitMs);
}

bool QServoBatchTransfer::needsWait() const
{
    const QDeviceServo* dev = device();
    return !m_finished && (!dev || !dev->isDeviceOnline());
}

void QServoBatchTransfer::onWaitElapsed()
{
    s_waitOwner = nullptr;
    if (needsWait()) {
        finish();
    }
    // Another run whose drive vanished while this wait was pending gets its own wait now.
    for (QServoBatchTransfer* transfer : qAsConst(s_transfers)) {
        if (!s_waitOwner && transfer != this && transfer->needsWait()) {
            transfer->beginWait();
        }
    }
}
