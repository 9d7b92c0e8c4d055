#pragma once

#include "QDriveModel.h"
#include "QRegisterBlockPlanner.h"

#include <QByteArray>
#include <QVector>

// Where a drive model's values lie in the holding registers of a drive on a Modbus link, and how
// values become registers and back. Shared by the bus link and the simulated drive's server, so
// both sides agree on every register.
//
// Codes lie at their `modbus` address and take 1 (16-bit types), 2 (32-bit) or 4 (64-bit)
// registers, the most significant word first; signed types are two's complement. Axis X answers at
// the drive's unit id, Y at the next one, Z at the one after. From 0xF000 on lies the command and
// status area (the constants below); data/drives/README.md documents the whole map.
class QModbusRegisterMap
{
public:
    // ---- command and status area
    static const int kCommandRegister = 0xF000; // write: one of enCommand, for the axis of the unit
    static const int kStatusRegister = 0xF001;  // read: bit 0 set while the drive refuses writes
    static const int kClockRegister = 0xF002;   // read: drive clock, seconds since 1970 UTC, 4 registers
    static const int kClockRegisters = 4;
    // read: the identity number of the drive's model (its description's identity.number), 2 registers
    static const int kIdentityRegister = 0xF006;
    static const int kIdentityRegisters = 2;
    static const int kReasonRegister = 0xF008; // read: why writes are refused, UTF-8, 2 bytes a register
    static const int kReasonRegisters = 32;
    static const int kFaultCountRegister = 0xF100;    // read: number of current faults of the drive
    static const int kFaultEntryRegisters = 8;        // code (2), axis, 0, time (4)
    static const int kMaxFaultEntries = 15;           // entries that follow the count
    static const int kHistoryCountRegister = 0xF200;  // read: history records of the unit's axis
    static const int kHistoryLengthRegister = 0xF201; // read: registers per record
    static const int kHistoryFirstRegister = 0xF202;  // records, newest first
    static const int kMaxHistoryRegisters = 0xFFFF - kHistoryFirstRegister;
    static const quint16 kStatusWritesRefused = 0x0001;

    enum enCommand
    {
        COMMAND_SAVE_ALL = 1,
        COMMAND_RESET = 2,
        COMMAND_CLEAR_FAULTS = 3,
        COMMAND_CLEAR_HISTORY = 4
    };

    explicit QModbusRegisterMap(const QDriveModelPtr& model);

    const QDriveModelPtr& model() const { return m_model; }
    // Registers of a code of a data type: 1, 2 or 4.
    static int registerCount(int dataType);
    // The registers of a code (by row of the model's codes); count 0 for a row that does not exist.
    QRegisterSpan span(int row) const;
    // The row whose first register is address, or -1.
    int rowStartingAt(int address) const;
    // The row that holds a register (any of its registers), or -1; word gets the position in it.
    int rowHolding(int address, int* word = nullptr) const;

    // A raw value as registers, most significant first.
    static QVector<quint16> encode(qint64 value, int registers);
    // Registers back to a raw value; signed data types are sign-extended.
    static qint64 decode(const QVector<quint16>& words, int dataType);
    static qint64 decode(const quint16* words, int count, int dataType);
    // The number inside a fault code ("E.101" -> 101).
    static quint32 faultNumber(const QString& code);
    // The model's fault code with that number, or the number as text.
    QString faultCode(quint32 number) const;
    // Text into registers (two bytes each, high byte first, zero padded) and back.
    static QVector<quint16> packText(const QByteArray& utf8, int registers);
    static QByteArray unpackText(const QVector<quint16>& words);

private:
    QDriveModelPtr m_model;
    // Per register below the command area: the row holding it (-1: none), and whether it is the
    // row's first register.
    QVector<int> m_holding;
    QVector<bool> m_first;
};
