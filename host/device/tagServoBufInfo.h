#pragma once

#include <QList>
#include <QMap>
#include <QString>

// One value of a batch task: which code and axis, where it lies in the drive's registers, the raw value
// to write, the value the device knew before, and how its transfer went. The device's batch engine
// keeps these per task (one task is one link request: a block of consecutive registers).
struct tagServoBufInfo
{
    QString funIndex;
    int axis = 0;
    int addr = 0;     // first register
    int regCount = 1; // registers of the value: 1 (16 bit), 2 (32 bit) or 4 (64 bit)
    qint64 value = 0; // raw value to write
    bool oldKnown = false;
    qint64 oldValue = 0;
    int writeError = -1;   // link error of the write; -1 while not written
    int readError = -1;    // link error of the read-back; -1 while not read
    bool bSucceed = false; // written and read back without error

    bool isWritten() const { return writeError == 0; }
};

// Task number -> the values of the task, in register order.
typedef QMap<int, QList<tagServoBufInfo>> QServoTaskMap;
