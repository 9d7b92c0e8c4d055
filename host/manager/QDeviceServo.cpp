#include "QDeviceServo.h"

#include "QCommonMethod.h"
#include "QDatabaseManager.h"
#include "QDefaultValueComparer_Servo.h"
#include "QDeviceManager.h"
#include "QLibLogger.h"
#include "QLibSetting.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QStatistics.h"
#include "QSystemSetting.h"
#include "drive/QFuncodeScaling.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>
#include <log4cplus/loggingmacros.h>

namespace {
// Items per link request: large reads are split so answers keep flowing.
const int kMaxReadItems = 256;

QString readKey(const QString& funIndex, int axis)
{
    return funIndex + QLatin1Char('#') + QString::number(axis);
}

QStringRef groupCodeOf(const QString& funIndex)
{
    const int dot = funIndex.indexOf(QLatin1Char('.'));
    return funIndex.leftRef(dot < 0 ? funIndex.size() : dot);
}

QString trServo(const char* key)
{
    return QCoreApplication::translate("QDeviceServo", key);
}
} // namespace

QDeviceServo::QDeviceServo(const QDriveModelPtr& model, QDriveLink* link, const QString& alias,
                           QObject* parent)
    : QDeviceBase(parent), m_model(model), m_link(link), m_faultStore(model)
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
    connect(m_link, &QDriveLink::currentFaultsRead, this, &QDeviceServo::onCurrentFaultsRead);
    connect(m_link, &QDriveLink::historyRecordsRead, this, &QDeviceServo::onHistoryRead);
    connect(m_link, &QDriveLink::commandFinished, this, &QDeviceServo::onCommandFinished);
    connect(m_link, &QDriveLink::onlineChanged, this, &QDeviceServo::onOnlineChanged);
    connect(m_link, &QDriveLink::faultsChanged, this, &QDeviceServo::onFaultsChanged);
    // After the device's own connections, so that read-back values are stored before the engine sees them.
    m_batchEngine = new QServoBatchEngine(this, m_link);
    connect(QLibSetting::self()->getSystemSetting(), &QSystemSetting::authorityChanged, this, [this]() {
        rebuildGroupMaps();
        emit QSoftCore::getCore()->getSignalManager()->SigStateChanged();
    });
}

QDeviceServo::~QDeviceServo() = default;

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
    const bool aPtp = a.contains(QLatin1String("PtP"));
    const bool bPtp = b.contains(QLatin1String("PtP"));
    if (aPtp != bPtp) {
        return !aPtp;
    }
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    auto numberOf = [](const QString& name) {
        const QString head = name.section(QLatin1Char(' '), 0, 0);
        QRegularExpressionMatchIterator it = digits.globalMatch(head);
        QString last;
        while (it.hasNext()) {
            last = it.next().captured(0);
        }
        return last.isEmpty() ? 0LL : last.toLongLong();
    };
    const qint64 na = numberOf(a);
    const qint64 nb = numberOf(b);
    if (na != nb) {
        return na < nb;
    }
    return a < b;
}

QStringList QDeviceServo::orderGroupName(const QStringList& names)
{
    QStringList sorted = names;
    std::stable_sort(sorted.begin(), sorted.end(), &QDeviceServo::groupNameLessThan);
    return sorted;
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
            const QString key = readKey(fun->funIndex, axis);
            if (m_queuedKeys.contains(key) || m_inFlightKeys.contains(key)) {
                continue;
            }
            m_queuedKeys.insert(key);
            m_readQueue.append({fun->funIndex, axis});
        }
    }
    if (m_readInFlight == 0) {
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
    if (m_readQueue.isEmpty() || !isDeviceOnline()) {
        return;
    }
    QDriveValueList items;
    int count = qMin(kMaxReadItems, m_readQueue.size());
    // A request that has to be cut ends where a group ends, when one ends in it: a link that joins
    // the codes of a group into blocks then needs no extra block for the cut.
    for (int i = count; count < m_readQueue.size() && i > 1; --i) {
        if (groupCodeOf(m_readQueue.at(i - 1).funIndex) != groupCodeOf(m_readQueue.at(i).funIndex)) {
            count = i;
            break;
        }
    }
    items.reserve(count);
    for (int i = 0; i < count; ++i) {
        const PendingRead p = m_readQueue.takeFirst();
        const QString key = readKey(p.funIndex, p.axis);
        m_queuedKeys.remove(key);
        m_inFlightKeys.insert(key);
        items.append(QDriveValueItem(p.funIndex, p.axis));
    }
    m_readInFlight = m_link->requestRead(items);
}

void QDeviceServo::stopReadFuncode(const QString& groupName, int axis)
{
    for (int i = m_readQueue.size() - 1; i >= 0; --i) {
        const PendingRead& p = m_readQueue.at(i);
        const tagSubFuncode_Servo* fun = getFuncodePtrByFunIndex(p.funIndex);
        if (p.axis == axis && fun && fun->groupName == groupName) {
            m_queuedKeys.remove(readKey(p.funIndex, p.axis));
            m_readQueue.removeAt(i);
        }
    }
}

void QDeviceServo::stopReadValue(const QList<tagSubFuncode_Servo*>& list, int axis)
{
    QSet<QString> numbers;
    for (const tagSubFuncode_Servo* fun : list) {
        if (fun) {
            numbers.insert(fun->funIndex);
        }
    }
    for (int i = m_readQueue.size() - 1; i >= 0; --i) {
        const PendingRead& p = m_readQueue.at(i);
        if (p.axis == axis && numbers.contains(p.funIndex)) {
            m_queuedKeys.remove(readKey(p.funIndex, p.axis));
            m_readQueue.removeAt(i);
        }
    }
}

void QDeviceServo::onReadFinished(quint32 requestId, QDriveValueList items)
{
    QStringList changed;
    for (const QDriveValueItem& item : qAsConst(items)) {
        m_inFlightKeys.remove(readKey(item.funIndex, item.axis));
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
    finishAwaited(requestId, items.isEmpty() ? QDriveLink::LINK_OK : items.first().error, items);
    if (requestId == m_readInFlight) {
        m_readInFlight = 0;
    }
    announceChanged(changed);
    if (m_readInFlight == 0) {
        flushReadQueue();
    }
}

void QDeviceServo::finishAwaited(quint32 requestId, int error, const QDriveValueList& items)
{
    if (!m_awaited.contains(requestId)) {
        return;
    }
    m_finishedRequests.insert(requestId, error);
    m_finishedItems.insert(requestId, items);
}

void QDeviceServo::announceChanged(const QStringList& changed)
{
    if (changed.isEmpty()) {
        return;
    }
    emit QSoftCore::getCore()->getSignalManager()->SigFuncodeChanged_Servo(getAliasName(), changed);
}

int QDeviceServo::waitFor(quint32 requestId, int timeoutMs, bool bProcessEvents)
{
    Q_UNUSED(bProcessEvents)
    m_awaited.insert(requestId);
    if (!m_finishedRequests.contains(requestId)) {
        // Only the drive's answer and timers run meanwhile; the user cannot start another edit.
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        auto quitWhenDone = [&loop, this, requestId]() {
            if (m_finishedRequests.contains(requestId)) {
                loop.quit();
            }
        };
        const auto c1 = connect(m_link, &QDriveLink::readFinished, &loop, quitWhenDone, Qt::QueuedConnection);
        const auto c2 =
            connect(m_link, &QDriveLink::writeFinished, &loop, quitWhenDone, Qt::QueuedConnection);
        const auto c3 =
            connect(m_link, &QDriveLink::commandFinished, &loop, quitWhenDone, Qt::QueuedConnection);
        const auto c4 =
            connect(m_link, &QDriveLink::historyRecordsRead, &loop, quitWhenDone, Qt::QueuedConnection);
        const auto c5 =
            connect(m_link, &QDriveLink::currentFaultsRead, &loop, quitWhenDone, Qt::QueuedConnection);
        timer.start(qMax(1, timeoutMs));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        for (const auto& c : {c1, c2, c3, c4, c5}) {
            disconnect(c);
        }
    }
    m_awaited.remove(requestId);
    if (!m_finishedRequests.contains(requestId)) {
        return WRITE_ERR_TIMEOUT;
    }
    return m_finishedRequests.take(requestId);
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
    const quint32 id = m_link->requestRead(items);
    const int error = waitFor(id, timeoutMs, true);
    m_finishedItems.remove(id);
    return linkErrorToWriteError(error);
}

int QDeviceServo::readOneFuncode_Synch(const QString& funIndex, qint64& value, int timeoutMs,
                                       bool bProcessEvents)
{
    if (rowOf(funIndex) < 0) {
        return WRITE_ERR_UNKNOWN_CODE;
    }
    if (!isDeviceOnline()) {
        return WRITE_ERR_OFFLINE;
    }
    const quint32 id = m_link->requestRead({QDriveValueItem(funIndex, AXIS_X)});
    const int error = waitFor(id, timeoutMs, bProcessEvents);
    const QDriveValueList items = m_finishedItems.take(id);
    if (error == WRITE_OK && !items.isEmpty()) {
        value = items.first().value;
    }
    return linkErrorToWriteError(error);
}

// ---------------------------------------------------------------- writing

int QDeviceServo::linkErrorToWriteError(int linkError)
{
    switch (linkError) {
    case QDriveLink::LINK_OK:
        return WRITE_OK;
    case QDriveLink::LINK_ERR_OFFLINE:
        return WRITE_ERR_OFFLINE;
    case QDriveLink::LINK_ERR_TIMEOUT:
        return WRITE_ERR_TIMEOUT;
    case QDriveLink::LINK_ERR_RANGE:
        return WRITE_ERR_RANGE;
    case QDriveLink::LINK_ERR_READ_ONLY:
        return WRITE_ERR_READ_ONLY;
    case QDriveLink::LINK_ERR_UNKNOWN:
        return WRITE_ERR_UNKNOWN_CODE;
    default:
        return WRITE_ERR_REFUSED;
    }
}

int QDeviceServo::checkRights(const tagSubFuncode_Servo* fun, int axis) const
{
    if (!fun || fun->isStateCode) {
        return fun ? WRITE_ERR_READ_ONLY : WRITE_ERR_UNKNOWN_CODE;
    }
    if (axis < 0 || axis >= getAxisNum()) {
        return WRITE_ERR_AXIS;
    }
    if (!isAuthValid(fun->authority, presentAuthority())) {
        return WRITE_ERR_AUTHORITY;
    }
    if (fun->rwLevel != 1 && fun->rwLevel != 2) {
        return WRITE_ERR_READ_ONLY;
    }
    if (m_osciRunning &&
        (fun->funIndex == m_model->osciFirstCode || m_model->osciNoEditCodes.contains(fun->funIndex))) {
        return WRITE_ERR_OSCI;
    }
    if (!isDeviceOnline()) {
        return WRITE_ERR_OFFLINE;
    }
    return WRITE_OK;
}

int QDeviceServo::checkWriteValue(const QString& funIndex, double value, int axis, QString* reason) const
{
    const tagSubFuncode_Servo* fun = getFuncodePtrByFunIndex(funIndex);
    int error = checkRights(fun, axis);
    if (error == WRITE_OK && !QFuncodeScaling::isRawInRange(*fun, scaledToRaw(fun, value))) {
        error = WRITE_ERR_RANGE;
    }
    if (reason) {
        *reason = error == WRITE_OK ? QString() : getErrorReasonStr(error);
    }
    return error;
}

int QDeviceServo::checkWriteRawValue(const QString& funIndex, qint64 rawValue, int axis) const
{
    const tagSubFuncode_Servo* fun = getFuncodePtrByFunIndex(funIndex);
    const int error = checkRights(fun, axis);
    if (error != WRITE_OK) {
        return error;
    }
    return QFuncodeScaling::isRawInRange(*fun, rawValue) ? WRITE_OK : WRITE_ERR_RANGE;
}

int QDeviceServo::convertAddr(const QString& addr)
{
    return QCommonMethod::addressToInt(addr);
}

int QDeviceServo::writeRaw(const QString& funIndex, int axis, qint64 raw, int timeoutMs)
{
    ValueSlot* s = slot(funIndex);
    const quint32 id = m_link->requestWrite({QDriveValueItem(funIndex, axis, raw)});
    const int linkError = waitFor(id, timeoutMs, true);
    m_finishedItems.remove(id);
    const int error = linkErrorToWriteError(linkError);
    if (s) {
        s->rwStatus = error == WRITE_OK ? RW_STATUS_WRITE_OK : RW_STATUS_WRITE_FAILED;
    }
    return error;
}

void QDeviceServo::onWriteFinished(quint32 requestId, QDriveValueList items, qint64 driveTime)
{
    int error = QDriveLink::LINK_OK;
    for (const QDriveValueItem& item : qAsConst(items)) {
        if (item.error != QDriveLink::LINK_OK) {
            error = item.error;
            break;
        }
    }
    m_lastDriveTime = driveTime;
    finishAwaited(requestId, error, items);
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
    error = writeRaw(funIndex, AXIS_X, rawValue, timeoutMs);
    if (error == WRITE_OK) {
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
    switch (error) {
    case WRITE_OK:
        return QString();
    case WRITE_ERR_OFFLINE:
        return trServo("STR_WRITE_ERR_OFFLINE");
    case WRITE_ERR_TIMEOUT:
        return trServo("STR_WRITE_ERR_TIMEOUT");
    case WRITE_ERR_RANGE:
        return trServo("STR_WRITE_ERR_RANGE");
    case WRITE_ERR_READ_ONLY:
        return trServo("STR_WRITE_ERR_READ_ONLY");
    case WRITE_ERR_UNKNOWN_CODE:
        return trServo("STR_WRITE_ERR_UNKNOWN_CODE");
    case WRITE_ERR_AUTHORITY:
        return trServo("STR_WRITE_ERR_AUTHORITY");
    case WRITE_ERR_OSCI:
        return trServo("STR_WRITE_ERR_OSCI");
    case WRITE_ERR_AXIS:
        return trServo("STR_WRITE_ERR_AXIS");
    case WRITE_ERR_BUSY:
        return trServo("STR_WRITE_ERR_BUSY");
    default:
        return m_link->refusalReason().isEmpty()
                   ? trServo("STR_WRITE_ERR_REFUSED")
                   : QStringLiteral("%1 (%2)").arg(trServo("STR_WRITE_ERR_REFUSED"), m_link->refusalReason());
    }
}

bool QDeviceServo::isWritePermitted(QString* reason) const
{
    if (!isDeviceOnline()) {
        if (reason) {
            *reason = getErrorReasonStr(WRITE_ERR_OFFLINE);
        }
        return false;
    }
    if (m_osciRunning) {
        if (reason) {
            *reason = trServo("STR_WRITE_WHILE_OSCI_RUNNING");
        }
        return false;
    }
    const QString refusal = m_link->refusalReason();
    if (!refusal.isEmpty()) {
        if (reason) {
            *reason = refusal;
        }
        return false;
    }
    if (reason) {
        reason->clear();
    }
    return true;
}

// ---------------------------------------------------------------- saved state

void QDeviceServo::setParamUnsaved(int axis, const QString& funIndex)
{
    ValueSlot* s = slot(funIndex);
    if (!s || axis < 0 || axis > 2) {
        return;
    }
    s->unsaved[static_cast<size_t>(axis)] = true;
}

bool QDeviceServo::isParamUnsaved(const QString& funIndex, int axis) const
{
    const ValueSlot* s = slot(funIndex);
    return s && axis >= 0 && axis < 3 && s->unsaved[static_cast<size_t>(axis)];
}

QString QDeviceServo::getSavedStr(const QString& funIndex) const
{
    const ValueSlot* s = slot(funIndex);
    if (!s) {
        return QString();
    }
    for (int axis = 0; axis < getAxisNum(); ++axis) {
        if (s->unsaved[static_cast<size_t>(axis)]) {
            return trServo("STR_UNSAVED");
        }
    }
    return trServo("STR_SAVED");
}

QColor QDeviceServo::getSaveColor(const QString& funIndex) const
{
    const ValueSlot* s = slot(funIndex);
    if (s) {
        for (int axis = 0; axis < getAxisNum(); ++axis) {
            if (s->unsaved[static_cast<size_t>(axis)]) {
                return QColor(255, 214, 153);
            }
        }
    }
    return QColor(Qt::white);
}

bool QDeviceServo::saveAllFuncode(int axis)
{
    if (!isDeviceOnline() || axis < 0 || axis >= getAxisNum()) {
        return false;
    }
    const quint32 id = m_link->requestSaveAll(axis);
    if (waitFor(id, m_commuParams.timeoutMs * 5, true) != QDriveLink::LINK_OK) {
        return false;
    }
    for (ValueSlot& s : m_values) {
        s.unsaved[static_cast<size_t>(axis)] = false;
    }
    return true;
}

bool QDeviceServo::resetDevice(int axis)
{
    if (!isDeviceOnline() || axis < 0 || axis >= getAxisNum()) {
        return false;
    }
    const quint32 id = m_link->requestReset(axis);
    if (waitFor(id, m_commuParams.timeoutMs * 5, true) != QDriveLink::LINK_OK) {
        return false;
    }
    for (ValueSlot& s : m_values) {
        s.unsaved[static_cast<size_t>(axis)] = false;
    }
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
    return m_selList.contains(funIndex);
}

void QDeviceServo::appendSelSubFuncode(const QString& funIndex)
{
    if (funIndex.isEmpty() || m_selList.contains(funIndex) || rowOf(funIndex) < 0) {
        return;
    }
    m_selList.append(funIndex);
    emit projectDataChanged();
}

void QDeviceServo::removeSelSubFuncode(const QString& funIndex)
{
    if (m_selList.removeAll(funIndex) > 0) {
        emit projectDataChanged();
    }
}

void QDeviceServo::removeAllSelSubFuncode()
{
    if (m_selList.isEmpty()) {
        return;
    }
    m_selList.clear();
    emit projectDataChanged();
}

void QDeviceServo::upSelSubFuncodeList(const QString& funIndex)
{
    const int pos = m_selList.indexOf(funIndex);
    if (pos <= 0) {
        return;
    }
    m_selList.swapItemsAt(pos, pos - 1);
    emit projectDataChanged();
}

void QDeviceServo::downSelSubFuncodeList(const QString& funIndex)
{
    const int pos = m_selList.indexOf(funIndex);
    if (pos < 0 || pos >= m_selList.size() - 1) {
        return;
    }
    m_selList.swapItemsAt(pos, pos + 1);
    emit projectDataChanged();
}

void QDeviceServo::setSelSubFuncodeList(const QStringList& list)
{
    QStringList cleaned;
    for (const QString& funIndex : list) {
        if (!cleaned.contains(funIndex)) {
            cleaned.append(funIndex);
        }
    }
    if (cleaned == m_selList) {
        return;
    }
    m_selList = cleaned;
    emit projectDataChanged();
}

// ---------------------------------------------------------------- oscilloscope and motor

void QDeviceServo::setOsciRunning(bool running)
{
    if (running == m_osciRunning) {
        return;
    }
    m_osciRunning = running;
    emit QSoftCore::getCore()->getSignalManager()->SigFuncodeChanged_Servo(
        getAliasName(), QStringList{m_model->osciFirstCode} + m_model->osciNoEditCodes);
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
    if (isDeviceOnline()) {
        m_link->requestCurrentFaults();
    }
}

bool QDeviceServo::clearCurFaults()
{
    if (!isDeviceOnline()) {
        return false;
    }
    const quint32 id = m_link->requestClearFaults();
    const bool ok = waitFor(id, m_commuParams.timeoutMs, true) == QDriveLink::LINK_OK;
    readCurFaults();
    return ok;
}

void QDeviceServo::onCurrentFaultsRead(quint32 requestId, QDriveFaultList faults, int error)
{
    finishAwaited(requestId, error);
    if (error != QDriveLink::LINK_OK) {
        return;
    }
    const int change = m_faultStore.setCurFaults(faults);
    if (change == QServoFaultStore::FAULTS_UNCHANGED) {
        return;
    }
    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    emit curFaultsChanged();
    emit hub->SigDeviceFaultChanged(getAliasName());
    if (change & QServoFaultStore::FAULTS_NEW) {
        emit hub->SigDeviceNewFaultArrived(getAliasName());
    } else if (change & QServoFaultStore::FAULTS_ALL_CLEARED) {
        emit hub->SigCurFaultHasClear(getAliasName());
    }
}

void QDeviceServo::OnReadFaultFuncode(int axis)
{
    setFaultAxisIndex(axis);
    readCurFaults();
}

void QDeviceServo::onFaultsChanged()
{
    readCurFaults();
    for (int axis = 0; axis < getAxisNum(); ++axis) {
        readHisFaultFuncode(axis, false);
    }
}

void QDeviceServo::readHisFaultFuncode(int axis, bool bWait)
{
    if (!isDeviceOnline() || axis < 0 || axis >= getAxisNum()) {
        return;
    }
    const quint32 id = m_link->requestHistoryRecords(axis);
    if (bWait) {
        waitFor(id, m_commuParams.timeoutMs, true);
    }
}

void QDeviceServo::onHistoryRead(quint32 requestId, int axis, QList<QByteArray> records, int error)
{
    finishAwaited(requestId, error);
    if (error != QDriveLink::LINK_OK || !m_faultStore.setHistoryRecords(axis, records)) {
        return;
    }
    emit QSoftCore::getCore()->getSignalManager()->SigHistoryFaultChanged(getAliasName());
}

void QDeviceServo::initHisFaultFormat(bool bFromDatabase)
{
    if (m_faultStore.loadFormat(bFromDatabase, m_deviceInfo)) {
        emit QSoftCore::getCore()->getSignalManager()->SigHistoryFaultChanged(getAliasName());
    }
}

bool QDeviceServo::clearHistoryFault(int axis)
{
    if (!isDeviceOnline() || axis < 0 || axis >= getAxisNum()) {
        return false;
    }
    const quint32 id = m_link->requestClearHistory(axis);
    const bool ok = waitFor(id, m_commuParams.timeoutMs, true) == QDriveLink::LINK_OK;
    readHisFaultFuncode(axis, true);
    return ok;
}

void QDeviceServo::onCommandFinished(quint32 requestId, int error)
{
    finishAwaited(requestId, error);
}

void QDeviceServo::onOnlineChanged(bool online)
{
    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    if (!online) {
        // Queued reads would only fail; the views ask again when the drive is back.
        m_readQueue.clear();
        m_queuedKeys.clear();
        emit hub->SigDevStatus(getAliasName(), 1, trServo("STR_DEVICE_OFFLINE"));
        return;
    }
    m_readInFlight = 0;
    m_inFlightKeys.clear();
    emit hub->SigDevStatus(getAliasName(), 0, trServo("STR_DEVICE_ONLINE"));
    readCurFaults();
    flushReadQueue(); // reads asked for while the link was still connecting
}

// ---------------------------------------------------------------- presentation

QIcon QDeviceServo::getCheckIcon(bool checked)
{
    static const QIcon on(QStringLiteral(":/img/Funcode/check_on"));
    static const QIcon off(QStringLiteral(":/img/Funcode/check_off"));
    return checked ? on : off;
}

QIcon QDeviceServo::getRWLevelIcon(int rwLevel)
{
    static const QIcon icons[] = {
        QIcon(QStringLiteral(":/img/Funcode/rw_1")), QIcon(QStringLiteral(":/img/Funcode/rw_0")),
        QIcon(QStringLiteral(":/img/Funcode/rw_4")), QIcon(QStringLiteral(":/img/Funcode/rw_3"))};
    if (rwLevel < 0 || rwLevel > 3) {
        return QIcon(QStringLiteral(":/img/Funcode/rw_2"));
    }
    return icons[rwLevel];
}

QIcon QDeviceServo::getEffectIcon(int effectStyle)
{
    static const QIcon icons[] = {QIcon(QStringLiteral(":/img/Servo/Effect_0")),
                                  QIcon(QStringLiteral(":/img/Servo/Effect_1")),
                                  QIcon(QStringLiteral(":/img/Servo/Effect_2"))};
    return (effectStyle >= 0 && effectStyle <= 2) ? icons[effectStyle] : QIcon();
}

QString QDeviceServo::getEffectStr(int effectStyle)
{
    switch (effectStyle) {
    case 0:
        return trServo("STR_INSTANT_EFFECT");
    case 1:
        return trServo("STR_RESET_EFFECT");
    case 2:
        return trServo("STR_STOP_EFFECT");
    default:
        return QString();
    }
}

QString QDeviceServo::getAxisName(int axis)
{
    switch (axis) {
    case AXIS_X:
        return QStringLiteral("X");
    case AXIS_Y:
        return QStringLiteral("Y");
    case AXIS_Z:
        return QStringLiteral("Z");
    default:
        return QString();
    }
}

QString QDeviceServo::getDataTypeStr(int dataType)
{
    switch (dataType) {
    case 3:
        return QStringLiteral("INT16");
    case 4:
        return QStringLiteral("UINT16");
    case 7:
        return QStringLiteral("INT32");
    case 8:
        return QStringLiteral("UINT32");
    case 15:
        return QStringLiteral("INT64");
    default:
        return QString::number(dataType);
    }
}

int QDeviceServo::getReadWriteStatus(const QString& funIndex) const
{
    const ValueSlot* s = slot(funIndex);
    return s ? static_cast<int>(s->rwStatus) : static_cast<int>(RW_STATUS_NONE);
}

QIcon QDeviceServo::getReadWriteStatusIcon(const QString& funIndex) const
{
    static const QIcon readOk(QStringLiteral(":/img/Funcode/status_read_ok"));
    static const QIcon readFailed(QStringLiteral(":/img/Funcode/status_read_failed"));
    static const QIcon writeOk(QStringLiteral(":/img/Funcode/status_write_ok"));
    static const QIcon writeFailed(QStringLiteral(":/img/Funcode/status_write_failed"));
    switch (getReadWriteStatus(funIndex)) {
    case RW_STATUS_READ_OK:
        return readOk;
    case RW_STATUS_READ_FAILED:
        return readFailed;
    case RW_STATUS_WRITE_OK:
        return writeOk;
    case RW_STATUS_WRITE_FAILED:
        return writeFailed;
    default:
        return QIcon();
    }
}

// ---------------------------------------------------------------- reload

void QDeviceServo::reloadDeviceConfig(const QDriveModelPtr& model)
{
    if (!model) {
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
    m_readQueue.clear();
    m_queuedKeys.clear();
    rebuildGroupMaps();
    initHisFaultFormat(true);
    emit QSoftCore::getCore()->getSignalManager()->sigReLoadDeviceCfg(getAliasName());
}
