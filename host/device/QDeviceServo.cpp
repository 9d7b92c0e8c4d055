#include "QDeviceServo.h"

#include "QCommonMethod.h"
#include "QDatabaseManager.h"
#include "QDefaultValueComparer_Servo.h"
#include "QDeviceManager.h"
#include "QFuncodeScaling.h"
#include "QLibLogger.h"
#include "QLibSetting.h"
#include "QServoFaultRequests.h"
#include "QServoGroupOrder.h"
#include "QServoPresentation.h"
#include "QServoRequestWaiter.h"
#include "QServoWriteRules.h"
#include "QSignalManager.h"
#include "QStatistics.h"
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
    m_faults = new QServoFaultRequests(*this, m_faultStore, *m_requests);
    connect(m_link, &QDriveLink::onlineChanged, this, &QDeviceServo::onOnlineChanged);
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
    m_values.assign(static_cast<size_t>(m_model->codes.size()), ValueSlot());
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

bool QDeviceServo::groupNameLessThan(const QString& a, const QString& b)
{
    return QServoGroupOrder::lessThan(a, b);
}

QStringList QDeviceServo::orderGroupName(const QStringList& names)
{
    return QServoGroupOrder::sorted(names);
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

QDeviceServo::ValueSlot* QDeviceServo::slot(const QString& funIndex)
{
    const int row = rowOf(funIndex);
    return row < 0 ? nullptr : &m_values[row];
}

const QDeviceServo::ValueSlot* QDeviceServo::slot(const QString& funIndex) const
{
    const int row = rowOf(funIndex);
    return row < 0 ? nullptr : &m_values.at(row);
}

qint64 QDeviceServo::getCurValue(const QString& funIndex, int axis) const
{
    const ValueSlot* s = slot(funIndex);
    if (!s || axis < 0 || axis > 2) {
        return 0;
    }
    return s->raw[static_cast<size_t>(axis)];
}

double QDeviceServo::getScaledCurValue(const QString& funIndex, int axis) const
{
    const tagSubFuncode_Servo* fun = getFuncodePtrByFunIndex(funIndex);
    return fun ? rawToScaled(fun, getCurValue(funIndex, axis)) : 0.0;
}

QString QDeviceServo::getScaledCurValueStr(const QString& funIndex, int axis) const
{
    const ValueSlot* s = slot(funIndex);
    if (!s || axis < 0 || axis >= getAxisNum()) {
        return QString();
    }
    switch (s->state[static_cast<size_t>(axis)]) {
    case 0:
        return QString();
    case 2:
        return QStringLiteral("null");
    default:
        return getShowStr(getFuncodePtrByFunIndex(funIndex), s->raw[static_cast<size_t>(axis)]);
    }
}

QString QDeviceServo::getScaledDefaultValueStr(const QString& funIndex, int axis) const
{
    Q_UNUSED(axis)
    const tagSubFuncode_Servo* fun = getFuncodePtrByFunIndex(funIndex);
    if (!fun) {
        return QString();
    }
    qint64 raw = 0;
    if (!QFuncodeScaling::descriptionToRaw(*fun, fun->defaultVal, &raw)) {
        return fun->defaultVal;
    }
    return getShowStr(fun, raw);
}

QString QDeviceServo::getScaledValueString(int showType, int precision, const QString& rawText) const
{
    return QFuncodeScaling::descriptionText(showType, getDecimals(precision), rawText);
}

QString QDeviceServo::getShowStr(const tagSubFuncode_Servo* fun, qint64 rawValue) const
{
    return fun ? QFuncodeScaling::showText(*fun, rawValue) : QString::number(rawValue);
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
    const ValueSlot* s = slot(funIndex);
    return s && axis >= 0 && axis < 3 && s->state[static_cast<size_t>(axis)] == 1;
}

QList<QStringList> QDeviceServo::getCompareFuncodeDefault() const
{
    return QDefaultValueComparer_Servo(*this).differingRows();
}

// ---------------------------------------------------------------- reading

void QDeviceServo::readFuncode(const QList<tagSubFuncode_Servo*>& list)
{
    if (!isDeviceOnline()) {
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
    if (!m_readQueue.hasInFlight()) {
        flushReadQueue();
    }
}

void QDeviceServo::readAllFuncode()
{
    QList<tagSubFuncode_Servo*> all;
    all.reserve(static_cast<int>(m_records.size()));
    for (const auto& fun : m_records) {
        all.append(fun.get());
    }
    readFuncode(all);
}

void QDeviceServo::flushReadQueue()
{
    if (m_readQueue.pendingCount() == 0 || !isDeviceOnline()) {
        return;
    }
    const QDriveValueList items = m_readQueue.takeBatch(kMaxReadItems);
    m_readQueue.setInFlight(m_link->requestRead(items));
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

void QDeviceServo::onReadFinished(quint32 requestId, QDriveValueList items)
{
    m_readQueue.answered(requestId, items);
    QStringList changed;
    for (const QDriveValueItem& item : qAsConst(items)) {
        ValueSlot* s = slot(item.funIndex);
        if (!s || item.axis < 0 || item.axis > 2) {
            continue;
        }
        const size_t axis = static_cast<size_t>(item.axis);
        const bool ok = item.error == QDriveLink::LINK_OK;
        const quint8 newState = ok ? 1 : 2;
        const bool differs = s->state[axis] != newState || (ok && s->raw[axis] != item.value);
        s->state[axis] = newState;
        if (ok) {
            s->raw[axis] = item.value;
        }
        s->rwStatus = ok ? RW_STATUS_READ_OK : RW_STATUS_READ_FAILED;
        if (differs && !changed.contains(item.funIndex)) {
            changed.append(item.funIndex);
        }
    }
    announceChanged(changed);
    if (!m_readQueue.hasInFlight()) {
        flushReadQueue();
    }
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

int QDeviceServo::checkWriteValue(const QString& funIndex, double value, int axis, QString* reason) const
{
    return QServoWriteRules(*this).checkValue(funIndex, value, axis, reason);
}

int QDeviceServo::checkWriteRawValue(const QString& funIndex, qint64 rawValue, int axis) const
{
    return QServoWriteRules(*this).checkRawValue(funIndex, rawValue, axis);
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
    // The slot is looked up after the wait: the device may have reloaded its descriptions.
    ValueSlot* s = slot(funIndex);
    if (s) {
        s->rwStatus = error == WRITE_OK ? RW_STATUS_WRITE_OK : RW_STATUS_WRITE_FAILED;
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

bool QDeviceServo::modifyFuncodeValueWithRecord(const QString& funIndex, double value, int axis)
{
    QString reason;
    m_lastWriteError = checkWriteValue(funIndex, value, axis, &reason);
    if (m_lastWriteError != WRITE_OK) {
        LOG4CPLUS_INFO(QLibLogger::self()->getDefaultLogger(),
                       "Write of " << funIndex.toStdString() << " refused: " << reason.toStdString());
        return false;
    }
    const tagSubFuncode_Servo* fun = getFuncodePtrByFunIndex(funIndex);
    const bool oldKnown = hasValue(funIndex, axis);
    const qint64 oldRaw = getCurValue(funIndex, axis);
    snapshotRelated(fun, axis);
    QPointer<QDeviceServo> guard(this);
    m_lastWriteError = writeRaw(funIndex, axis, scaledToRaw(fun, value), m_commuParams.timeoutMs);
    if (!guard) {
        return false;
    }
    if (m_lastWriteError != WRITE_OK) {
        return false;
    }
    m_lastModifyTime = static_cast<int>(m_lastDriveTime);
    readBack(QStringList{funIndex} + getReleParamListByFunIndex(funIndex), axis, m_commuParams.timeoutMs);
    if (!guard) {
        return false;
    }
    const qint64 newRaw = getCurValue(funIndex, axis);
    if (!oldKnown || oldRaw != newRaw) {
        recordStatistics(funIndex, axis, rawToScaled(fun, oldRaw), rawToScaled(fun, newRaw));
    }
    return true;
}

int QDeviceServo::writeOneFuncode_Synch(const QString& funIndex, qint64 rawValue, int timeoutMs,
                                        bool bProcessEvents)
{
    Q_UNUSED(bProcessEvents)
    int error = checkWriteRawValue(funIndex, rawValue, AXIS_X);
    if (error != WRITE_OK) {
        return error;
    }
    snapshotRelated(getFuncodePtrByFunIndex(funIndex), AXIS_X);
    QPointer<QDeviceServo> guard(this);
    error = writeRaw(funIndex, AXIS_X, rawValue, timeoutMs);
    if (guard && error == WRITE_OK) {
        m_lastModifyTime = static_cast<int>(m_lastDriveTime);
        readBack(QStringList{funIndex} + getReleParamListByFunIndex(funIndex), AXIS_X, timeoutMs);
    }
    return error;
}

void QDeviceServo::recordStatistics(const QString& funIndex, int axis, double oldScaled, double newScaled)
{
    tagFuncodeModifyData event;
    event.timeStamp = m_lastModifyTime;
    event.oldValue = oldScaled;
    event.newValue = newScaled;
    event.axisIndex = axis;
    QDatabaseManager::self()->getStatisticsDatabase()->addFuncodeModifyEvent(getAliasName(), funIndex, event);
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
    if (!fun || fun->relateParam.isEmpty()) {
        return {};
    }
    QStringList list;
    const QStringList parts =
        fun->relateParam.split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (!list.contains(part)) {
            list.append(part);
        }
    }
    return list;
}

QMap<QString, QString> QDeviceServo::getReleParamOldValMapByFunIndex(const QString& funIndex) const
{
    return m_relateOldValues.value(funIndex);
}

// ---------------------------------------------------------------- monitored list

bool QDeviceServo::isSubFuncodeSelected(const QString& funIndex) const
{
    return m_monitored.contains(funIndex);
}

void QDeviceServo::appendSelSubFuncode(const QString& funIndex)
{
    if (rowOf(funIndex) >= 0 && m_monitored.append(funIndex)) {
        emit projectDataChanged();
    }
}

void QDeviceServo::removeSelSubFuncode(const QString& funIndex)
{
    if (m_monitored.remove(funIndex)) {
        emit projectDataChanged();
    }
}

void QDeviceServo::removeAllSelSubFuncode()
{
    if (m_monitored.clear()) {
        emit projectDataChanged();
    }
}

void QDeviceServo::upSelSubFuncodeList(const QString& funIndex)
{
    if (m_monitored.moveUp(funIndex)) {
        emit projectDataChanged();
    }
}

void QDeviceServo::downSelSubFuncodeList(const QString& funIndex)
{
    if (m_monitored.moveDown(funIndex)) {
        emit projectDataChanged();
    }
}

void QDeviceServo::setSelSubFuncodeList(const QStringList& list)
{
    if (m_monitored.assign(list)) {
        emit projectDataChanged();
    }
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
    if (!online) {
        // Queued reads would only fail; the views ask again when the drive is back.
        m_readQueue.clearQueued();
        emit hub->SigDevStatus(getAliasName(), 1, trServo("STR_DEVICE_OFFLINE"));
        return;
    }
    m_readQueue.forgetInFlight();
    emit hub->SigDevStatus(getAliasName(), 0, trServo("STR_DEVICE_ONLINE"));
    readCurFaults();
    flushReadQueue(); // reads asked for while the link was still connecting
}

// ---------------------------------------------------------------- presentation

QIcon QDeviceServo::getCheckIcon(bool checked)
{
    return QServoPresentation::checkIcon(checked);
}

QIcon QDeviceServo::getRWLevelIcon(int rwLevel)
{
    return QServoPresentation::rwLevelIcon(rwLevel);
}

QIcon QDeviceServo::getEffectIcon(int effectStyle)
{
    return QServoPresentation::effectIcon(effectStyle);
}

QString QDeviceServo::getEffectStr(int effectStyle)
{
    return QServoPresentation::effectText(effectStyle);
}

QString QDeviceServo::getAxisName(int axis)
{
    return QServoPresentation::axisName(axis);
}

QString QDeviceServo::getDataTypeStr(int dataType)
{
    return QServoPresentation::dataTypeText(dataType);
}

int QDeviceServo::getReadWriteStatus(const QString& funIndex) const
{
    const ValueSlot* s = slot(funIndex);
    return s ? static_cast<int>(s->rwStatus) : static_cast<int>(RW_STATUS_NONE);
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
    QHash<QString, ValueSlot> oldValues;
    for (auto it = m_rowIndex.cbegin(); it != m_rowIndex.cend(); ++it) {
        oldValues.insert(it.key(), m_values.at(it.value()));
    }
    m_model = model;
    m_faultStore.setModel(model);
    buildRecords();
    for (auto it = m_rowIndex.cbegin(); it != m_rowIndex.cend(); ++it) {
        if (oldValues.contains(it.key())) {
            m_values[it.value()] = oldValues.value(it.key());
        }
    }
    m_readQueue.clearQueued();
    m_unsaved.forgetIf([this](const QString& funIndex) { return rowOf(funIndex) < 0; });
    rebuildGroupMaps();
    initHisFaultFormat(true);
    emit QSignalManager::self()->sigReLoadDeviceCfg(getAliasName());
}
