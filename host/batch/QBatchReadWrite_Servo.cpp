#include "QBatchReadWrite_Servo.h"

#include "QBatchProgress_Servo.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QProjectCore.h"
#include "QServoBatchTransfer.h"
#include "QServoRequestWaiter.h"

#include <QEventLoop>
#include <QSet>
#include <QTimer>
#include <QWidget>

namespace {
// How often a write looks whether its progress dialog has shown (and so takes the user's input).
const int kWatchMs = 50;
} // namespace

QBatchReadWrite_Servo::QBatchReadWrite_Servo(const QString& aliasName, const QString& title, QWidget* parent,
                                             int progressKind)
    : QObject(parent), m_alias(aliasName), m_progress(new QBatchProgress_Servo(title, parent, progressKind))
{
    m_progress->setParent(this);
}

QBatchReadWrite_Servo::~QBatchReadWrite_Servo() = default;

QDeviceServo* QBatchReadWrite_Servo::device() const
{
    return QProjectCore::self()->getDevMgr()->getDeviceServo(m_alias);
}

bool QBatchReadWrite_Servo::wasCancelled() const
{
    return m_progress->isCancelled();
}

void QBatchReadWrite_Servo::cancel()
{
    m_progress->cancel();
}

void QBatchReadWrite_Servo::beginRun(QDeviceServo* dev)
{
    m_failed.clear();
    m_failedSet.clear();
    m_progress->reset();
    delete m_waiter;
    m_waiter = nullptr;
    if (!dev) {
        return;
    }
    m_waiter = new QServoRequestWaiter(dev->getLink(), this);
    connect(m_progress, &QBatchProgress_Servo::cancelled, m_waiter, &QServoRequestWaiter::abort);
}

// Until the modal progress dialog shows, clicks and keys wait, so that nothing else starts meanwhile.
void QBatchReadWrite_Servo::updateInputFilter()
{
    m_waiter->setExcludeUserInput(!m_progress->isShown());
}

void QBatchReadWrite_Servo::fail(const QString& funIndex)
{
    if (m_failedSet.contains(funIndex)) {
        return;
    }
    m_failedSet.insert(funIndex);
    m_failed.append(funIndex);
}

void QBatchReadWrite_Servo::failAll(const QStringList& funIndexList)
{
    for (const QString& funIndex : funIndexList) {
        fail(funIndex);
    }
}

bool QBatchReadWrite_Servo::finishRun()
{
    m_progress->finish();
    emit sigFailedFuncodes(m_alias, m_failed);
    return m_failed.isEmpty();
}

int QBatchReadWrite_Servo::blockTimeout(const QDeviceServo* dev) const
{
    // The link's time-out is for one value; a block takes longer on a slow bus.
    return dev->getCommuParams().timeoutMs + m_blockSize * 20;
}

// ---------------------------------------------------------------- reading

bool QBatchReadWrite_Servo::batchReadFuncode(const QStringList& funIndexList)
{
    QDeviceServo* dev = device();
    beginRun(dev);
    if (!dev) {
        failAll(funIndexList);
        return finishRun();
    }
    const QList<QDriveValueItem> items = readItems(dev, funIndexList);
    if (!dev->isDeviceOnline()) {
        for (const QDriveValueItem& item : items) {
            fail(item.funIndex);
        }
        return finishRun();
    }
    m_progress->start(tr("STR_BATCH_READING"), items.size());
    readBlocks(items, blockTimeout(dev));
    return finishRun();
}

QList<QDriveValueItem> QBatchReadWrite_Servo::readItems(const QDeviceServo* dev,
                                                        const QStringList& funIndexList)
{
    QList<const tagSubFuncode_Servo*> codes;
    if (funIndexList.isEmpty()) {
        for (const QDeviceServo::FuncodeGroupMap* groups :
             {&dev->getNormalFuncodeGroupMap(), &dev->getStateFuncodeGroupMap()}) {
            for (auto it = groups->cbegin(); it != groups->cend(); ++it) {
                for (const tagSubFuncode_Servo* fun : it.value()) {
                    codes.append(fun);
                }
            }
        }
    }
    for (const QString& funIndex : funIndexList) {
        const tagSubFuncode_Servo* fun = dev->getFuncodePtrByFunIndex(funIndex);
        if (fun) {
            codes.append(fun);
        } else {
            fail(funIndex);
        }
    }
    QList<QDriveValueItem> items;
    items.reserve(codes.size() * dev->getAxisNum());
    for (const tagSubFuncode_Servo* fun : qAsConst(codes)) {
        for (int axis = 0; axis < dev->getAxisNum(); ++axis) {
            items.append(QDriveValueItem(fun->funIndex, axis));
        }
    }
    return items;
}

void QBatchReadWrite_Servo::readBlocks(const QList<QDriveValueItem>& items, int timeoutMs)
{
    for (int start = 0; start < items.size(); start += m_blockSize) {
        const QDriveValueList block = items.mid(start, m_blockSize);
        if (m_progress->isCancelled() || !device()) {
            for (const QDriveValueItem& item : block) {
                fail(item.funIndex);
            }
            continue;
        }
        updateInputFilter();
        QDriveValueList answer;
        m_waiter->read(block, timeoutMs, &answer);
        for (int i = 0; i < block.size(); ++i) {
            if (i >= answer.size() || answer.at(i).error != QDriveLink::LINK_OK) {
                fail(block.at(i).funIndex);
            }
        }
        m_progress->advance(block.size());
    }
}

// ---------------------------------------------------------------- writing

bool QBatchReadWrite_Servo::batchWriteFuncode(const QMap<QString, tagExportFuncodePtr_Servo>& funcodeMap,
                                              bool bAllAxis, int axis)
{
    beginRun(device());
    QServoBatchTransfer transfer;
    // The caller has asked the person whether to write a drive that refuses writes now.
    transfer.setCheckPermission(false);
    connect(&transfer, &QServoBatchTransfer::progressChanged, m_progress, &QBatchProgress_Servo::setProgress);
    connect(&transfer, &QServoBatchTransfer::readBackStarted, this, [this, &transfer]() {
        m_progress->start(tr("STR_BATCH_VERIFYING"), transfer.total());
        m_progress->setProgress(transfer.progress(), transfer.total());
    });
    m_progress->start(tr("STR_BATCH_WRITING"), 0);
    if (!transfer.start(m_alias, funcodeMap, bAllAxis, axis)) {
        failAll(funcodeMap.keys());
        return finishRun();
    }
    waitFor(&transfer);
    const QSet<QString> failed = transfer.failedFuncodes();
    for (auto it = funcodeMap.cbegin(); it != funcodeMap.cend(); ++it) {
        if (failed.contains(it.key())) {
            fail(it.key());
        }
    }
    return finishRun();
}

// Runs the event loop until the transfer ends or the user cancels. Until the modal progress dialog shows,
// clicks and keys wait; once it shows, the loop starts again and takes them, so that Cancel can be pressed.
void QBatchReadWrite_Servo::waitFor(QServoBatchTransfer* transfer)
{
    QEventLoop loop;
    bool excluding = true;
    connect(transfer, &QServoBatchTransfer::finished, &loop, &QEventLoop::quit);
    // The dialog shows by itself after a moment, also while the drive is silent.
    QTimer watch;
    connect(&watch, &QTimer::timeout, &loop, [this, &loop, &excluding]() {
        if (excluding && m_progress->isShown()) {
            loop.quit();
        }
    });
    watch.start(kWatchMs);
    connect(m_progress, &QBatchProgress_Servo::cancelled, &loop, [transfer, &loop]() {
        transfer->stop();
        loop.quit();
    });
    while (!transfer->isFinished()) {
        excluding = !m_progress->isShown();
        loop.exec(excluding ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
    }
}
