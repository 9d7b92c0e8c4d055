#pragma once

#include "QDriveValueItem.h"

#include <QByteArray>
#include <QList>
#include <QVector>

class QModbusRegisterMap;

// Reads the register blocks of the command and status area that a drive sends: its current faults
// and its history records. The words come from the drive: every count is checked against what was
// received, and nothing is trusted.
class QModbusBlockDecoder
{
public:
    // The fault block read from the fault count register on: the count, then entries of
    // kFaultEntryRegisters (code number, axis, 0, time). A count beyond the entries read is cut to them.
    static QDriveFaultList faults(const QVector<quint16>& words, const QModbusRegisterMap& map);
    // The first words of the history block: the count and the registers per record; false when they do
    // not describe records that fit the area.
    static bool historyHeader(const QVector<quint16>& words, int* count, int* length);
    // The record registers (after the header) cut into count records of length registers, as bytes,
    // high byte first. Missing registers make the list shorter.
    static QList<QByteArray> historyRecords(const QVector<quint16>& words, int count, int length);
    // The status block (status register up to the end of the reason): the reason for refused writes,
    // or empty while the drive accepts writes.
    static QString refusalReason(const QVector<quint16>& words);
    // Registers from a position of a block, as a raw value of the data type; false when too few.
    static bool value(const QVector<quint16>& words, int offset, int dataType, qint64* value);
};
