// Replies a drive sends on a Modbus link.
// - The input as register words (high byte first) taken as the answer to each kind of request the link
//   makes: values of codes of every data type, the fault block, the history header and records, and the
//   status block. Whatever the words say, the answer stays within what was asked for: no more faults
//   than entries, no fault of an axis the drive lacks, records of the length announced, values only
//   where enough registers arrived.
// - The input cut at "||" into the bytes a hostile drive sends, one piece as the answer to each of the
//   link's first Modbus TCP requests (the probe and the reads after it), the simulated drive answering
//   every request after them: whatever came before, the link ends online and reads the drive's values.
#include "FuzzRegistry.h"
#include "QDriveLink.h"
#include "QDriveModel.h"
#include "QModbusBlockDecoder.h"
#include "QModbusDriveLink.h"
#include "QModbusDriveServer.h"
#include "QModbusFrameCodec.h"
#include "QModbusLinkTransport.h"
#include "QModbusRegisterMap.h"
#include "QModbusTransaction.h"
#include "QSimulatedDriveCore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

namespace {
const char kModel[] = R"({"format": 1, "model": "FZ", "axisNum": 2, "groups": [
 {"name": {"en": "P0 Mixed", "zh_CN": "P0 Mixed（中）"}, "codes": [
  {"index": "P0.00", "name": {"en": "a", "zh_CN": "a（中）"}, "showType": 0, "min": "-100", "max": "100", "default": "1", "rw": 1, "dataType": 3},
  {"index": "P0.01", "name": {"en": "b", "zh_CN": "b（中）"}, "showType": 0, "min": "0", "max": "60000", "default": "1", "rw": 1, "dataType": 4},
  {"index": "P0.02", "name": {"en": "c", "zh_CN": "c（中）"}, "showType": 0, "min": "-100000", "max": "100000", "default": "1", "rw": 1, "dataType": 7},
  {"index": "P0.03", "name": {"en": "d", "zh_CN": "d（中）"}, "showType": 0, "min": "0", "max": "100000", "default": "1", "rw": 1, "dataType": 8},
  {"index": "P0.04", "name": {"en": "e", "zh_CN": "e（中）"}, "showType": 0, "min": "-1000000", "max": "1000000", "default": "1", "rw": 1, "dataType": 15}]}],
 "faults": [{"code": "E.101", "name": {"en": "x", "zh_CN": "x（中）"}, "reason": {"en": "y", "zh_CN": "y（中）"}, "remedy": {"en": "z", "zh_CN": "z（中）"}}]})";

QVector<quint16> wordsOf(const QByteArray& data)
{
    QVector<quint16> words;
    for (int i = 0; i + 1 < data.size(); i += 2) {
        words.append(quint16((quint8(data.at(i)) << 8) | quint8(data.at(i + 1))));
    }
    return words;
}

const QModbusRegisterMap& map()
{
    static const QDriveModelPtr model = QDriveModel::fromJson(QByteArray(kModel), nullptr);
    static const QModbusRegisterMap registers(model);
    return registers;
}

bool faultsHold(const QVector<quint16>& words)
{
    const QDriveFaultList faults = QModbusBlockDecoder::faults(words, map());
    if (faults.size() > QModbusRegisterMap::kMaxFaultEntries) {
        return false;
    }
    for (const QDriveFaultRecord& fault : faults) {
        if (fault.axis < 0 || fault.axis >= map().model()->axisNum) {
            return false;
        }
    }
    return true;
}

// The words as the answers to the history request, block after block, as the link takes them.
bool historyHolds(const QVector<quint16>& words)
{
    QModbusTransaction history = QModbusTransaction::readHistory(1, 1);
    history.plan(map());
    int at = 0;
    while (history.hasNext()) {
        const QModbusOperation op = history.takeNext();
        const QVector<quint16> block = words.mid(at, op.count);
        at += op.count;
        history.takeResult(op, block, block.isEmpty() ? QDriveLink::LINK_ERR_TIMEOUT : QDriveLink::LINK_OK,
                           map());
    }
    int count = 0;
    int length = 0;
    const bool header = QModbusBlockDecoder::historyHeader(words, &count, &length);
    for (const QByteArray& record : history.records()) {
        if (!header || record.size() != 2 * length) {
            return false;
        }
    }
    return history.records().size() <= count;
}

bool valuesHold(const QVector<quint16>& words)
{
    QDriveValueList items;
    for (const tagSubFuncode_Servo& fun : map().model()->codes) {
        items.append(QDriveValueItem(fun.funIndex, 1));
    }
    QModbusTransaction read = QModbusTransaction::readValues(1, items);
    read.plan(map());
    while (read.hasNext()) {
        const QModbusOperation op = read.takeNext();
        read.takeResult(op, words, QDriveLink::LINK_OK, map());
    }
    const QDriveValueList answer = read.valueAnswers().value(0).second;
    return answer.size() == items.size();
}
} // namespace

const int kMaxHostileReplies = 8;
const int kPatienceMs = 5000;

QModbusDriveServer& drives()
{
    static QModbusDriveServer server;
    if (server.drives().isEmpty()) {
        server.addDrive(map().model(), 1)->setFrozen(true);
    }
    return server;
}

// A Modbus TCP connection in memory: the hostile replies first, one per request, then the simulated
// drive's own. Everything arrives on a later pass of the event loop, as from a socket.
class ScriptedTransport : public QModbusLinkTransport
{
public:
    explicit ScriptedTransport(const QList<QByteArray>& hostile)
        : QModbusLinkTransport(QModbusReplyFramer::Tcp), m_hostile(hostile)
    {
    }
    void open() override
    {
        close();
        later([this]() {
            m_open = true;
            emit opened();
        });
    }
    void close() override
    {
        ++m_connection;
        m_open = false;
        m_tainted = false;
        resetFraming();
    }
    bool isOpen() const override { return m_open; }
    bool hostileLeft() const { return !m_hostile.isEmpty(); }
    // Hostile bytes came on this connection: a valid frame among them may answer a later request.
    bool tainted() const { return m_tainted; }

protected:
    void write(const QByteArray& frame) override
    {
        QByteArray answer;
        if (!m_hostile.isEmpty()) {
            answer = m_hostile.takeFirst();
            m_tainted = true;
        } else {
            QByteArray bytes = frame;
            QModbusFrameCodec::Request request;
            QModbusFrameCodec::takeTcpRequest(&bytes, &request);
            const QModbusDriveServer::Reply reply = drives().handle(request.unit, request.pdu);
            answer = QModbusFrameCodec::tcpReply(request.transaction, request.unit, reply.pdu);
        }
        later([this, answer]() { receive(answer); });
    }

private:
    template <typename F>
    void later(F f)
    {
        const int connection = m_connection;
        QMetaObject::invokeMethod(
            this,
            [this, connection, f]() {
                if (connection == m_connection) {
                    f();
                }
            },
            Qt::QueuedConnection);
    }

    QList<QByteArray> m_hostile;
    bool m_open = false;
    bool m_tainted = false;
    int m_connection = 0;
};

QList<QByteArray> hostileReplies(const QByteArray& data)
{
    QList<QByteArray> pieces;
    int from = 0;
    while (pieces.size() < kMaxHostileReplies) {
        const int at = data.indexOf("||", from);
        pieces.append(data.mid(from, at < 0 ? -1 : at - from));
        if (at < 0) {
            break;
        }
        from = at + 2;
    }
    return pieces;
}

bool linkRecovers(const QByteArray& data)
{
    QDriveLinkSettings settings = QDriveLinkSettings::tcp(QStringLiteral("fuzz"), 502, 1);
    settings.timeoutMs = 10;
    auto* transport = new ScriptedTransport(hostileReplies(data));
    QModbusDriveLink link(map().model(), settings, transport);
    link.setRetryPauses(1, 1);
    QDriveValueList items;
    for (int axis = 0; axis < map().model()->axisNum; ++axis) {
        for (const tagSubFuncode_Servo& fun : map().model()->codes) {
            items.append(QDriveValueItem(fun.funIndex, axis));
        }
    }
    quint32 last = 0;
    bool lastAfterHostile = false; // the last read was asked when only the drive answered any more
    bool lastUntainted = false;    // ... on a connection that never carried hostile bytes
    bool answered = true;
    bool clean = false;  // a read after the hostile replies came back whole and right
    bool fooled = false; // ... or with a value the drive does not hold
    QObject::connect(&link, &QDriveLink::readFinished, [&](quint32 id, const QDriveValueList& list) {
        answered = answered || id == last;
        const bool after = lastAfterHostile && id == last;
        bool whole = after;
        for (const QDriveValueItem& item : list) {
            const bool ok = item.error == QDriveLink::LINK_OK;
            const bool right = item.value == drives().drives().first()->rawValue(item.funIndex, item.axis);
            fooled = fooled || (after && lastUntainted && ok && !right);
            whole = whole && ok && right;
        }
        clean = clean || whole;
    });
    QTimer tick; // the loop below never sleeps past a few milliseconds
    tick.start(2);
    QElapsedTimer clock;
    clock.start();
    // Reads keep coming, so that the hostile replies meet requests of an online link as well. Bytes
    // that came with the last hostile reply may still spoil a read after it; on a fresh connection no
    // read may take a value the drive does not hold.
    while (clock.elapsed() < kPatienceMs && !clean && !fooled) {
        if (link.isOnline() && link.pendingTransactionCount() == 0 && answered) {
            answered = false;
            lastAfterHostile = !transport->hostileLeft();
            lastUntainted = !transport->tainted();
            last = link.requestRead(items);
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return clean && !fooled;
}

SERVO_FUZZ_TARGET(modbus_reply)
{
    const QVector<quint16> words = wordsOf(data);
    QModbusBlockDecoder::refusalReason(words);
    for (int type : {3, 4, 7, 8, 15}) {
        qint64 value = 0;
        const bool enough = QModbusBlockDecoder::value(words, 1, type, &value);
        if (enough != (1 + QModbusRegisterMap::registerCount(type) <= words.size())) {
            return false;
        }
    }
    return faultsHold(words) && historyHolds(words) && valuesHold(words) && linkRecovers(data);
}
