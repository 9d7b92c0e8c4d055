#include "QDeviceServo.h"

#include "QCommonMethod.h"
#include "QDefaultValueComparer_Servo.h"
#include "QDeviceManager.h"
#include "QDriveLinkFactory.h"
#include "QFuncodeScaling.h"
#include "QLibLogger.h"
#include "QLibSetting.h"
#include "QServoFaultRequests.h"
#include "QServoRequestWaiter.h"
#include "QServoValueTexts.h"
#include "QServoWriteRules.h"
#include "QSignalManager.h"
#include "QSystemSetting.h"

#include <QCoreApplication>
#include <QPointer>
#include <QRegularExpression>
#include <log4cplus/loggingmacros.h>

namespace {
// Items per link request: large reads are split so answers keep flowing.
const int kMaxReadItems = 256;
QString trServo(const char* key)
{
    return QCoreApplication::translate("QDeviceServo", key);
}
} // namespace

QDeviceServo::QDeviceServo(const QDriveModelPtr& model, QDriveLink* link, const QString& alias,
                           QObject* parent)
    : QDeviceBase(parent), m_model(model), m_link(link), m_requests(new QServoRequestWaiter(link, this)),
      m_faultStore(model)
{
    Q_ASSERT(model && link);
    m_link->setParent(this);
    m_deviceInfo.aliasName = alias;
    m_deviceInfo.identText1 = model->identFamily;
    m_deviceInfo.identText2 = model->identFirmware;
    m_deviceInfo.identNumber = model->identNumber;
    buildRecords();
    rebuildGroupMaps();
    m_faultStore.loadFormat(true, m_deviceInfo);
    connect(m_link, &QDriveLink::readFinished, this, &QDeviceServo::onReadFinished);
    connect(m_link, &QDriveLink::writeFinished, this, &QDeviceServo::onWriteFinished);
    m_faults = new QServoFaultRequests(*this, m_faultStore, *m_requests);
    connect(m_link, &QDriveLink::onlineChanged, this, &QDeviceServo::onOnlineChanged);
    m_everOnline = m_link->isOnline();
    m_wholeRead = new QServoWholeRead(wholeReadHooks(), this);
    connect(m_wholeRead, &QServoWholeRead::progress, this, &QDeviceServo::wholeReadProgress);
    // A simulated drive in the process says itself when it goes away; a drive on a bus is asked.
    if (QDriveLinkFactory::settingsOf(m_link).isModbus()) {
        m_statusPoll = new QServoStatusPoll(statusPollHooks(), QServoStatusPoll::kPeriodMs, this);
        m_statusPoll->setActive(m_link->isOnline());
    }
    // After the device's own connections, so that read-back values are stored before the engine sees them.
    m_batchEngine = new QServoBatchEngine(this, m_link);
    connect(QLibSetting::self()->getSystemSetting(), &QSystemSetting::authorityChanged, this, [this]() {
        rebuildGroupMaps();
        emit QSignalManager::self()->SigStateChanged();
    });
}

QDeviceServo::~QDeviceServo()
{
    delete m_faults; // it refers to the fault store, a member: it goes before the members do
}

QString QDeviceServo::getDevName() const
{
    return m_model->modelName;
}

QString QDeviceServo::getConfigVersion() const
{
    return m_model->configVersion;
}

bool QDeviceServo::isDeviceOnline() const
{
    return m_link->isOnline();
}

int QDeviceServo::deviceStatus() const
{
    if (!m_link->isOnline()) {
        return m_everOnline ? DEVICE_OFFLINE : DEVICE_CONNECTING;
    }
    return m_answers.isSilent() ? DEVICE_NOT_ANSWERING : DEVICE_ONLINE;
}

int QDeviceServo::getAxisNum() const
{
    return m_model->axisNum;
}

// ---------------------------------------------------------------- descriptions

void QDeviceServo::buildRecords()
{
    m_records.clear();
    m_rowIndex.clear();
    m_records.reserve(m_model->codes.size());
    for (int row = 0; row < m_model->codes.size(); ++row) {
        m_records.push_back(std::make_unique<tagSubFuncode_Servo>(m_model->codes.at(row)));
        m_rowIndex.insert(m_model->codes.at(row).funIndex, row);
    }
    m_values.reset(m_model->codes.size());
    m_rwStatus.assign(static_cast<size_t>(m_model->codes.size()), RW_STATUS_NONE);
}

int QDeviceServo::presentAuthority() const
{
    return QLibSetting::self()->getSystemSetting()->getAuthority();
}

void QDeviceServo::rebuildGroupMaps()
{
    const int authority = presentAuthority();
    m_normalGroups.clear();
    m_stateGroups.clear();
    for (const QDriveGroupDef& group : m_model->groups) {
        QList<tagSubFuncode_Servo*> list;
        for (int row : group.codeRows) {
            tagSubFuncode_Servo* fun = m_records[static_cast<size_t>(row)].get();
            if (isAuthValid(fun->authority, authority)) {
                list.append(fun);
            }
        }
        if (list.isEmpty()) {
            continue;
        }
        (group.isState ? m_stateGroups : m_normalGroups).insert(group.name, list);
    }
}

tagSubFuncode_Servo* QDeviceServo::getFuncodePtrByFunIndex(const QString& funIndex, bool bCheckAuth) const
{
    const int row = rowOf(funIndex);
    if (row < 0) {
        return nullptr;
    }
    tagSubFuncode_Servo* fun = m_records[static_cast<size_t>(row)].get();
    if (bCheckAuth && !isAuthValid(fun->authority, presentAuthority())) {
        return nullptr;
    }
    return fun;
}

tagSubFuncode_Servo* QDeviceServo::getNormalFuncodePtrByFunIndex(const QString& funIndex,
                                                                 bool bCheckAuth) const
{
    tagSubFuncode_Servo* fun = getFuncodePtrByFunIndex(funIndex, bCheckAuth);
    return (fun && !fun->isStateCode) ? fun : nullptr;
}

tagSubFuncode_Servo* QDeviceServo::getNormalFuncodePtrByFunIndexAuth(const QString& funIndex) const
{
    return getNormalFuncodePtrByFunIndex(funIndex, true);
}

tagSubFuncode_Servo* QDeviceServo::getStatusFuncodeByIndex(const QString& funIndex, bool bCheckAuth) const
{
    tagSubFuncode_Servo* fun = getFuncodePtrByFunIndex(funIndex, bCheckAuth);
    return (fun && fun->isStateCode) ? fun : nullptr;
}

bool QDeviceServo::isNormalFuncode(const tagSubFuncode_Servo* fun) const
{
    return fun && !fun->isStateCode && getFuncodePtrByFunIndex(fun->funIndex) == fun;
}

bool QDeviceServo::isAuthValid(int codeAuthority, int authority)
{
    return codeAuthority <= authority;
}

bool QDeviceServo::isAuthValid(const QString& funIndex, int authority) const
{
    const tagSubFuncode_Servo* fun = getFuncodePtrByFunIndex(funIndex);
    return fun && isAuthValid(fun->authority, authority);
}

QList<tagSubFuncode_Servo*> QDeviceServo::getAllNormalFuncodes() const
{
    QList<tagSubFuncode_Servo*> all;
    const QStringList names = orderGroupName(m_normalGroups.keys());
    for (const QString& name : names) {
        all += m_normalGroups.value(name);
    }
    return all;
}

// ---------------------------------------------------------------- values

QServoValue QDeviceServo::valueInfo(const QString& funIndex, int axis) const
{
    if (axis < 0 || axis >= getAxisNum()) {
        return QServoValue();
    }
    return m_values.value(rowOf(funIndex), axis);
}

bool QDeviceServo::curValue(const QString& funIndex, int axis, qint64* raw) const
{
    const QServoValue v = valueInfo(funIndex, axis);
    if (!v.isKnown()) {
        return false;
    }
    if (raw) {
        *raw = v.raw;
    }
    return true;
}

qint64 QDeviceServo::getCurValue(const QString& funIndex, int axis) const
{
    qint64 raw = 0;
    return curValue(funIndex, axis, &raw) ? raw : 0;
}

double QDeviceServo::getScaledCurValue(const QString& funIndex, int axis) const
{
    const tagSubFuncode_Servo* fun = getFuncodePtrByFunIndex(funIndex);
    return fun ? rawToScaled(fun, getCurValue(funIndex, axis)) : 0.0;
}

QString QDeviceServo::getScaledCurValueStr(const QString& funIndex, int axis) const
{
    return QServoValueTexts::valueText(getFuncodePtrByFunIndex(funIndex), valueInfo(funIndex, axis));
}

QString QDeviceServo::shownValueText(const QString& funIndex, int axis) const
{
    return QServoValueTexts::shownText(getFuncodePtrByFunIndex(funIndex), valueInfo(funIndex, axis));
}

QString QDeviceServo::valueStateTip(const QString& funIndex, int axis) const
{
    return QServoValueTexts::stateTip(valueInfo(funIndex, axis));
}

QString QDeviceServo::lastGoodValueStr(const QString& funIndex, int axis) const
{
    return QServoValueTexts::lastGoodText(getFuncodePtrByFunIndex(funIndex), valueInfo(funIndex, axis));
}

QString QDeviceServo::getScaledDefaultValueStr(const QString& funIndex, int axis) const
{
    Q_UNUSED(axis)
    return QServoValueTexts::defaultText(getFuncodePtrByFunIndex(funIndex));
}

QString QDeviceServo::getScaledValueString(int showType, int precision, const QString& rawText) const
{
    return QFuncodeScaling::descriptionText(showType, getDecimals(precision), rawText);
}

QString QDeviceServo::getShowStr(const tagSubFuncode_Servo* fun, qint64 rawValue) const
{
    return QServoValueTexts::rawText(fun, rawValue);
}

qint64 QDeviceServo::getRawValueByScaledValStr(const QString& funIndex, const QString& scaledText,
                                               bool* ok) const
{
    const tagSubFuncode_Servo* fun = getFuncodePtrByFunIndex(funIndex);
    qint64 raw = 0;
    const bool parsed = fun && QFuncodeScaling::parseShowText(*fun, scaledText, &raw);
    if (ok) {
        *ok = parsed;
    }
    return parsed ? raw : 0;
}

qint64 QDeviceServo::scaledToRaw(const tagSubFuncode_Servo* fun, double scaled) const
{
    return fun ? QFuncodeScaling::editorToRaw(*fun, scaled) : 0;
}

double QDeviceServo::rawToScaled(const tagSubFuncode_Servo* fun, qint64 raw) const
{
    return fun ? QFuncodeScaling::rawToEditor(*fun, raw) : 0.0;
}

int QDeviceServo::getDecimals(int precision) const
{
    return QFuncodeScaling::decimals(precision);
}

double QDeviceServo::getResolution(int decimals)
{
    return 1.0 / QFuncodeScaling::pow10(decimals);
}

bool QDeviceServo::isCurValEqualDef(const QString& funIndex, int axis) const
{
    return getScaledCurValueStr(funIndex, axis) == getScaledDefaultValueStr(funIndex, axis);
}

bool QDeviceServo::hasValue(const QString& funIndex, int axis) const
{
    return valueInfo(funIndex, axis).isKnown();
}

QList<QStringList> QDeviceServo::getCompareFuncodeDefault() const
{
    return QDefaultValueComparer_Servo(*this).differingRows();
}

// ---------------------------------------------------------------- reading

void QDeviceServo::readFuncode(const QList<tagSubFuncode_Servo*>& list)
{
    // Offline, reads would only fail: the views ask again when the drive is back. A drive that is still
    // connecting keeps them for when it comes online.
    if (!isDeviceOnline() && m_everOnline) {
        return;
    }
    const int axes = getAxisNum();
    for (const tagSubFuncode_Servo* fun : list) {
        if (!fun || rowOf(fun->funIndex) < 0) {
            continue;
        }
        for (int axis = 0; axis < axes; ++axis) {
            m_readQueue.enqueue(fun->funIndex, axis);
        }
    }
    flushReadQueue();
}

void QDeviceServo::readAllFuncode()
{
    if (!isDeviceOnline()) {
        m_wholeReadWanted = true;
        return;
    }
    QList<tagSubFuncode_Servo*> all;
    all.reserve(static_cast<int>(m_records.size()));
    for (const auto& fun : m_records) {
        all.append(fun.get());
    }
    readFuncode(all);
}

bool QDeviceServo::isReadBusy() const
{
    return m_readQueue.isBusy() || (isDeviceOnline() && m_wholeRead->isRunning());
}

void QDeviceServo::flushReadQueue()
{
    if (!isDeviceOnline() || m_readQueue.hasInFlight()) {
        return;
    }
    if (m_readQueue.pendingCount() > 0) {
        sendQueued();
        return;
    }
    m_wholeRead->idle();
}

void QDeviceServo::sendQueued()
{
    const QDriveValueList items = m_readQueue.takeBatch(kMaxReadItems);
    m_inFlightSentAtMs = m_values.now();
    m_readQueue.setInFlight(m_link->requestRead(items));
}

void QDeviceServo::startWholeRead()
{
    QStringList numbers;
    numbers.reserve(static_cast<int>(m_records.size()));
    for (const auto& fun : m_records) {
        numbers.append(fun->funIndex);
    }
    m_wholeReadWanted = false;
    m_wholeRead->start(numbers, m_values.now());
    flushReadQueue();
}

// The one small read: the first setting of axis X, through the read queue as any read.
QServoStatusPoll::Hooks QDeviceServo::statusPollHooks()
{
    QServoStatusPoll::Hooks hooks;
    hooks.canSend = [this]() {
        return isDeviceOnline() && !m_readQueue.isBusy() && !m_batchEngine->isBusy();
    };
    hooks.send = [this]() {
        const QList<tagSubFuncode_Servo*> codes = getAllNormalFuncodes();
        if (!codes.isEmpty() && m_readQueue.enqueue(codes.first()->funIndex, AXIS_X)) {
            flushReadQueue();
        }
    };
    return hooks;
}

QServoWholeRead::Hooks QDeviceServo::wholeReadHooks()
{
    QServoWholeRead::Hooks hooks;
    // The pages' reads go first; the answer of the last of them lets the next chunk go.
    hooks.canSend = [this]() { return isDeviceOnline() && !m_readQueue.isBusy(); };
    hooks.readSince = [this](const QString& funIndex, qint64 sinceMs) {
        const int row = rowOf(funIndex);
        return row < 0 || m_values.isReadOnAxesSince(row, getAxisNum(), sinceMs);
    };
    hooks.send = [this](const QStringList& chunk) -> quint32 {
        for (const QString& funIndex : chunk) {
            for (int axis = 0; axis < getAxisNum(); ++axis) {
                m_readQueue.enqueue(funIndex, axis);
            }
        }
        sendQueued();
        return m_readQueue.hasInFlight() ? m_readQueue.inFlightRequest() : 0;
    };
    return hooks;
}

void QDeviceServo::stopReadFuncode(const QString& groupName, int axis)
{
    m_readQueue.dropQueued([this, &groupName, axis](const QServoReadQueue::Entry& e) {
        const tagSubFuncode_Servo* fun = getFuncodePtrByFunIndex(e.funIndex);
        return e.axis == axis && fun && fun->groupName == groupName;
    });
}

void QDeviceServo::stopReadValue(const QList<tagSubFuncode_Servo*>& list, int axis)
{
    QSet<QString> numbers;
    for (const tagSubFuncode_Servo* fun : list) {
        if (fun) {
            numbers.insert(fun->funIndex);
        }
    }
    m_readQueue.dropQueued([&numbers, axis](const QServoReadQueue::Entry& e) {
        return e.axis == axis && numbers.contains(e.funIndex);
    });
}

void QDeviceServo::storeReadAnswer(const QDriveValueItem& item, qint64 sentAtMs, QStringList* changed)
{
    const int row = rowOf(item.funIndex);
    if (row < 0 || item.axis < 0 || item.axis >= getAxisNum()) {
        return;
    }
    bool differs = false;
    if (item.error == QDriveLink::LINK_OK) {
        differs = m_values.setRead(row, item.axis, item.value, sentAtMs);
    } else if (QServoAnswerWatch::isNoAnswer(item.error)) {
        differs = m_values.setNoAnswer(row, item.axis);
    } else {
        differs = m_values.setReadFailed(row, item.axis);
    }
    m_rwStatus[static_cast<size_t>(row)] =
        item.error == QDriveLink::LINK_OK ? RW_STATUS_READ_OK : RW_STATUS_READ_FAILED;
    if (differs && !changed->contains(item.funIndex)) {
        changed->append(item.funIndex);
    }
}

void QDeviceServo::onReadFinished(quint32 requestId, QDriveValueList items)
{
    const bool queued = m_readQueue.hasInFlight() && requestId == m_readQueue.inFlightRequest();
    // A queued read may have been sent before a write: its values are stamped with the time it was sent.
    const qint64 sentAt = queued ? m_inFlightSentAtMs : -1;
    m_readQueue.answered(requestId, items);
    QStringList changed;
    for (const QDriveValueItem& item : qAsConst(items)) {
        storeReadAnswer(item, sentAt, &changed);
    }
    announceChanged(changed);
    noteAnswered(QServoAnswerWatch::anyAnswered(items));
    m_wholeRead->answered(requestId);
    flushReadQueue();
}

void QDeviceServo::onWriteFinished(quint32 requestId, QDriveValueList items)
{
    Q_UNUSED(requestId)
    noteAnswered(QServoAnswerWatch::anyAnswered(items));
}

void QDeviceServo::noteAnswered(bool answered)
{
    if (m_statusPoll) {
        m_statusPoll->noteReply(answered);
    }
    switch (m_answers.note(answered, isDeviceOnline())) {
    case QServoAnswerWatch::ANSWERS_AGAIN:
        emit QSignalManager::self()->SigDevStatus(getAliasName(), DEVICE_ONLINE,
                                                  trServo("STR_DEVICE_ONLINE"));
        break;
    case QServoAnswerWatch::FELL_SILENT:
        makeAllStale();
        emit QSignalManager::self()->SigDevStatus(getAliasName(), DEVICE_NOT_ANSWERING,
                                                  trServo("STR_DEVICE_NOT_ANSWERING"));
        break;
    default:
        break;
    }
}

void QDeviceServo::makeAllStale()
{
    const QVector<int> rows = m_values.setAllStale(getAxisNum());
    QStringList changed;
    changed.reserve(rows.size());
    for (int row : rows) {
        changed.append(m_records[static_cast<size_t>(row)]->funIndex);
    }
    announceChanged(changed);
}

void QDeviceServo::announceChanged(const QStringList& changed)
{
    if (changed.isEmpty()) {
        return;
    }
    emit QSignalManager::self()->SigFuncodeChanged_Servo(getAliasName(), changed);
}

int QDeviceServo::readBack(const QStringList& funIndexes, int axis, int timeoutMs)
{
    QDriveValueList items;
    for (const QString& funIndex : funIndexes) {
        if (rowOf(funIndex) >= 0) {
            items.append(QDriveValueItem(funIndex, axis));
        }
    }
    if (items.isEmpty()) {
        return WRITE_OK;
    }
    return linkErrorToWriteError(m_requests->read(items, timeoutMs));
}

int QDeviceServo::readOneFuncode_Synch(const QString& funIndex, qint64& value, int timeoutMs,
                                       bool bProcessEvents)
{
    Q_UNUSED(bProcessEvents)
    if (rowOf(funIndex) < 0) {
        return WRITE_ERR_UNKNOWN_CODE;
    }
    if (!isDeviceOnline()) {
        return WRITE_ERR_OFFLINE;
    }
    QDriveValueList items;
    const int error = m_requests->read({QDriveValueItem(funIndex, AXIS_X)}, timeoutMs, &items);
    if (error == QDriveLink::LINK_OK && !items.isEmpty()) {
        value = items.first().value;
    }
    return linkErrorToWriteError(error);
}

// ---------------------------------------------------------------- writing

int QDeviceServo::linkErrorToWriteError(int linkError)
{
    return QServoWriteRules::fromLinkError(linkError);
}

int QDeviceServo::checkWriteRawValue(const QString& funIndex, qint64 rawValue, int axis,
                                     QString* reason) const
{
    return QServoWriteRules(*this).checkRawValue(funIndex, rawValue, axis, reason);
}

int QDeviceServo::convertAddr(const QString& addr)
{
    return QCommonMethod::addressToInt(addr);
}

int QDeviceServo::writeRaw(const QString& funIndex, int axis, qint64 raw, int timeoutMs)
{
    QPointer<QDeviceServo> guard(this);
    qint64 driveTime = 0;
    const int error = linkErrorToWriteError(
        m_requests->write({QDriveValueItem(funIndex, axis, raw)}, timeoutMs, nullptr, &driveTime));
    if (!guard) {
        return error;
    }
    if (error == WRITE_OK) {
        m_lastDriveTime = driveTime;
    }
    // The row is looked up after the wait: the device may have reloaded its descriptions.
    const int row = rowOf(funIndex);
    if (row < 0) {
        return error;
    }
    m_rwStatus[static_cast<size_t>(row)] = error == WRITE_OK ? RW_STATUS_WRITE_OK : RW_STATUS_WRITE_FAILED;
    // Taken, or no answer in time: what the drive holds is not known until a read answers.
    if ((error == WRITE_OK || error == WRITE_ERR_TIMEOUT) && m_values.setWritten(row, axis, raw)) {
        announceChanged({funIndex});
    }
    if (error == WRITE_ERR_TIMEOUT) {
        noteAnswered(false);
    }
    return error;
}

void QDeviceServo::snapshotRelated(const tagSubFuncode_Servo* fun, int axis)
{
    QMap<QString, QString> before;
    const QStringList related = getReleParamListByFunIndex(fun->funIndex);
    for (const QString& number : related) {
        before.insert(number, getScaledCurValueStr(number, axis));
    }
    m_relateOldValues.insert(fun->funIndex, before);
}

int QDeviceServo::writeAndReadBack(const QString& funIndex, int axis, qint64 raw, int timeoutMs)
{
    const tagSubFuncode_Servo* fun = getFuncodePtrByFunIndex(funIndex);
    if (!fun) {
        return m_lastWriteError = WRITE_ERR_UNKNOWN_CODE;
    }
    if (!isDeviceOnline()) {
        return m_lastWriteError = WRITE_ERR_OFFLINE;
    }
    snapshotRelated(fun, axis);
    QPointer<QDeviceServo> guard(this);
    const int error = writeRaw(funIndex, axis, raw, timeoutMs);
    if (!guard) {
        return error;
    }
    m_lastWriteError = error;
    if (error != WRITE_OK) {
        return error;
    }
    m_lastModifyTime = static_cast<int>(m_lastDriveTime);
    readBack(QStringList{funIndex} + getReleParamListByFunIndex(funIndex), axis, timeoutMs);
    return error;
}

int QDeviceServo::readNow(const QStringList& funIndexes, int axis, int timeoutMs)
{
    if (!isDeviceOnline()) {
        return WRITE_ERR_OFFLINE;
    }
    return readBack(funIndexes, axis, timeoutMs);
}

bool QDeviceServo::modifyFuncodeValueWithRecord(const QString& funIndex, double value, int axis)
{
    const tagSubFuncode_Servo* fun = getFuncodePtrByFunIndex(funIndex);
    const qint64 raw = fun ? scaledToRaw(fun, value) : 0;
    QString reason;
    m_lastWriteError = checkWriteRawValue(funIndex, raw, axis, &reason);
    if (m_lastWriteError != WRITE_OK) {
        LOG4CPLUS_INFO(QLibLogger::self()->getDefaultLogger(),
                       "Write of " << funIndex.toStdString() << " refused: " << reason.toStdString());
        return false;
    }
    return writeAndReadBack(funIndex, axis, raw, m_commuParams.timeoutMs) == WRITE_OK;
}

int QDeviceServo::writeOneFuncode_Synch(const QString& funIndex, qint64 rawValue, int timeoutMs,
                                        bool bProcessEvents)
{
    Q_UNUSED(bProcessEvents)
    const int error = checkWriteRawValue(funIndex, rawValue, AXIS_X);
    if (error != WRITE_OK) {
        return m_lastWriteError = error;
    }
    return writeAndReadBack(funIndex, AXIS_X, rawValue, timeoutMs);
}

bool QDeviceServo::needsSaving(const QString& funIndex) const
{
    const tagSubFuncode_Servo* fun = getFuncodePtrByFunIndex(funIndex);
    return fun && !fun->isStateCode && fun->isStore;
}

QString QDeviceServo::getErrorReasonStr(int error) const
{
    return QServoPresentation::writeErrorText(error, m_link->refusalReason());
}

bool QDeviceServo::isWritePermitted(QString* reason) const
{
    return QServoWriteRules(*this).isWritePermitted(reason);
}

// ---------------------------------------------------------------- saved state

void QDeviceServo::setParamUnsaved(int axis, const QString& funIndex)
{
    if (rowOf(funIndex) >= 0) {
        m_unsaved.setUnsaved(funIndex, axis);
    }
}

bool QDeviceServo::isParamUnsaved(const QString& funIndex, int axis) const
{
    return m_unsaved.isUnsaved(funIndex, axis);
}

QString QDeviceServo::getSavedStr(const QString& funIndex) const
{
    return rowOf(funIndex) < 0 ? QString() : m_unsaved.savedText(funIndex, getAxisNum());
}

QColor QDeviceServo::getSaveColor(const QString& funIndex) const
{
    return m_unsaved.saveColor(funIndex, getAxisNum());
}

bool QDeviceServo::saveAllFuncode(int axis)
{
    if (!isDeviceOnline() || axis < 0 || axis >= getAxisNum()) {
        return false;
    }
    const auto save = [this, axis] { return m_link->requestSaveAll(axis); };
    if (m_requests->request(save, m_commuParams.timeoutMs * 5) != QDriveLink::LINK_OK) {
        return false;
    }
    m_unsaved.clearAxis(axis);
    return true;
}

bool QDeviceServo::resetDevice(int axis)
{
    if (!isDeviceOnline() || axis < 0 || axis >= getAxisNum()) {
        return false;
    }
    const auto reset = [this, axis] { return m_link->requestReset(axis); };
    if (m_requests->request(reset, m_commuParams.timeoutMs * 5) != QDriveLink::LINK_OK) {
        return false;
    }
    m_unsaved.clearAxis(axis);
    // What was not saved is gone: read everything again.
    readAllFuncode();
    return true;
}

// ---------------------------------------------------------------- related parameters

QStringList QDeviceServo::getReleParamListByFunIndex(const QString& funIndex) const
{
    const tagSubFuncode_Servo* fun = getFuncodePtrByFunIndex(funIndex);
    if (!fun) {
        return {};
    }
    QStringList list =
        fun->relateParam.split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts);
    list.removeDuplicates();
    return list;
}

QMap<QString, QString> QDeviceServo::getReleParamOldValMapByFunIndex(const QString& funIndex) const
{
    return m_relateOldValues.value(funIndex);
}

// ---------------------------------------------------------------- monitored list

void QDeviceServo::announceMonitoredChange(bool changed)
{
    if (changed) {
        emit projectDataChanged();
    }
}

bool QDeviceServo::isSubFuncodeSelected(const QString& funIndex) const
{
    return m_monitored.contains(funIndex);
}

void QDeviceServo::appendSelSubFuncode(const QString& funIndex)
{
    announceMonitoredChange(rowOf(funIndex) >= 0 && m_monitored.append(funIndex));
}

void QDeviceServo::removeSelSubFuncode(const QString& funIndex)
{
    announceMonitoredChange(m_monitored.remove(funIndex));
}

void QDeviceServo::removeAllSelSubFuncode()
{
    announceMonitoredChange(m_monitored.clear());
}

void QDeviceServo::upSelSubFuncodeList(const QString& funIndex)
{
    announceMonitoredChange(m_monitored.moveUp(funIndex));
}

void QDeviceServo::downSelSubFuncodeList(const QString& funIndex)
{
    announceMonitoredChange(m_monitored.moveDown(funIndex));
}

void QDeviceServo::setSelSubFuncodeList(const QStringList& list)
{
    announceMonitoredChange(m_monitored.assign(list));
}

// ---------------------------------------------------------------- oscilloscope and motor

void QDeviceServo::setOsciRunning(bool running)
{
    if (running == m_osciRunning) {
        return;
    }
    m_osciRunning = running;
    emit QSignalManager::self()->SigFuncodeChanged_Servo(getAliasName(), QStringList{m_model->osciFirstCode} +
                                                                             m_model->osciNoEditCodes);
}

tagOsciFuncodeIndex QDeviceServo::getOsciFirstFuncodeIndex() const
{
    tagOsciFuncodeIndex index;
    index.funIndex = m_model->osciFirstCode;
    return index;
}

QStringList QDeviceServo::getOsciNoEditFuncodes() const
{
    return m_model->osciNoEditCodes;
}

QString QDeviceServo::getDevMotorTypeFuncode() const
{
    return m_model->motorTypeCode;
}

bool QDeviceServo::isMotorType(qint64 motorType) const
{
    qint64 held = 0;
    return !m_model->motorTypeCode.isEmpty() && curValue(m_model->motorTypeCode, AXIS_X, &held) &&
           held == motorType;
}

qint64 QDeviceServo::getMotorType() const
{
    return m_model->motorTypeCode.isEmpty() ? 0 : getCurValue(m_model->motorTypeCode, AXIS_X);
}

// ---------------------------------------------------------------- faults

void QDeviceServo::readCurFaults()
{
    m_faults->readCurrent();
}

bool QDeviceServo::clearCurFaults()
{
    return m_faults->clearCurrent();
}

void QDeviceServo::OnReadFaultFuncode(int axis)
{
    setFaultAxisIndex(axis);
    readCurFaults();
}

void QDeviceServo::readHisFaultFuncode(int axis, bool bWait)
{
    m_faults->readHistory(axis, bWait);
}

void QDeviceServo::initHisFaultFormat(bool bFromDatabase)
{
    m_faults->loadFormat(bFromDatabase);
}

bool QDeviceServo::clearHistoryFault(int axis)
{
    return m_faults->clearHistory(axis);
}

void QDeviceServo::onOnlineChanged(bool online)
{
    QSignalManager* hub = QSignalManager::self();
    m_answers.reset();
    if (m_statusPoll) {
        m_statusPoll->setActive(online);
    }
    if (!online) {
        // Queued reads would only fail; the views ask again when the drive is back, and the drive is
        // then read whole again.
        m_readQueue.clearQueued();
        m_wholeRead->stop();
        makeAllStale();
        emit hub->SigDevStatus(getAliasName(), DEVICE_OFFLINE, trServo("STR_DEVICE_OFFLINE"));
        return;
    }
    const bool cameBack = m_everOnline;
    m_everOnline = true;
    m_readQueue.forgetInFlight();
    emit hub->SigDevStatus(getAliasName(), DEVICE_ONLINE, trServo("STR_DEVICE_ONLINE"));
    readCurFaults();
    // Reads asked for while the link was still connecting go first; a drive that was away, or was to be
    // read whole while it could not be, is read whole again behind them.
    if (cameBack || m_wholeReadWanted) {
        startWholeRead();
    }
    flushReadQueue();
}

// ---------------------------------------------------------------- presentation

int QDeviceServo::getReadWriteStatus(const QString& funIndex) const
{
    const int row = rowOf(funIndex);
    return row < 0 ? static_cast<int>(RW_STATUS_NONE)
                   : static_cast<int>(m_rwStatus[static_cast<size_t>(row)]);
}

QIcon QDeviceServo::getReadWriteStatusIcon(const QString& funIndex) const
{
    return QServoPresentation::readWriteStatusIcon(getReadWriteStatus(funIndex));
}

// ---------------------------------------------------------------- reload

bool QDeviceServo::describesSameCodes(const QDriveModel& model) const
{
    if (size_t(model.codes.size()) != m_records.size()) {
        return false;
    }
    for (size_t row = 0; row < m_records.size(); ++row) {
        if (m_records[row]->funIndex != model.codes.at(int(row)).funIndex) {
            return false;
        }
    }
    return true;
}

void QDeviceServo::reloadDeviceConfig(const QDriveModelPtr& model)
{
    if (!model) {
        return;
    }
    // The history-record format is kept under the identity: a description with a new one uses its own.
    m_deviceInfo.identText1 = model->identFamily;
    m_deviceInfo.identText2 = model->identFirmware;
    m_deviceInfo.identNumber = model->identNumber;
    if (describesSameCodes(*model)) {
        // The same codes, as in another language: the records stay where pages point to them, and every
        // value, unsaved mark, monitored code and fault stays with them.
        for (size_t row = 0; row < m_records.size(); ++row) {
            *m_records[row] = model->codes.at(int(row));
        }
        m_model = model;
        m_faultStore.setModel(model);
        m_faultStore.loadFormat(true, m_deviceInfo);
        rebuildGroupMaps();
        // The faults are the same ones, with other texts.
        QSignalManager* hub = QSignalManager::self();
        emit curFaultsChanged();
        emit hub->SigDeviceFaultChanged(getAliasName());
        emit hub->SigHistoryFaultChanged(getAliasName());
        emit hub->sigReLoadDeviceCfg(getAliasName());
        return;
    }
    // Pages may still hold pointers to the old descriptions until they rebuild: keep them alive.
    for (auto& fun : m_records) {
        m_retiredRecords.push_back(std::move(fun));
    }
    QHash<QString, QPair<QServoValueStates::Row, quint8>> oldValues;
    for (auto it = m_rowIndex.cbegin(); it != m_rowIndex.cend(); ++it) {
        oldValues.insert(it.key(),
                         qMakePair(m_values.row(it.value()), m_rwStatus[static_cast<size_t>(it.value())]));
    }
    m_model = model;
    m_faultStore.setModel(model);
    buildRecords();
    for (auto it = m_rowIndex.cbegin(); it != m_rowIndex.cend(); ++it) {
        const auto old = oldValues.constFind(it.key());
        if (old != oldValues.cend()) {
            m_values.setRow(it.value(), old->first);
            m_rwStatus[static_cast<size_t>(it.value())] = old->second;
        }
    }
    m_readQueue.clearQueued();
    m_unsaved.forgetIf([this](const QString& funIndex) { return rowOf(funIndex) < 0; });
    rebuildGroupMaps();
    initHisFaultFormat(true);
    emit QSignalManager::self()->sigReLoadDeviceCfg(getAliasName());
}
