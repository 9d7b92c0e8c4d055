#include "QModbusDriveLink.h"

#include "QModbusBlockDecoder.h"

#include <QDateTime>
#include <QModbusRtuSerialMaster>
#include <QModbusTcpClient>
#include <QSerialPort>

namespace {
int exceptionToError(QModbusPdu::ExceptionCode code)
{
    switch (code) {
    case QModbusPdu::IllegalFunction:
        return QDriveLink::LINK_ERR_READ_ONLY;
    case QModbusPdu::IllegalDataAddress:
        return QDriveLink::LINK_ERR_UNKNOWN;
    case QModbusPdu::IllegalDataValue:
        return QDriveLink::LINK_ERR_RANGE;
    default: // device failure, busy and the rest: the drive will not do it now
        return QDriveLink::LINK_ERR_REFUSED;
    }
}

QSerialPort::Parity serialParity(QDriveLinkSettings::enParity parity)
{
    switch (parity) {
    case QDriveLinkSettings::ParityEven:
        return QSerialPort::EvenParity;
    case QDriveLinkSettings::ParityOdd:
        return QSerialPort::OddParity;
    default:
        return QSerialPort::NoParity;
    }
}
} // namespace

QModbusDriveLink::QModbusDriveLink(const QDriveModelPtr& model, const QDriveLinkSettings& settings,
                                   QObject* parent)
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
    m_watchdog.setSingleShot(true);
    m_watchdog.setTimerType(Qt::PreciseTimer);
    connect(&m_watchdog, &QTimer::timeout, this, &QModbusDriveLink::onWatchdog);
    m_offlineReason = tr("STR_LINK_OFFLINE_CONNECTING");
    createClient();
    m_probeTimer.start(0);
}

QModbusDriveLink::~QModbusDriveLink()
{
    disconnect(m_client, nullptr, this, nullptr);
    m_client->disconnectDevice();
    delete m_client;
}

void QModbusDriveLink::createClient()
{
    if (m_settings.kind == QDriveLinkSettings::ModbusRtu) {
        m_client = new QModbusRtuSerialMaster(this);
        m_client->setConnectionParameter(QModbusDevice::SerialPortNameParameter, m_settings.serialPort);
        m_client->setConnectionParameter(QModbusDevice::SerialBaudRateParameter, m_settings.baudRate);
        m_client->setConnectionParameter(QModbusDevice::SerialParityParameter,
                                         serialParity(m_settings.parity));
        m_client->setConnectionParameter(QModbusDevice::SerialDataBitsParameter, m_settings.dataBits);
        m_client->setConnectionParameter(QModbusDevice::SerialStopBitsParameter, m_settings.stopBits);
    } else {
        m_client = new QModbusTcpClient(this);
        m_client->setConnectionParameter(QModbusDevice::NetworkAddressParameter, m_settings.host);
        m_client->setConnectionParameter(QModbusDevice::NetworkPortParameter, m_settings.port);
    }
    m_client->setTimeout(m_settings.timeoutMs);
    m_client->setNumberOfRetries(0);
    connect(m_client, &QModbusDevice::stateChanged, this,
            [this](QModbusDevice::State state) { onStateChanged(state); });
    // The client tells why a connection failed only after it says that it is unconnected.
    connect(m_client, &QModbusDevice::errorOccurred, this, [this](QModbusDevice::Error error) {
        if (error == QModbusDevice::ConnectionError && !m_online) {
            m_offlineReason = connectionReason();
        }
    });
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
    while (!m_queue.isEmpty() && !m_inFlight.reply && !m_holdTimer.isActive() && m_online) {
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
    const int unit = unitOf(op.axis);
    QModbusReply* reply = nullptr;
    if (op.kind == QModbusOperation::Read) {
        reply = m_client->sendReadRequest(
            QModbusDataUnit(QModbusDataUnit::HoldingRegisters, op.address, static_cast<quint16>(op.count)),
            unit);
    } else {
        reply = m_client->sendWriteRequest(
            QModbusDataUnit(QModbusDataUnit::HoldingRegisters, op.address, op.values), unit);
    }
    m_inFlight.op = op;
    m_inFlight.transaction = transaction;
    m_inFlight.reply = reply;
    if (!reply) {
        // The client is not connected: the drive is gone.
        InFlight done = m_inFlight;
        m_inFlight = InFlight();
        takeResult(done, {}, LINK_ERR_OFFLINE);
        goOffline(connectionReason());
        return;
    }
    m_watchdog.start(m_settings.timeoutMs + kWatchdogSlackMs);
    if (reply->isFinished()) {
        QMetaObject::invokeMethod(
            this, [this, reply]() { onReplyFinished(reply); }, Qt::QueuedConnection);
        return;
    }
    connect(reply, &QModbusReply::finished, this, [this, reply]() { onReplyFinished(reply); });
}

void QModbusDriveLink::onReplyFinished(QModbusReply* reply)
{
    reply->deleteLater();
    if (reply != m_inFlight.reply) {
        return; // its request was given up: never the answer to another one
    }
    const InFlight done = m_inFlight;
    m_inFlight = InFlight();
    m_watchdog.stop();
    QVector<quint16> words;
    const int error = errorOf(reply, done.op, &words);
    settle(done, words, error);
}

void QModbusDriveLink::onWatchdog()
{
    if (!m_inFlight.reply) {
        return;
    }
    // The reply stays with the client, which ends it later; it no longer answers anything.
    const InFlight done = m_inFlight;
    m_inFlight = InFlight();
    m_garbled = true;
    settle(done, {}, LINK_ERR_TIMEOUT);
}

void QModbusDriveLink::settle(const InFlight& done, const QVector<quint16>& words, int error)
{
    if (done.transaction == 0) {
        if (error == LINK_OK || (error != LINK_ERR_TIMEOUT && error != LINK_ERR_OFFLINE)) {
            takeProbeAnswer(error == LINK_OK ? words : QVector<quint16>());
            goOnline();
            return;
        }
        if (m_garbled) {
            m_client->disconnectDevice(); // a fresh connection starts with nothing left to read
        }
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

int QModbusDriveLink::errorOf(QModbusReply* reply, const QModbusOperation& op, QVector<quint16>* words)
{
    m_garbled = false;
    switch (reply->error()) {
    case QModbusDevice::NoError:
        break;
    case QModbusDevice::ProtocolError: {
        // An exception answer holds one byte, its code. Its function code is not asked for: Qt keeps an
        // exception's function code outside the values of its enumeration.
        const QByteArray data = reply->rawResult().data();
        if (data.size() == 1) {
            return exceptionToError(static_cast<QModbusPdu::ExceptionCode>(quint8(data.at(0))));
        }
        m_garbled = true;
        return LINK_ERR_TIMEOUT;
    }
    case QModbusDevice::ConnectionError:
    case QModbusDevice::ReplyAbortedError:
        return LINK_ERR_OFFLINE;
    case QModbusDevice::TimeoutError:
        return LINK_ERR_TIMEOUT;
    default:
        m_garbled = true;
        return LINK_ERR_TIMEOUT;
    }
    if (op.kind == QModbusOperation::Read) {
        const QModbusDataUnit unit = reply->result();
        if (unit.valueCount() != static_cast<uint>(op.count)) {
            m_garbled = true; // not the answer to what was asked
            return LINK_ERR_TIMEOUT;
        }
        *words = unit.values();
    }
    return LINK_OK;
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
    if (error == LINK_ERR_OFFLINE) {
        goOffline(connectionReason());
        return;
    }
    if (error != LINK_ERR_TIMEOUT) {
        m_timeoutsInRow = 0;
        return;
    }
    if (++m_timeoutsInRow < kTimeoutsBeforeOffline) {
        return;
    }
    const QString why = m_garbled ? tr("STR_LINK_OFFLINE_GARBLED") : tr("STR_LINK_OFFLINE_NO_ANSWER");
    goOffline(why.arg(kTimeoutsBeforeOffline));
    // What a confused drive sent, or sends late, must not be read as the answer to the probe.
    m_client->disconnectDevice();
}

void QModbusDriveLink::onStateChanged(int state)
{
    const int previous = m_clientState;
    m_clientState = state;
    if (state == QModbusDevice::ConnectedState && !m_online) {
        probe();
        return;
    }
    if (state != QModbusDevice::UnconnectedState) {
        return;
    }
    if (m_online) {
        goOffline(connectionReason());
        return;
    }
    if (previous == QModbusDevice::ConnectingState) {
        m_offlineReason = connectionReason(); // the attempt to connect failed
    }
    if (!m_probeTimer.isActive()) {
        scheduleProbe();
    }
}

QString QModbusDriveLink::connectionReason() const
{
    const QString why = m_client->errorString();
    return why.isEmpty() ? tr("STR_LINK_OFFLINE_CLOSED") : tr("STR_LINK_OFFLINE_CONNECTION").arg(why);
}

void QModbusDriveLink::goOffline(const QString& reason)
{
    if (m_inFlight.reply && m_inFlight.transaction != 0) {
        takeResult(m_inFlight, {}, LINK_ERR_OFFLINE);
    }
    m_inFlight = InFlight();
    m_watchdog.stop();
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
    m_retryMs = kFirstRetryMs;
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
    m_retryMs = qMin(m_retryMs * 2, int(kLastRetryMs));
}

void QModbusDriveLink::probe()
{
    if (m_online || m_inFlight.reply) {
        return;
    }
    switch (m_client->state()) {
    case QModbusDevice::UnconnectedState:
        if (!m_client->connectDevice()) {
            scheduleProbe();
        }
        return;
    case QModbusDevice::ConnectedState: {
        // Any answer from the drive will do; the clock it reads is kept for the write times, and the
        // identity that follows it tells which model answers.
        QModbusOperation op;
        op.address = QModbusRegisterMap::kClockRegister;
        op.count = QModbusRegisterMap::kClockRegisters + QModbusRegisterMap::kIdentityRegisters;
        send(op, 0);
        return;
    }
    default:
        return; // connecting or closing: its state change brings the next step
    }
}
