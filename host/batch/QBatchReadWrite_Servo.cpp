#include "QBatchReadWrite_Servo.h"

#include "QBatchProgress_Servo.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QLibLogger.h"
#include "QProjectCore.h"
#include "QServoRequestWaiter.h"
#include "QStatistics.h"

#include <QSet>
#include <QWidget>
#include <log4cplus/loggingmacros.h>

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
    QDeviceServo* dev = device();
    beginRun(dev);
    if (!dev) {
        failAll(funcodeMap.keys());
        return finishRun();
    }
    const QList<WriteItem> items = writeItems(dev, funcodeMap, bAllAxis, axis);
    const int timeoutMs = blockTimeout(dev);
    m_progress->start(tr("STR_BATCH_WRITING"), items.size());
    qint64 driveTime = 0;
    const QList<WriteItem> written = writeBlocks(items, timeoutMs, &driveTime);
    if (!m_progress->isCancelled()) {
        m_progress->start(tr("STR_BATCH_VERIFYING"), written.size());
        verifyBlocks(written, timeoutMs);
    }
    if (QDeviceServo* still = device()) {
        recordWritten(still, written, driveTime);
    }
    return finishRun();
}

QList<QBatchReadWrite_Servo::WriteItem> QBatchReadWrite_Servo::writeItems(
    const QDeviceServo* dev, const QMap<QString, tagExportFuncodePtr_Servo>& map, bool bAllAxis, int axis)
{
    QList<WriteItem> items;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const tagExportFuncodePtr_Servo& record = it.value();
        const int axes = record ? qBound(1, record->axisNum, 3) : 0;
        const int first = bAllAxis ? 0 : axis;
        const int last = bAllAxis ? qMin(axes, dev->getAxisNum()) - 1 : axis;
        if (!record || first < 0 || last > 2 || first > last) {
            fail(it.key());
            continue;
        }
        for (int a = first; a <= last; ++a) {
            WriteItem w;
            w.item = QDriveValueItem(it.key(), a, record->curValue[static_cast<size_t>(a)]);
            const int error = dev->checkWriteRawValue(it.key(), w.item.value, a);
            if (error != QDeviceServo::WRITE_OK) {
                LOG4CPLUS_INFO(QLibLogger::self()->getDefaultLogger(),
                               "Batch write of " << it.key().toStdString() << " refused: "
                                                 << dev->getErrorReasonStr(error).toStdString());
                fail(it.key());
                continue;
            }
            w.oldKnown = dev->hasValue(it.key(), a);
            w.oldRaw = dev->getCurValue(it.key(), a);
            items.append(w);
        }
    }
    return items;
}

QList<QBatchReadWrite_Servo::WriteItem> QBatchReadWrite_Servo::writeBlocks(const QList<WriteItem>& items,
                                                                           int timeoutMs, qint64* driveTime)
{
    QList<WriteItem> written;
    for (int start = 0; start < items.size(); start += m_blockSize) {
        const QList<WriteItem> block = items.mid(start, m_blockSize);
        if (m_progress->isCancelled() || !device()) {
            for (const WriteItem& w : block) {
                fail(w.item.funIndex);
            }
            continue;
        }
        QDriveValueList values;
        for (const WriteItem& w : block) {
            values.append(w.item);
        }
        qint64 time = 0;
        updateInputFilter();
        QDriveValueList answer;
        m_waiter->write(values, timeoutMs, &answer, &time);
        *driveTime = qMax(*driveTime, time);
        for (int i = 0; i < block.size(); ++i) {
            const bool ok = i < answer.size() && answer.at(i).error == QDriveLink::LINK_OK;
            if (ok) {
                written.append(block.at(i));
            } else {
                fail(block.at(i).item.funIndex);
            }
        }
        m_progress->advance(block.size());
    }
    return written;
}

void QBatchReadWrite_Servo::verifyBlocks(const QList<WriteItem>& written, int timeoutMs)
{
    for (int start = 0; start < written.size(); start += m_blockSize) {
        const QList<WriteItem> block = written.mid(start, m_blockSize);
        QDriveValueList values;
        for (const WriteItem& w : block) {
            values.append(QDriveValueItem(w.item.funIndex, w.item.axis));
        }
        // A cancelled check leaves the acknowledged writes as they are: they reached the drive.
        if (m_progress->isCancelled() || !device()) {
            break;
        }
        updateInputFilter();
        QDriveValueList answer;
        m_waiter->read(values, timeoutMs, &answer);
        for (int i = 0; i < block.size(); ++i) {
            const bool same = i < answer.size() && answer.at(i).error == QDriveLink::LINK_OK &&
                              answer.at(i).value == block.at(i).item.value;
            if (!same) {
                fail(block.at(i).item.funIndex);
            }
        }
        m_progress->advance(block.size());
    }
}

// Counts every changed value in the statistics and marks it unsaved, as a single write does.
void QBatchReadWrite_Servo::recordWritten(QDeviceServo* dev, const QList<WriteItem>& written,
                                          qint64 driveTime)
{
    QList<QPair<QString, tagFuncodeModifyData>> events;
    for (const WriteItem& w : written) {
        if (m_failedSet.contains(w.item.funIndex)) {
            continue;
        }
        dev->setParamUnsaved(w.item.axis, w.item.funIndex);
        if (w.oldKnown && w.oldRaw == w.item.value) {
            continue;
        }
        const tagSubFuncode_Servo* fun = dev->getFuncodePtrByFunIndex(w.item.funIndex);
        tagFuncodeModifyData event;
        event.timeStamp = static_cast<int>(driveTime);
        event.oldValue = dev->rawToScaled(fun, w.oldRaw);
        event.newValue = dev->rawToScaled(fun, w.item.value);
        event.axisIndex = w.item.axis;
        events.append(qMakePair(w.item.funIndex, event));
    }
    if (!events.isEmpty()) {
        QDatabaseManager::self()->getStatisticsDatabase()->addFuncodeModifyEvents(m_alias, events);
    }
}
