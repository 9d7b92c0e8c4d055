#pragma once

#include "QDriveValueItem.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QVector>

class QModbusRegisterMap;

// One Modbus request on the wire: a read of count registers, or a write of values, at an address of
// the unit of one axis. members are positions in the owning transaction's items.
struct QModbusOperation
{
    enum Kind
    {
        Read,
        Write
    };
    Kind kind = Read;
    int axis = 0;
    int address = 0;
    int count = 0;
    QVector<quint16> values;
    QList<int> members;
};

// One request of the drive-link interface, carried out as Modbus requests one after another. Reads
// of several link requests may be joined into one transaction (parts), so that their codes share
// register blocks. The transaction plans its operations, takes their results and holds the answer.
class QModbusTransaction
{
public:
    enum Kind
    {
        ReadValues,
        WriteValues,
        ReadFaults,
        ReadHistory,
        Command,
        ReadStatus
    };

    static QModbusTransaction readValues(quint32 id, const QDriveValueList& items);
    static QModbusTransaction writeValues(quint32 id, const QDriveValueList& items);
    static QModbusTransaction readFaults(quint32 id);
    static QModbusTransaction readHistory(quint32 id, int axis);
    static QModbusTransaction command(quint32 id, int axis, int command);
    // The drive's status and the reason it gives for refusing writes.
    static QModbusTransaction readStatus(quint32 id);

    Kind kind() const { return m_kind; }
    quint32 id() const { return m_id; }
    int axis() const { return m_axis; }
    bool isRead() const { return m_kind == ReadValues; }
    // Joins the items of another read transaction (planned together by plan()).
    void absorb(const QModbusTransaction& other);
    // Turns the request into operations; items the map does not know get LINK_ERR_UNKNOWN at once.
    void plan(const QModbusRegisterMap& map);
    bool isPlanned() const { return m_planned; }
    bool hasNext() const { return !m_operations.isEmpty(); }
    QModbusOperation takeNext() { return m_operations.takeFirst(); }
    // The result of an operation: the registers read (or written) or a link error. An error of an
    // operation that carried several codes is retried code by code, so that only the faulty ones
    // carry it; a timeout or a lost drive is not.
    void takeResult(const QModbusOperation& op, const QVector<quint16>& words, int error,
                    const QModbusRegisterMap& map);
    // Ends everything still to do with an error.
    void failRest(int error);

    // ---- the answer
    // (request id, items) per joined link request.
    QList<QPair<quint32, QDriveValueList>> valueAnswers() const;
    QDriveFaultList faults() const { return m_faults; }
    QList<QByteArray> records() const { return m_records; }
    int error() const { return m_error; }
    // ReadStatus: the reason for refused writes, empty while the drive accepts them.
    QString refusalReason() const { return m_refusal; }

private:
    void planValues(const QModbusRegisterMap& map, bool write);
    void planAxis(const QModbusRegisterMap& map, int axis, const QList<int>& members, bool write);
    void takeValues(const QModbusOperation& op, const QVector<quint16>& words, int error,
                    const QModbusRegisterMap& map);
    void takeHistory(const QModbusOperation& op, const QVector<quint16>& words, int error);
    void splitOperation(const QModbusOperation& op, const QModbusRegisterMap& map);
    void setError(int error);

    Kind m_kind = ReadValues;
    quint32 m_id = 0;
    int m_axis = 0;
    int m_command = 0;
    QDriveValueList m_items;
    QVector<int> m_rows;                // per item: its row in the model, or -1
    QList<QPair<quint32, int>> m_parts; // request id, item count
    QList<QModbusOperation> m_operations;
    QDriveFaultList m_faults;
    QVector<quint16> m_historyWords;
    int m_historyCount = 0;
    int m_historyLength = 0;
    QList<QByteArray> m_records;
    int m_error = 0;
    bool m_planned = false;
    QString m_refusal;
};
