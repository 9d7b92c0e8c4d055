#pragma once

#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

// One function code as written to or read from a function-code file and handed to batch operations.
struct tagExportFuncode_Servo
{
    int canopenAddr = 0;
    int usbCode = 0;
    QString groupName;
    QString funIndex;
    QString funName;
    std::array<qint64, 3> curValue{{0, 0, 0}}; // raw value per axis X, Y, Z
    int dataType = 0;
    QStringList valueTexts; // scaled value text per axis, as exported or read from a file
    int axisNum = 1;
    int authority = 0;
    QStringList curValueTexts; // current value text per axis read back from the drive ("null": failed)
    QString minText;
    QString maxText;
    QString defaultText;
    QString unitText;
    QString remarkText;
    // Read from a file: bit n set when axis n's raw value and text disagreed and the raw value was made
    // from the text (a person edits the text in a spreadsheet).
    quint8 textTakenAxes = 0;
    // Bit n set when axis n's value is not known (a drive's value never read or whose read failed, a
    // file's empty or "null" text): curValue holds no number there.
    quint8 unknownAxes = 0;

    bool isKnown(int axis) const { return !(unknownAxes & (1u << axis)); }
};

typedef QSharedPointer<tagExportFuncode_Servo> tagExportFuncodePtr_Servo;
// The records of a file or a drive: held in one array (a QList would allocate each shared pointer apart).
typedef QVector<tagExportFuncodePtr_Servo> tagExportFuncodeList_Servo;
