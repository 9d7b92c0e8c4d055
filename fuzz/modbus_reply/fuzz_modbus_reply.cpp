// Register blocks a drive sends on a Modbus link: the words (high byte first) taken as the answer to each
// kind of request the link makes: values of codes of every data type, the fault block, the history
// header and records, and the status block. Whatever the words say, the answer stays within what was
// asked for: no more faults than entries, no fault of an axis the drive lacks, records of the length
// announced, values only where enough registers arrived.
#include "FuzzRegistry.h"
#include "QDriveLink.h"
#include "QDriveModel.h"
#include "QModbusBlockDecoder.h"
#include "QModbusRegisterMap.h"
#include "QModbusTransaction.h"

namespace {
const char kModel[] = R"({"format": 1, "model": "FZ", "axisNum": 2, "groups": [
 {"name": "P0 Mixed", "codes": [
  {"index": "P0.00", "name": "a", "showType": 0, "min": "-100", "max": "100", "default": "1", "rw": 1, "dataType": 3},
  {"index": "P0.01", "name": "b", "showType": 0, "min": "0", "max": "60000", "default": "1", "rw": 1, "dataType": 4},
  {"index": "P0.02", "name": "c", "showType": 0, "min": "-100000", "max": "100000", "default": "1", "rw": 1, "dataType": 7},
  {"index": "P0.03", "name": "d", "showType": 0, "min": "0", "max": "100000", "default": "1", "rw": 1, "dataType": 8},
  {"index": "P0.04", "name": "e", "showType": 0, "min": "-1000000", "max": "1000000", "default": "1", "rw": 1, "dataType": 15}]}],
 "faults": [{"code": "E.101", "name": "x", "reason": "y", "remedy": "z"}]})";

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
    return faultsHold(words) && historyHolds(words) && valuesHold(words);
}
