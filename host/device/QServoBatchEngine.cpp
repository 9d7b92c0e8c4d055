#include "QServoBatchEngine.h"

#include "QDeviceServo.h"
#include "QDriveLink.h"
#include "QFuncodeScaling.h"
#include "QLibSetting.h"
#include "QRegisterBlockPlanner.h"
#include "QServoBatchRecorder.h"
#include "QServoWriteRules.h"
#include "QSignalManager.h"
#include "QSystemSetting.h"

#include <QPointer>
#include <algorithm>

namespace {
QString entryKey(const QString& funIndex, int axis)
{
    return funIndex + QLatin1Char('#') + QString::number(axis);
}

bool isTransportError(int error)
{
    return error == QDriveLink::LINK_ERR_OFFLINE || error == QDriveLink::LINK_ERR_TIMEOUT;
}

// Registers a value of the data type occupies.
int registersOf(int dataType)
{
    return qMax(1, QFuncodeScaling::dataTypeBits(dataType) / 16);
}

// Link error for a value the drive cannot take, or LINK_OK. An offline drive is not a reason here: the
// engine waits for it.
int plannedError(const QDeviceServo* device, const tagSubFuncode_Servo* fun, int axis, qint64 raw)
{
    if (!fun) {
        return QDriveLink::LINK_ERR_UNKNOWN;
    }
    if (fun->isStateCode || !QServoWriteRules::hasWriteRight(*fun) || axis < 0 ||
        axis >= device->getAxisNum()) {
        return QDriveLink::LINK_ERR_READ_ONLY;
    }
    if (!QDeviceServo::isAuthValid(fun->authority, QLibSetting::self()->getSystemSetting()->getAuthority())) {
        return QDriveLink::LINK_ERR_REFUSED;
    }
    if (device->isOsciRunning() && (fun->funIndex == device->getOsciFirstFuncodeIndex().funIndex ||
                                    device->getOsciNoEditFuncodes().contains(fun->funIndex))) {
        return QDriveLink::LINK_ERR_REFUSED;
    }
    return QFuncodeScaling::isRawInRange(*fun, raw) ? QDriveLink::LINK_OK : QDriveLink::LINK_ERR_RANGE;
}
} // namespace

QServoBatchEngine::QServoBatchEngine(QDeviceServo* device, QDriveLink* link)
    : QObject(device), m_device(device), m_link(link)
{
    m_watchdog.setSingleShot(true);
    connect(&m_watchdog, &QTimer::timeout, this, &QServoBatchEngine::onWatchdog);
    connect(m_link, &QDriveLink::writeFinished, this, &QServoBatchEngine::onWriteFinished);
    connect(m_link, &QDriveLink::readFinished, this, &QServoBatchEngine::onReadFinished);
    connect(m_link, &QDriveLink::onlineChanged, this, &QServoBatchEngine::onOnlineChanged);
}

QServoBatchEngine::~QServoBatchEngine() = default;

// ---------------------------------------------------------------- planning

int QServoBatchEngine::calcTaskMap(const QMap<QString, tagExportFuncodePtr_Servo>& records, bool bAllAxis,
                                   int axis)
{
    stop();
    m_entries.clear();
    m_entryIndex.clear();
    m_writeTasks.clear();
    m_readTasks.clear();
    m_rejected.clear();
    m_requests = 0;
    m_phase = PHASE_IDLE;
    for (auto it = records.cbegin(); it != records.cend(); ++it) {
        if (!it.value()) {
            m_rejected.append(qMakePair(it.key(), int(QDriveLink::LINK_ERR_UNKNOWN)));
            continue;
        }
        const int axes = qBound(1, it.value()->axisNum, 3);
        const int first = bAllAxis ? 0 : axis;
        const int last = bAllAxis ? qMin(axes, m_device->getAxisNum()) - 1 : axis;
        for (int a = first; a <= last; ++a) {
            appendEntry(it.key(), *it.value(), a);
        }
    }
    QVector<QVector<int>> byAxis(3);
    for (int i = 0; i < m_entries.size(); ++i) {
        byAxis[m_entries.at(i).axis].append(i);
    }
    for (const QVector<int>& entries : qAsConst(byAxis)) {
        planAxis(entries, true);
        planAxis(entries, false);
    }
    int total = 0;
    for (const QVector<Task>* tasks : {&m_writeTasks, &m_readTasks}) {
        for (const Task& task : *tasks) {
            total += task.valueRegs;
        }
    }
    return total;
}

bool QServoBatchEngine::appendEntry(const QString& funIndex, const tagExportFuncode_Servo& record, int axis)
{
    const tagSubFuncode_Servo* fun = m_device->getFuncodePtrByFunIndex(funIndex);
    const qint64 raw = (axis >= 0 && axis < 3) ? record.curValue[static_cast<size_t>(axis)] : 0;
    const int error = plannedError(m_device, fun, axis, raw);
    if (error != QDriveLink::LINK_OK) {
        m_rejected.append(qMakePair(funIndex, error));
        return false;
    }
    tagServoBufInfo entry;
    entry.funIndex = funIndex;
    entry.axis = axis;
    entry.addr = fun->modbusAddr;
    entry.regCount = registersOf(fun->dataType);
    entry.value = raw;
    m_entryIndex.insert(entryKey(funIndex, axis), m_entries.size());
    m_entries.append(entry);
    return true;
}

void QServoBatchEngine::planAxis(const QVector<int>& entries, bool forWrite)
{
    QVector<QRegisterSpan> spans;
    spans.reserve(entries.size());
    for (int i : entries) {
        spans.append(QRegisterSpan(m_entries.at(i).addr, m_entries.at(i).regCount));
    }
    const QRegisterBlockPlanner planner =
        forWrite ? QRegisterBlockPlanner::forWrites() : QRegisterBlockPlanner::forReads();
    QList<int> rejected;
    const QList<QRegisterBlock> blocks = planner.plan(spans, &rejected);
    for (int r : qAsConst(rejected)) {
        // A value without a usable register address cannot travel in a block: one request of its own.
        const tagServoBufInfo& e = m_entries.at(entries.at(r));
        Task task;
        task.addr = e.addr;
        task.regCount = e.regCount;
        task.valueRegs = e.regCount;
        task.members.append(entries.at(r));
        (forWrite ? m_writeTasks : m_readTasks).append(task);
    }
    for (const QRegisterBlock& block : blocks) {
        Task task;
        task.addr = block.address;
        task.regCount = block.count;
        for (int member : block.members) {
            task.members.append(entries.at(member));
            task.valueRegs += m_entries.at(entries.at(member)).regCount;
        }
        (forWrite ? m_writeTasks : m_readTasks).append(task);
    }
}

QServoTaskMap QServoBatchEngine::writeTaskMap() const
{
    QServoTaskMap map;
    for (int t = 0; t < m_writeTasks.size(); ++t) {
        QList<tagServoBufInfo>& list = map[t];
        for (int member : m_writeTasks.at(t).members) {
            list.append(m_entries.at(member));
        }
    }
    return map;
}

// ---------------------------------------------------------------- running

bool QServoBatchEngine::begin(enPhase phase)
{
    if (isBusy() || m_entries.isEmpty()) {
        return false;
    }
    m_phase = phase;
    m_task = 0;
    m_retries = 0;
    m_failedTasks = 0;
    m_inFlight = 0;
    m_waitingOnline = false;
    sendCurrent();
    return true;
}

bool QServoBatchEngine::startWrite()
{
    if (isBusy() || m_entries.isEmpty()) {
        return false;
    }
    for (tagServoBufInfo& e : m_entries) {
        e.writeError = -1;
        e.bSucceed = false;
    }
    return begin(PHASE_WRITING);
}

bool QServoBatchEngine::startRead()
{
    if (isBusy() || m_entries.isEmpty()) {
        return false;
    }
    for (tagServoBufInfo& e : m_entries) {
        e.readError = -1;
        e.bSucceed = false;
    }
    return begin(PHASE_READING);
}

void QServoBatchEngine::stop()
{
    m_watchdog.stop();
    m_inFlight = 0;
    m_waitingOnline = false;
    if (isBusy()) {
        m_phase = PHASE_IDLE;
    }
    recordWritten();
}

const QVector<QServoBatchEngine::Task>& QServoBatchEngine::currentTasks() const
{
    return m_phase == PHASE_READING ? m_readTasks : m_writeTasks;
}

QDriveValueList QServoBatchEngine::itemsOf(const Task& task) const
{
    QDriveValueList items;
    items.reserve(task.members.size());
    for (int member : task.members) {
        const tagServoBufInfo& e = m_entries.at(member);
        items.append(QDriveValueItem(e.funIndex, e.axis, e.value));
    }
    return items;
}

void QServoBatchEngine::sendCurrent()
{
    if (!m_link->isOnline()) {
        m_waitingOnline = true;
        return;
    }
    const Task& task = currentTasks().at(m_task);
    if (m_phase == PHASE_WRITING) {
        for (int member : task.members) {
            tagServoBufInfo& e = m_entries[member];
            e.oldKnown = m_device->hasValue(e.funIndex, e.axis);
            e.oldValue = m_device->getCurValue(e.funIndex, e.axis);
        }
    }
    const QDriveValueList items = itemsOf(task);
    ++m_requests;
    m_inFlight = m_phase == PHASE_WRITING ? m_link->requestWrite(items) : m_link->requestRead(items);
    // The link answers every request, with a timeout at worst; this only guards against one that
    // does not.
    m_watchdog.start(m_device->getCommuParams().timeoutMs * 3 + 1000);
}

bool QServoBatchEngine::takeAnswer(quint32 requestId, const QDriveValueList& items)
{
    if (requestId == 0 || requestId != m_inFlight) {
        return false;
    }
    m_inFlight = 0;
    m_watchdog.stop();
    const bool lost = std::any_of(items.cbegin(), items.cend(),
                                  [](const QDriveValueItem& item) { return isTransportError(item.error); });
    if (!lost) {
        return true;
    }
    if (!m_link->isOnline()) {
        m_waitingOnline = true;
        return false;
    }
    if (m_retries < kMaxRetries) {
        ++m_retries;
        sendCurrent();
        return false;
    }
    return true;
}

void QServoBatchEngine::onWriteFinished(quint32 requestId, QDriveValueList items, qint64 driveTime)
{
    if (m_phase != PHASE_WRITING || !takeAnswer(requestId, items)) {
        return;
    }
    m_driveTime = driveTime;
    applyAnswer(items, true);
}

void QServoBatchEngine::onReadFinished(quint32 requestId, QDriveValueList items)
{
    if (m_phase != PHASE_READING || !takeAnswer(requestId, items)) {
        return;
    }
    applyAnswer(items, false);
}

void QServoBatchEngine::applyAnswer(const QDriveValueList& items, bool write)
{
    const Task& task = currentTasks().at(m_task);
    bool ok = items.size() == task.members.size();
    unsigned char errCode = 0;
    for (int i = 0; i < task.members.size(); ++i) {
        tagServoBufInfo& e = m_entries[task.members.at(i)];
        const int error = i < items.size() ? items.at(i).error : int(QDriveLink::LINK_ERR_TIMEOUT);
        (write ? e.writeError : e.readError) = error;
        if (!write) {
            e.bSucceed = e.writeError == QDriveLink::LINK_OK && error == QDriveLink::LINK_OK;
        }
        if (error != QDriveLink::LINK_OK) {
            ok = false;
            errCode = errCode ? errCode : static_cast<unsigned char>(error);
        }
    }
    if (!ok) {
        ++m_failedTasks;
    }
    if (write) {
        m_unrecorded += task.members;
        if (m_unrecorded.size() >= kRecordChunk) {
            recordWritten();
        }
    }
    QPointer<QServoBatchEngine> guard(this);
    const enPhase phase = m_phase;
    QSignalManager* hub = QSignalManager::self();
    if (write) {
        emit hub->sigWriteReply(m_device->getAliasName(), task.addr, task.valueRegs, ok, errCode);
    } else {
        emit hub->sigReadReply(m_device->getAliasName(), task.addr, task.valueRegs, ok);
    }
    // A receiver may have stopped the work.
    if (guard && m_phase == phase) {
        advance();
    }
}

void QServoBatchEngine::advance()
{
    m_retries = 0;
    if (++m_task < currentTasks().size()) {
        sendCurrent();
        return;
    }
    finishPhase();
}

void QServoBatchEngine::finishPhase()
{
    QSignalManager* hub = QSignalManager::self();
    const QString alias = m_device->getAliasName();
    if (m_phase == PHASE_WRITING) {
        m_phase = PHASE_WRITTEN;
        recordWritten();
        emit hub->sigWriteFinished(alias, m_failedTasks);
        return;
    }
    m_phase = PHASE_DONE;
    emit hub->sigReadFinished(alias, m_failedTasks);
}

void QServoBatchEngine::onOnlineChanged(bool online)
{
    if (!online || !m_waitingOnline || !isBusy()) {
        return;
    }
    m_waitingOnline = false;
    sendCurrent();
}

void QServoBatchEngine::onWatchdog()
{
    if (!isBusy() || m_inFlight == 0) {
        return;
    }
    const quint32 id = m_inFlight;
    QDriveValueList lost = itemsOf(currentTasks().at(m_task));
    for (QDriveValueItem& item : lost) {
        item.error = QDriveLink::LINK_ERR_TIMEOUT;
    }
    if (m_phase == PHASE_WRITING) {
        onWriteFinished(id, lost, m_driveTime);
    } else {
        onReadFinished(id, lost);
    }
}

void QServoBatchEngine::recordWritten()
{
    if (m_unrecorded.isEmpty()) {
        return;
    }
    QVector<tagServoBufInfo> written;
    written.reserve(m_unrecorded.size());
    for (int member : qAsConst(m_unrecorded)) {
        written.append(m_entries.at(member));
    }
    m_unrecorded.clear();
    QServoBatchRecorder::record(m_device, written, m_driveTime);
}
