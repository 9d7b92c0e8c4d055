#include "QModbusDriveLink.h"

#include "QLibLogger.h"
#include "QModbusLinkTransport.h"
#include "QModbusRtuTransport.h"
#include "QModbusTcpTransport.h"

#include <QDateTime>

namespace {
// A connection that is not made in this time is given up (a drive that vanished from the network).
const int kMinConnectTimeoutMs = 2000;

int exceptionToError(int code)
{
    switch (code) {
    case 1: // illegal function
        return QDriveLink::LINK_ERR_READ_ONLY;
    case 2: // illegal data address
        return QDriveLink::LINK_ERR_UNKNOWN;
    case 3: // illegal data value
        return QDriveLink::LINK_ERR_RANGE;
    default: // device failure, busy and the rest: the drive will not do it now
        return QDriveLink::LINK_ERR_REFUSED;
    }
}

void appendWord(QByteArray* pdu, quint16 value)
{
    pdu->append(static_cast<char>(value >> 8));
    pdu->append(static_cast<char>(value & 0xFF));
}

// Function 3 for a read, 6 for a write of one register, 16 for more.
QByteArray requestPdu(const QModbusOperation& op)
{
    QByteArray pdu;
    if (op.kind == QModbusOperation::Read) {
        pdu.append(static_cast<char>(QModbusReplyFramer::kReadHolding));
        appendWord(&pdu, static_cast<quint16>(op.address));
        appendWord(&pdu, static_cast<quint16>(op.count));
        return pdu;
    }
    if (op.values.size() == 1) {
        pdu.append(static_cast<char>(QModbusReplyFramer::kWriteSingle));
        appendWord(&pdu, static_cast<quint16>(op.address));
        appendWord(&pdu, op.values.first());
        return pdu;
    }
    pdu.append(static_cast<char>(QModbusReplyFramer::kWriteMultiple));
    appendWord(&pdu, static_cast<quint16>(op.address));
    appendWord(&pdu, static_cast<quint16>(op.values.size()));
    pdu.append(static_cast<char>(op.values.size() * 2));
    for (quint16 value : op.values) {
        appendWord(&pdu, value);
    }
    return pdu;
}

// The registers of a read reply whose byte count the framer has checked.
QVector<quint16> registersOf(const QByteArray& pdu)
{
    QVector<quint16> words;
    words.reserve((pdu.size() - 2) / 2);
    for (int at = 2; at + 1 < pdu.size(); at += 2) {
        words.append(static_cast<quint16>((quint8(pdu.at(at)) << 8) | quint8(pdu.at(at + 1))));
    }
    return words;
}

QModbusLinkTransport* transportFor(const QDriveLinkSettings& settings)
{
    if (settings.kind == QDriveLinkSettings::ModbusRtu) {
        return new QModbusRtuTransport(settings);
    }
    return new QModbusTcpTransport(settings.host, settings.port,
                                   qMax(kMinConnectTimeoutMs, 2 * settings.timeoutMs));
}
} // namespace

QModbusDriveLink::QModbusDriveLink(const QDriveModelPtr& model, const QDriveLinkSettings& settings,
                                   QObject* parent)
    : QModbusDriveLink(model, settings, transportFor(settings), parent)
{
}

QModbusDriveLink::QModbusDriveLink(const QDriveModelPtr& model, const QDriveLinkSettings& settings,
                                   QModbusLinkTransport* transport, QObject* parent)
    : QDriveLink(parent), m_settings(settings), m_map(model)
{
    m_probeTimer.setSingleShot(true);
    connect(&m_probeTimer, &QTimer::timeout, this, &QModbusDriveLink::probe);
    m_holdTimer.setSingleShot(true);
    connect(&m_holdTimer, &QTimer::timeout, this, &QModbusDriveLink::schedulePump);
    m_statusTimer.setSingleShot(true);
    m_statusTimer.setInterval(kStatusPollMs);
    connect(&m_statusTimer, &QTimer::timeout, this,
            [this]() { enqueue(QModbusTransaction::readStatus(nextRequestId()), true); });
    m_replyTimer.setSingleShot(true);
    m_replyTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_replyTimer, &QTimer::timeout, this, &QModbusDriveLink::onReplyTimeout);
    m_offlineReason = tr("STR_LINK_OFFLINE_CONNECTING");
    attach(transport);
    m_probeTimer.start(0);
}

QModbusDriveLink::~QModbusDriveLink()
{
    disconnect(m_transport, nullptr, this, nullptr);
    m_transport->close();
}

void QModbusDriveLink::attach(QModbusLinkTransport* transport)
{
    m_transport = transport;
    m_transport->setParent(this);
    connect(m_transport, &QModbusLinkTransport::opened, this, &QModbusDriveLink::onOpened);
    connect(m_transport, &QModbusLinkTransport::closed, this, &QModbusDriveLink::onClosed);
    connect(m_transport, &QModbusLinkTransport::replied, this, &QModbusDriveLink::onReplied);
    connect(m_transport, &QModbusLinkTransport::garbled, this, &QModbusDriveLink::onGarbled);
}

void QModbusDriveLink::setRetryPauses(int firstMs, int lastMs)
{
    m_firstRetryMs = qMax(0, firstMs);
    m_lastRetryMs = qMax(m_firstRetryMs, lastMs);
    m_retryMs = m_firstRetryMs;
}

// ---------------------------------------------------------------- requests

quint32 QModbusDriveLink::enqueue(QModbusTransaction transaction, bool first)
{
    const quint32 id = transaction.id();
    if (first) {
        m_queue.prepend(transaction);
    } else {
        m_queue.append(transaction);
    }
    schedulePump();
    return id;
}

quint32 QModbusDriveLink::requestRead(const QDriveValueList& items)
{
    countRead(items.size());
    return enqueue(QModbusTransaction::readValues(nextRequestId(), items));
}

quint32 QModbusDriveLink::requestWrite(const QDriveValueList& items)
{
    countWrite();
    return enqueue(QModbusTransaction::writeValues(nextRequestId(), items));
}

quint32 QModbusDriveLink::requestCurrentFaults()
{
    return enqueue(QModbusTransaction::readFaults(nextRequestId()));
}

quint32 QModbusDriveLink::requestClearFaults()
{
    return enqueue(QModbusTransaction::command(nextRequestId(), 0, QModbusRegisterMap::COMMAND_CLEAR_FAULTS));
}

quint32 QModbusDriveLink::requestHistoryRecords(int axis)
{
    return enqueue(QModbusTransaction::readHistory(nextRequestId(), axis));
}

quint32 QModbusDriveLink::requestClearHistory(int axis)
{
    return enqueue(
        QModbusTransaction::command(nextRequestId(), axis, QModbusRegisterMap::COMMAND_CLEAR_HISTORY));
}

quint32 QModbusDriveLink::requestSaveAll(int axis)
{
    return enqueue(QModbusTransaction::command(nextRequestId(), axis, QModbusRegisterMap::COMMAND_SAVE_ALL));
}

quint32 QModbusDriveLink::requestReset(int axis)
{
    return enqueue(QModbusTransaction::command(nextRequestId(), axis, QModbusRegisterMap::COMMAND_RESET));
}

// ---------------------------------------------------------------- sending, one at a time

void QModbusDriveLink::schedulePump()
{
    // Answers never come from inside a request call: the queue moves on the next pass of the loop.
    if (m_pumpScheduled) {
        return;
    }
    m_pumpScheduled = true;
    QMetaObject::invokeMethod(this, &QModbusDriveLink::pump, Qt::QueuedConnection);
}

int QModbusDriveLink::nextTransaction() const
{
    for (int i = 0; i < m_queue.size(); ++i) {
        if (!m_queue.at(i).isRead()) {
            return i;
        }
    }
    return 0;
}

void QModbusDriveLink::startTransaction(int index)
{
    QModbusTransaction& t = m_queue[index];
    if (t.isRead()) {
        // Reads that wait together are read together: their codes share blocks.
        for (int i = index + 1; i < m_queue.size();) {
            if (m_queue.at(i).isRead() && !m_queue.at(i).isPlanned()) {
                t.absorb(m_queue.takeAt(i));
            } else {
                ++i;
            }
        }
    }
    m_queue[index].plan(m_map);
}

void QModbusDriveLink::pump()
{
    m_pumpScheduled = false;
    if (!m_online) {
        failQueue(LINK_ERR_OFFLINE);
        return;
    }
    // While a renewed connection is being made the queue waits for it.
    while (!m_queue.isEmpty() && !m_inFlight.active && !m_holdTimer.isActive() && m_online &&
           m_transport->isOpen()) {
        const int index = nextTransaction();
        if (!m_queue.at(index).isPlanned()) {
            startTransaction(index);
        }
        QModbusTransaction& t = m_queue[index];
        if (t.hasNext()) {
            send(t.takeNext(), t.id());
            continue;
        }
        finish(m_queue.takeAt(index));
    }
}

void QModbusDriveLink::send(const QModbusOperation& op, quint32 transaction)
{
    ++m_modbusRequests;
    m_inFlight.active = true;
    m_inFlight.op = op;
    m_inFlight.transaction = transaction;
    m_replyTimer.start(m_settings.timeoutMs);
    m_transport->send(unitOf(op.axis), requestPdu(op));
}

void QModbusDriveLink::onReplied(const QByteArray& pdu)
{
    if (!m_inFlight.active) {
        return;
    }
    const InFlight done = m_inFlight;
    m_inFlight = InFlight();
    m_replyTimer.stop();
    m_garbled = false;
    if (quint8(pdu.at(0)) & QModbusReplyFramer::kException) {
        settle(done, {}, exceptionToError(quint8(pdu.at(1))));
        return;
    }
    settle(done, done.op.kind == QModbusOperation::Read ? registersOf(pdu) : QVector<quint16>(), LINK_OK);
}

void QModbusDriveLink::onGarbled(const QString& why)
{
    ++m_garbledReplies;
    QLibLogger::self()->warn(
        QStringLiteral("%1: a reply that answers no request (%2); the connection is renewed")
            .arg(m_settings.describe(), why));
    m_garbled = true;
    const InFlight done = m_inFlight;
    m_inFlight = InFlight();
    m_replyTimer.stop();
    renewConnection();
    if (done.active) {
        settle(done, {}, LINK_ERR_TIMEOUT);
    } else if (!m_online && !m_probeTimer.isActive()) {
        scheduleProbe();
    }
}

void QModbusDriveLink::onReplyTimeout()
{
    if (!m_inFlight.active) {
        return;
    }
    const InFlight done = m_inFlight;
    m_inFlight = InFlight();
    m_transport->giveUp();
    m_garbled = false;
    settle(done, {}, LINK_ERR_TIMEOUT);
}

void QModbusDriveLink::settle(const InFlight& done, const QVector<quint16>& words, int error)
{
    if (done.transaction == 0) {
        if (error != LINK_ERR_TIMEOUT) { // any answer from the drive will do, an exception too
            takeProbeAnswer(error == LINK_OK ? words : QVector<quint16>());
            goOnline();
            return;
        }
        // A failed probe ends its connection: what a confused drive sent, or sends late, stays with it.
        m_transport->close();
        scheduleProbe();
        return;
    }
    takeResult(done, words, error);
    noteResult(error);
    if (error == LINK_ERR_TIMEOUT && m_settings.kind == QDriveLinkSettings::ModbusRtu) {
        m_holdTimer.start(m_settings.timeoutMs);
    }
    pump(); // not inside a request call: the next request goes out at once
}

void QModbusDriveLink::takeResult(const InFlight& done, const QVector<quint16>& words, int error)
{
    for (QModbusTransaction& t : m_queue) {
        if (t.id() == done.transaction) {
            t.takeResult(done.op, words, error, m_map);
            return;
        }
    }
}

void QModbusDriveLink::finish(QModbusTransaction t)
{
    switch (t.kind()) {
    case QModbusTransaction::ReadValues: {
        const auto answers = t.valueAnswers();
        for (const auto& answer : answers) {
            emit readFinished(answer.first, answer.second);
        }
        return;
    }
    case QModbusTransaction::WriteValues: {
        const QDriveValueList items = t.valueAnswers().value(0).second;
        bool refused = false;
        for (const QDriveValueItem& item : items) {
            refused = refused || item.error == LINK_ERR_REFUSED;
        }
        if (refused) {
            enqueue(QModbusTransaction::readStatus(nextRequestId()), true);
        } else if (t.error() == LINK_OK) {
            m_refusal.clear();
            m_statusTimer.stop();
        }
        emit writeFinished(t.id(), items, QDateTime::currentSecsSinceEpoch() + m_clockOffset);
        return;
    }
    case QModbusTransaction::ReadFaults:
        emit currentFaultsRead(t.id(), t.faults(), t.error());
        return;
    case QModbusTransaction::ReadHistory:
        emit historyRecordsRead(t.id(), t.axis(), t.records(), t.error());
        return;
    case QModbusTransaction::Command:
        emit commandFinished(t.id(), t.error());
        return;
    case QModbusTransaction::ReadStatus:
        if (t.error() == LINK_OK) {
            m_refusal = t.refusalReason();
        }
        if (!m_refusal.isEmpty() && m_online) {
            m_statusTimer.start();
        }
        return;
    }
}

void QModbusDriveLink::failQueue(int error)
{
    while (!m_queue.isEmpty()) {
        QModbusTransaction t = m_queue.takeFirst();
        t.failRest(error);
        finish(t);
    }
}

// ---------------------------------------------------------------- online and offline

void QModbusDriveLink::noteResult(int error)
{
    if (error != LINK_ERR_TIMEOUT) {
        m_timeoutsInRow = 0;
        return;
    }
    if (++m_timeoutsInRow < kTimeoutsBeforeOffline) {
        return;
    }
    const QString why = m_garbled ? tr("STR_LINK_OFFLINE_GARBLED") : tr("STR_LINK_OFFLINE_NO_ANSWER");
    goOffline(why.arg(kTimeoutsBeforeOffline));
}

void QModbusDriveLink::onOpened()
{
    m_opening = false;
    if (m_online) {
        schedulePump(); // a renewed connection
        return;
    }
    probe();
}

void QModbusDriveLink::onClosed(const QString& reason)
{
    m_opening = false;
    const QString why =
        reason.isEmpty() ? tr("STR_LINK_OFFLINE_CLOSED") : tr("STR_LINK_OFFLINE_CONNECTION").arg(reason);
    if (m_online) {
        goOffline(why);
        return;
    }
    m_offlineReason = why;
    m_inFlight = InFlight(); // a probe on the wire went with the connection
    m_replyTimer.stop();
    if (!m_probeTimer.isActive()) {
        scheduleProbe();
    }
}

void QModbusDriveLink::renewConnection()
{
    m_transport->close();
    m_opening = false;
    if (m_online) {
        m_opening = true;
        m_transport->open();
    }
}

void QModbusDriveLink::goOffline(const QString& reason)
{
    if (m_inFlight.active && m_inFlight.transaction != 0) {
        takeResult(m_inFlight, {}, LINK_ERR_OFFLINE);
    }
    m_inFlight = InFlight();
    m_replyTimer.stop();
    // What a confused drive sent, or sends late, must not be read as the answer to the probe.
    m_transport->close();
    m_opening = false;
    m_offlineReason = reason;
    const bool was = m_online;
    m_online = false;
    m_timeoutsInRow = 0;
    failQueue(LINK_ERR_OFFLINE);
    if (was) {
        emit onlineChanged(false);
    }
    scheduleProbe();
}

void QModbusDriveLink::goOnline()
{
    m_retryMs = m_firstRetryMs;
    m_timeoutsInRow = 0;
    if (m_online) {
        return;
    }
    m_online = true;
    emit onlineChanged(true);
    schedulePump();
}

void QModbusDriveLink::takeProbeAnswer(const QVector<quint16>& words)
{
    const int clockWords = QModbusRegisterMap::kClockRegisters;
    if (words.size() != clockWords + QModbusRegisterMap::kIdentityRegisters) {
        m_clockOffset = 0;
        m_identity = 0;
        return;
    }
    m_clockOffset =
        QModbusRegisterMap::decode(words.constData(), clockWords, 15) - QDateTime::currentSecsSinceEpoch();
    m_identity = static_cast<int>(QModbusRegisterMap::decode(words.constData() + clockWords,
                                                             QModbusRegisterMap::kIdentityRegisters, 8));
}

void QModbusDriveLink::scheduleProbe()
{
    m_probeTimer.start(m_retryMs);
    m_retryMs = qMin(m_retryMs * 2, m_lastRetryMs);
}

void QModbusDriveLink::probe()
{
    if (m_online || m_inFlight.active || m_opening) {
        return;
    }
    if (!m_transport->isOpen()) {
        m_opening = true;
        m_transport->open();
        return;
    }
    // Any answer from the drive will do; the clock it reads is kept for the write times, and the
    // identity that follows it tells which model answers.
    QModbusOperation op;
    op.address = QModbusRegisterMap::kClockRegister;
    op.count = QModbusRegisterMap::kClockRegisters + QModbusRegisterMap::kIdentityRegisters;
    send(op, 0);
}
