#pragma once

#include "tagExportFuncode_Servo.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>

class QDeviceServo;
class QWidget;

// Before a drive's values go into a file or a report: the codes whose values the drive does not know
// (never read, read failed) are named to the user by number, who either agrees to leave them out or stops.
// Their raw 0 is no value and never stands in for one.
class QUnknownValueCheck_Servo
{
    Q_DECLARE_TR_FUNCTIONS(QUnknownValueCheck_Servo)

public:
    // True, with the unknown codes taken out of records, when every value is known or the user agreed to
    // leave the unknown ones out; false when the user stopped. title: the box's title.
    static bool leaveOutUnknown(QWidget* parent, const QString& title, const QDeviceServo* device,
                                tagExportFuncodeList_Servo* records);
    // The same for records that carry their own marks (tagExportFuncode_Servo::unknownAxes).
    static bool leaveOutUnknown(QWidget* parent, const QString& title, tagExportFuncodeList_Servo* records);
    // "P0.01, P2.03, ..." with at most a screenful of numbers, then how many more.
    static QString listOf(const QStringList& numbers);

private:
    static bool ask(QWidget* parent, const QString& title, const QStringList& numbers,
                    tagExportFuncodeList_Servo* records);
};
