#pragma once

#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <array>

// One function code as seen in two sources (drives or files) of a comparison. The compare dialog
// creates and owns the records; the compare tree only points to them.
struct tagCompareFuncode_Servo
{
    QString devA;     // first part of source A's device text (the model)
    QString nameTagA; // "(name)" of source A
    QString devB;
    QString nameTagB;
    QString group; // function-code group, trimmed; the title of a group node
    QString funIndex;
    QString funName;
    std::array<qint64, 3> valuesA{{0, 0, 0}}; // raw values of axes X, Y, Z in source A
    QStringList textsA; // value texts of X, Y, Z in source A; three empty texts when missing there
    std::array<qint64, 3> valuesB{{0, 0, 0}};
    QStringList textsB;
    bool equal = false; // both sources hold the same value
    // In both sources, but a value of an axis they both have is not known on one side (never read, read
    // failed): neither equal nor differing. Its text there is "not read".
    bool notCompared = false;
};

typedef QSharedPointer<tagCompareFuncode_Servo> tagCompareFuncodePtr_Servo;
