#pragma once

#include "tagExportFuncode_Servo.h"

#include <QList>
#include <QSharedPointer>
#include <QString>
#include <QStringList>

// One function code of a batch download: where it comes from (a line of a function-code file or a source
// drive), its value per axis as raw number and as shown text, and, for highlighting, the value the
// current drive holds.
class FunOperationDataUnit
{
public:
    int canopenAddr = 0;
    int usbCode = 0;
    QString groupName;
    QString funIndex;
    QString funName;
    int authority = 0;
    int dataType = 0;
    int axisNum = 0;
    QList<qint64> values;   // raw value per axis of the source (axisNum entries)
    QStringList valueTexts; // shown value per axis of the source
    QString defaultText;

    // Fills the unit from a record of a function-code file (as the host's file readers give it) or of a
    // drive: its raw value and value text of each axis the record has.
    void setFromExportFuncode(const tagExportFuncode_Servo& record);
    // The record a batch write takes (raw values and texts of every axis the unit has).
    tagExportFuncodePtr_Servo toExportFuncode() const;

    // The current drive's raw value per axis (unknown axes: not given).
    void setCurDevValues(const QList<qint64>& values, const QList<bool>& known);
    bool hasCurDevValues() const { return !m_curKnown.isEmpty(); }
    // Axis X of the source equals the current drive's value.
    bool isCurDevValueEqual() const { return isMultiValueEqual(0); }
    // The axis of the source equals the current drive's value. Equal as well without current values or
    // for an axis the source lacks; an axis whose current value is unknown differs.
    bool isMultiValueEqual(int axis) const;

private:
    QList<qint64> m_curValues;
    QList<bool> m_curKnown;
};

typedef QSharedPointer<FunOperationDataUnit> FunOperationDataUnitPtr;
