#pragma once

#include "tagExportFuncode_Servo.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>

class QDeviceServo;
class QPrinterManager;

// The printed report of the export dialog: the drive's title, a table of the checked function codes
// (addresses, group, number, name, authority, data type, axis count, then raw value and value text of
// each axis of the code, then the unit), and one section per checked page of drive information.
class QExportReport_Servo
{
    Q_DECLARE_TR_FUNCTIONS(QExportReport_Servo)

public:
    // Composes the report into printer (from dataBegin on; the caller prints it). Pages without rows
    // get their title and a separator only.
    static void compose(QPrinterManager* printer, const QDeviceServo& device,
                        const tagExportFuncodeList_Servo& records, const QStringList& pageNames);
    // One row of the function-code table, with the values the drive holds now.
    static QStringList funcodeRow(const tagExportFuncode_Servo& record, const QString& dataTypeText,
                                  const QDeviceServo& device);

private:
    static void composeFuncodes(QPrinterManager* printer, const QDeviceServo& device,
                                const tagExportFuncodeList_Servo& records);
    static void composePage(QPrinterManager* printer, const QString& pageName);
};
