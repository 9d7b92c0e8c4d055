#pragma once

#include "QModbusRegisterMap.h"

#include <QStringList>
#include <QVector>

class QSimulatedDriveCore;

// The holding registers of one simulated drive, as a Modbus server shows them: the codes at their
// addresses, and the command and status area. Every operation answers with 0 or a Modbus exception
// code; a write that fails changes nothing.
class QSimulatedDriveRegisters
{
public:
    enum enException
    {
        NO_EXCEPTION = 0,
        ILLEGAL_FUNCTION = 1,
        ILLEGAL_ADDRESS = 2,
        ILLEGAL_VALUE = 3,
        DEVICE_FAILURE = 4
    };

    explicit QSimulatedDriveRegisters(QSimulatedDriveCore* core);

    QSimulatedDriveCore* core() const { return m_core; }
    const QModbusRegisterMap& map() const { return m_map; }

    int read(int axis, int address, int count, QVector<quint16>* words) const;
    // written gets "P00.02=1500" per code written (or the command), for the log.
    int write(int axis, int address, const QVector<quint16>& values, QStringList* written = nullptr);
    // The codes a block of registers touches, "P00.00..P00.23", for the log.
    QString describeBlock(int address, int count) const;

    static int exceptionOf(int linkError);

private:
    int readCodes(int axis, int address, int count, QVector<quint16>* words) const;
    int readArea(int axis, int address, int count, QVector<quint16>* words) const;
    QVector<quint16> statusArea() const;
    QVector<quint16> faultArea() const;
    QVector<quint16> historyArea(int axis) const;
    int runCommand(int axis, quint16 command, QStringList* written);

    QSimulatedDriveCore* m_core;
    QModbusRegisterMap m_map;
};
