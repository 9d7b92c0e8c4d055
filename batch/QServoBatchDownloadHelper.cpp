#include "QServoBatchDownloadHelper.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"

#include <QDebug>
#include <QPointer>

namespace {
// The one pending wait for a vanished drive in the process, and every helper that may need one next.
QServoBatchDownloadHelper* s_waitOwner = nullptr;
QList<QServoBatchDownloadHelper*> s_helpers;
int s_vanishWaitMs = 10000;

QSignalManager* hub()
{
    return QSoftCore::getCore()->getSignalManager();
}
} // namespace

QServoBatchDownloadHelper::QServoBatchDownloadHelper(QObject* parent) : QObject(parent)
{
    m_waitTimer.setSingleShot(true);
    m_waitTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_waitTimer, &QTimer::timeout, this, &QServoBatchDownloadHelper::onWaitElapsed);
    connect(QProjectCore::self()->getDevMgr(), &QDeviceManager::SigDelDev, this,
            &QServoBatchDownloadHelper::onDeviceRemoved);
    s_helpers.append(this);
}

QServoBatchDownloadHelper::~QServoBatchDownloadHelper()
{
    s_helpers.removeAll(this);
    if (s_waitOwner == this) {
        s_waitOwner = nullptr;
    }
    disconnectHub();
}

void QServoBatchDownloadHelper::setVanishWaitMs(int ms)
{
    s_vanishWaitMs = qMax(0, ms);
}

int QServoBatchDownloadHelper::vanishWaitMs()
{
    return s_vanishWaitMs;
}

bool QServoBatchDownloadHelper::isVanishWaitPending()
{
    return s_waitOwner != nullptr;
}

QDeviceServo* QServoBatchDownloadHelper::device() const
{
    return m_alias.isEmpty() ? nullptr : QProjectCore::self()->getDevMgr()->getDeviceServo(m_alias);
}

// ---------------------------------------------------------------- starting

void QServoBatchDownloadHelper::startWrite(const QString& aliasName,
                                           const QMap<QString, tagExportFuncodePtr_Servo>& records,
                                           bool bRecompute)
{
    QDeviceServo* dev = QProjectCore::self()->getDevMgr()->getDeviceServo(aliasName);
    if (!dev) {
        m_errorText = tr("STR_NO_EXIST_DEVICE");
        return;
    }
    disconnectHub();
    m_alias = aliasName;
    m_finished = false;
    m_mismatches.clear();
    m_records.clear();
    // A copy: recomputing must not change the caller's records.
    for (auto it = records.cbegin(); it != records.cend(); ++it) {
        if (it.value()) {
            m_records.insert(it.key(), tagExportFuncodePtr_Servo::create(*it.value()));
        }
    }
    if (bRecompute) {
        recompute(dev);
    }
    m_total = dev->calcFuncodeReadWriteTaskMap(m_records, true, QDeviceServo::AXIS_X);
    m_rejected = dev->batchEngine()->rejectedFuncodes();
    m_progress = 0;
    m_errorText.clear();
    connectPhase(false);
    emit sigProgressValue(0, m_total);
    if (!dev->isWritePermitted(&m_errorText)) {
        finish();
        return;
    }
    dev->modifyFuncodeValueWithRecord_readAfterWrite();
}

void QServoBatchDownloadHelper::recompute(const QDeviceServo* dev)
{
    for (const tagExportFuncodePtr_Servo& record : qAsConst(m_records)) {
        const int texts = qMin(record->valueTexts.size(), 3);
        for (int axis = 0; axis < texts; ++axis) {
            bool ok = false;
            const qint64 raw =
                dev->getRawValueByScaledValStr(record->funIndex, record->valueTexts.at(axis), &ok);
            if (ok && raw != record->curValue[static_cast<size_t>(axis)]) {
                record->curValue[static_cast<size_t>(axis)] = raw;
            }
        }
    }
}

void QServoBatchDownloadHelper::stop()
{
    if (m_finished) {
        return;
    }
    m_finished = true;
    disconnectHub();
    if (QDeviceServo* dev = device()) {
        dev->stopReadWriteTask_batch();
    }
}

// ---------------------------------------------------------------- hub

void QServoBatchDownloadHelper::connectPhase(bool readPhase)
{
    QSignalManager* h = hub();
    if (readPhase) {
        connect(h, &QSignalManager::sigReadReply, this, &QServoBatchDownloadHelper::slotOnReadReply,
                Qt::UniqueConnection);
        connect(h, &QSignalManager::sigReadFinished, this, &QServoBatchDownloadHelper::slotReadFinished,
                Qt::UniqueConnection);
    } else {
        connect(h, &QSignalManager::sigWriteReply, this, &QServoBatchDownloadHelper::slotOnWriteReply,
                Qt::UniqueConnection);
        connect(h, &QSignalManager::sigWriteFinished, this, &QServoBatchDownloadHelper::soltWriteFinished,
                Qt::UniqueConnection);
    }
    connect(h, &QSignalManager::SigDevStatus, this, &QServoBatchDownloadHelper::slotDevStatus,
            Qt::UniqueConnection);
}

void QServoBatchDownloadHelper::disconnectHub()
{
    QSignalManager* h = hub();
    disconnect(h, &QSignalManager::sigWriteReply, this, &QServoBatchDownloadHelper::slotOnWriteReply);
    disconnect(h, &QSignalManager::sigWriteFinished, this, &QServoBatchDownloadHelper::soltWriteFinished);
    disconnect(h, &QSignalManager::sigReadReply, this, &QServoBatchDownloadHelper::slotOnReadReply);
    disconnect(h, &QSignalManager::sigReadFinished, this, &QServoBatchDownloadHelper::slotReadFinished);
    disconnect(h, &QSignalManager::SigDevStatus, this, &QServoBatchDownloadHelper::slotDevStatus);
}

void QServoBatchDownloadHelper::addProgress(const QString& aliasName, int len)
{
    if (aliasName != m_alias || m_finished) {
        return;
    }
    m_progress += len;
    emit sigProgressValue(m_progress, m_total);
}

void QServoBatchDownloadHelper::slotOnReadReply(QString aliasName, int addr, int len, bool bSucceed)
{
    Q_UNUSED(addr)
    Q_UNUSED(bSucceed)
    addProgress(aliasName, len);
}

void QServoBatchDownloadHelper::slotOnWriteReply(QString aliasName, int addr, int len, bool bSucceed)
{
    Q_UNUSED(addr)
    Q_UNUSED(bSucceed)
    addProgress(aliasName, len);
}

void QServoBatchDownloadHelper::soltWriteFinished(QString aliasName, int val)
{
    Q_UNUSED(val)
    QDeviceServo* dev = device();
    if (aliasName != m_alias || m_finished || !dev) {
        return;
    }
    connectPhase(true);
    dev->readFuncodeByTaskMap();
}

void QServoBatchDownloadHelper::slotReadFinished(QString aliasName, int val)
{
    Q_UNUSED(val)
    if (aliasName != m_alias || m_finished) {
        return;
    }
    finish();
}

// ---------------------------------------------------------------- the end

void QServoBatchDownloadHelper::finish()
{
    m_finished = true;
    disconnectHub();
    const bool succeeded = evaluate();
    QPointer<QServoBatchDownloadHelper> guard(this);
    emit sigFinishWrite(succeeded);
    if (!guard) {
        return;
    }
    if (QDeviceServo* dev = device()) {
        dev->stopReadWriteTask_batch();
    }
}

bool QServoBatchDownloadHelper::evaluate()
{
    m_mismatches.clear();
    QDeviceServo* dev = device();
    bool failed = !m_rejected.isEmpty() || !dev;
    const QServoTaskMap tasks = dev ? dev->getWriteTaskMap() : QServoTaskMap();
    for (const QList<tagServoBufInfo>& task : tasks) {
        for (const tagServoBufInfo& entry : task) {
            const qint64 cur = dev->getCurValue(entry.funIndex, entry.axis);
            if (entry.bSucceed && cur == entry.value) {
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

// ---------------------------------------------------------------- a vanished drive

void QServoBatchDownloadHelper::slotDevStatus(QString aliasName, int iStatus)
{
    if (aliasName != m_alias || iStatus != 1 || s_waitOwner) {
        return;
    }
    beginWait();
}

void QServoBatchDownloadHelper::onDeviceRemoved(const QString& aliasName)
{
    if (aliasName == m_alias && !m_finished && !s_waitOwner) {
        beginWait();
    }
}

void QServoBatchDownloadHelper::beginWait()
{
    s_waitOwner = this;
    m_waitTimer.start(s_vanishWaitMs);
}

bool QServoBatchDownloadHelper::needsWait() const
{
    const QDeviceServo* dev = device();
    return !m_finished && (!dev || !dev->isDeviceOnline());
}

void QServoBatchDownloadHelper::onWaitElapsed()
{
    s_waitOwner = nullptr;
    if (needsWait()) {
        finish();
    }
    // Another run whose drive vanished while this wait was pending gets its own wait now.
    for (QServoBatchDownloadHelper* helper : qAsConst(s_helpers)) {
        if (!s_waitOwner && helper != this && helper->needsWait()) {
            helper->beginWait();
        }
    }
}
