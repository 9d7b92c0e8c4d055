#pragma once

#include <QMap>
#include <QMetaType>
#include <QPair>
#include <QString>

// One modification of a function code as kept by the record database. Values are texts: decimal for
// hexadecimal codes, the position in the value list for enumerated codes, the shown text otherwise.
struct tagModifyFuncode_Servo
{
    QString strTime;  // "yyyy-MM-dd hh:mm:ss"
    QString funIndex; // function-code number
    int axisIndex = 0;
    QString oldVal;
    QString newVal;
    // related function-code number -> (value before, value after)
    QMap<QString, QPair<QString, QString>> relateParamMap;

    bool isEmpty() const { return funIndex.isEmpty(); }
};

Q_DECLARE_METATYPE(tagModifyFuncode_Servo)
