#include "QModbusTransaction.h"

#include "QDriveLink.h"
#include "QModbusBlockDecoder.h"
#include "QModbusRegisterMap.h"

#include <QMap>

namespace {
// Errors that the drive gave for a block: another block split might show which code caused them.
bool isDriveAnswer(int error)
{
    return error == QDriveLink::LINK_ERR_RANGE || error == QDriveLink::LINK_ERR_READ_ONLY ||
           error == QDriveLink::LINK_ERR_UNKNOWN || error == QDriveLink::LINK_ERR_REFUSED;
}

const int kFaultBlockRegisters =
    1 + QModbusRegisterMap::kFaultEntryRegisters * QModbusRegisterMap::kMaxFaultEntries;
} // namespace

QModbusTransaction QModbusTransaction::readValues(quint32 id, const QDriveValueList& items)
{
    QModbusTransaction t;
    t.m_kind = ReadValues;
    t.m_id = id;
    t.m_items = items;
    t.m_parts.append({id, items.size()});
    return t;
}

QModbusTransaction QModbusTransaction::writeValues(quint32 id, const QDriveValueList& items)
{
    QModbusTransaction t = readValues(id, items);
    t.m_kind = WriteValues;
    return t;
}

QModbusTransaction QModbusTransaction::readFaults(quint32 id)
{
    QModbusTransaction t;
    t.m_kind = ReadFaults;
    t.m_id = id;
    return t;
}

QModbusTransaction QModbusTransaction::readHistory(quint32 id, int axis)
{
    QModbusTransaction t;
    t.m_kind = ReadHistory;
    t.m_id = id;
    t.m_axis = axis;
    return t;
}

QModbusTransaction QModbusTransaction::command(quint32 id, int axis, int command)
{
    QModbusTransaction t;
    t.m_kind = Command;
    t.m_id = id;
    t.m_axis = axis;
    t.m_command = command;
    return t;
}

QModbusTransaction QModbusTransaction::readStatus(quint32 id)
{
    QModbusTransaction t;
    t.m_kind = ReadStatus;
    t.m_id = id;
    return t;
}

void QModbusTransaction::absorb(const QModbusTransaction& other)
{
    m_items += other.m_items;
    m_parts += other.m_parts;
}

void QModbusTransaction::plan(const QModbusRegisterMap& map)
{
    m_operations.clear();
    m_planned = true;
    QModbusOperation op;
    op.axis = m_axis;
    switch (m_kind) {
    case ReadValues:
    case WriteValues:
        planValues(map, m_kind == WriteValues);
        return;
    case ReadFaults:
        op.axis = 0;
        op.address = QModbusRegisterMap::kFaultCountRegister;
        op.count = kFaultBlockRegisters;
        break;
    case ReadHistory:
        op.address = QModbusRegisterMap::kHistoryCountRegister;
        op.count = QRegisterBlockPlanner::kMaxReadRegisters;
        break;
    case ReadStatus:
        op.address = QModbusRegisterMap::kStatusRegister;
        op.count = QModbusRegisterMap::kReasonRegister + QModbusRegisterMap::kReasonRegisters -
                   QModbusRegisterMap::kStatusRegister;
        break;
    case Command:
        op.kind = QModbusOperation::Write;
        op.address = QModbusRegisterMap::kCommandRegister;
        op.count = 1;
        op.values = {static_cast<quint16>(m_command)};
        break;
    }
    if (m_axis < 0 || m_axis >= map.model()->axisNum) {
        m_error = QDriveLink::LINK_ERR_UNKNOWN;
        return;
    }
    m_operations.append(op);
}

void QModbusTransaction::planValues(const QModbusRegisterMap& map, bool write)
{
    QMap<int, QList<int>> byAxis;
    m_rows.fill(-1, m_items.size());
    for (int i = 0; i < m_items.size(); ++i) {
        QDriveValueItem& item = m_items[i];
        const int row = map.model()->indexOf(item.funIndex);
        m_rows[i] = row;
        if (row < 0 || item.axis < 0 || item.axis >= map.model()->axisNum) {
            item.error = QDriveLink::LINK_ERR_UNKNOWN;
            continue;
        }
        item.error = QDriveLink::LINK_OK;
        byAxis[item.axis].append(i);
    }
    for (auto it = byAxis.cbegin(); it != byAxis.cend(); ++it) {
        planAxis(map, it.key(), it.value(), write);
    }
}

void QModbusTransaction::planAxis(const QModbusRegisterMap& map, int axis, const QList<int>& members,
                                  bool write)
{
    QVector<QRegisterSpan> spans;
    spans.reserve(members.size());
    for (int i : members) {
        spans.append(map.span(m_rows.at(i)));
    }
    const QRegisterBlockPlanner planner =
        write ? QRegisterBlockPlanner::forWrites() : QRegisterBlockPlanner::forReads();
    const QList<QRegisterBlock> blocks = planner.plan(spans);
    for (const QRegisterBlock& block : blocks) {
        QModbusOperation op;
        op.kind = write ? QModbusOperation::Write : QModbusOperation::Read;
        op.axis = axis;
        op.address = block.address;
        op.count = block.count;
        if (write) {
            op.values.fill(0, block.count);
        }
        for (int s : block.members) {
            const int item = members.at(s);
            op.members.append(item);
            if (!write) {
                continue;
            }
            const QVector<quint16> words =
                QModbusRegisterMap::encode(m_items.at(item).value, spans.at(s).count);
            for (int w = 0; w < words.size(); ++w) {
                op.values[spans.at(s).address - block.address + w] = words.at(w);
            }
        }
        m_operations.append(op);
    }
}

void QModbusTransaction::takeResult(const QModbusOperation& op, const QVector<quint16>& words, int error,
                                    const QModbusRegisterMap& map)
{
    switch (m_kind) {
    case ReadValues:
    case WriteValues:
        takeValues(op, words, error, map);
        return;
    case ReadFaults:
        setError(error);
        if (error == QDriveLink::LINK_OK) {
            m_faults = QModbusBlockDecoder::faults(words, map);
        }
        return;
    case ReadHistory:
        takeHistory(op, words, error);
        return;
    case Command:
        setError(error);
        return;
    case ReadStatus:
        setError(error);
        if (error == QDriveLink::LINK_OK) {
            m_refusal = QModbusBlockDecoder::refusalReason(words);
        }
        return;
    }
}

void QModbusTransaction::takeValues(const QModbusOperation& op, const QVector<quint16>& words, int error,
                                    const QModbusRegisterMap& map)
{
    if (error != QDriveLink::LINK_OK && op.members.size() > 1 && isDriveAnswer(error)) {
        splitOperation(op, map);
        return;
    }
    for (int i : op.members) {
        QDriveValueItem& item = m_items[i];
        item.error = error;
        if (error != QDriveLink::LINK_OK || op.kind == QModbusOperation::Write) {
            continue;
        }
        const tagSubFuncode_Servo& fun = map.model()->codes.at(m_rows.at(i));
        const int offset = fun.modbusAddr - op.address;
        if (!QModbusBlockDecoder::value(words, offset, fun.dataType, &item.value)) {
            item.error = QDriveLink::LINK_ERR_REFUSED; // the drive sent fewer registers than asked
        }
    }
}

void QModbusTransaction::splitOperation(const QModbusOperation& op, const QModbusRegisterMap& map)
{
    for (int k = op.members.size() - 1; k >= 0; --k) {
        const int i = op.members.at(k);
        const QRegisterSpan span = map.span(m_rows.at(i));
        QModbusOperation single;
        single.kind = op.kind;
        single.axis = op.axis;
        single.address = span.address;
        single.count = span.count;
        single.members = {i};
        if (op.kind == QModbusOperation::Write) {
            single.values = QModbusRegisterMap::encode(m_items.at(i).value, span.count);
        }
        m_operations.prepend(single);
    }
}

void QModbusTransaction::takeHistory(const QModbusOperation& op, const QVector<quint16>& words, int error)
{
    setError(error);
    if (error != QDriveLink::LINK_OK) {
        m_operations.clear();
        return;
    }
    QVector<quint16> records = words;
    if (op.address == QModbusRegisterMap::kHistoryCountRegister) {
        if (!QModbusBlockDecoder::historyHeader(words, &m_historyCount, &m_historyLength)) {
            setError(QDriveLink::LINK_ERR_REFUSED);
            return;
        }
        records = words.mid(2);
    }
    m_historyWords += records;
    const int needed = m_historyCount * m_historyLength;
    if (m_historyWords.size() > needed) {
        m_historyWords.resize(needed);
    }
    if (records.isEmpty() || m_historyWords.size() >= needed) {
        m_records = QModbusBlockDecoder::historyRecords(m_historyWords, m_historyCount, m_historyLength);
        return;
    }
    QModbusOperation next;
    next.axis = m_axis;
    next.address = QModbusRegisterMap::kHistoryFirstRegister + m_historyWords.size();
    next.count = qMin(needed - m_historyWords.size(), int(QRegisterBlockPlanner::kMaxReadRegisters));
    m_operations.append(next);
}

void QModbusTransaction::setError(int error)
{
    if (m_error == QDriveLink::LINK_OK) {
        m_error = error;
    }
}

void QModbusTransaction::failRest(int error)
{
    if (!m_planned) {
        for (QDriveValueItem& item : m_items) {
            item.error = error;
        }
        setError(error);
        m_planned = true;
        return;
    }
    for (const QModbusOperation& op : qAsConst(m_operations)) {
        for (int i : op.members) {
            m_items[i].error = error;
        }
    }
    if (!m_operations.isEmpty()) {
        setError(error);
    }
    m_operations.clear();
}

QList<QPair<quint32, QDriveValueList>> QModbusTransaction::valueAnswers() const
{
    QList<QPair<quint32, QDriveValueList>> answers;
    int at = 0;
    for (const auto& part : m_parts) {
        answers.append({part.first, m_items.mid(at, part.second)});
        at += part.second;
    }
    return answers;
}
