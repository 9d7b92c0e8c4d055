#pragma once

#include "tagExportDevInfo_Servo.h"

#include <QList>
#include <QStringList>

class QDeviceServo;
struct tagSubFuncode_Servo;

// Builds the records that files and reports are made of from a drive's descriptions and last known values.
class QFuncodeExportRecords_Servo
{
public:
    // One code as a function-code file holds it: addresses, group, number, name, authority, data type,
    // the drive's axis count, the raw value and the value text of axes X, Y and Z (always three; a drive
    // of fewer axes gives empty texts for the others), and its range, default, unit and remark texts. A
    // value the drive does not hold known (never read, read failed) is marked in unknownAxes: raw 0 there
    // is no value, and no file is written with it.
    static tagExportFuncodePtr_Servo fromDevice(const QDeviceServo* device, const tagSubFuncode_Servo* fun);
    // The numbers of the records with a value marked unknown, in their order.
    static QStringList unknownNumbers(const tagExportFuncodeList_Servo& records);
    // The numbers of the records (of codes the device has) with a value of an axis the device does not
    // know now, in their order.
    static QStringList unknownNumbers(const QDeviceServo* device, const tagExportFuncodeList_Servo& records);
    // The records without those numbers.
    static tagExportFuncodeList_Servo leftOut(const tagExportFuncodeList_Servo& records,
                                              const QStringList& numbers);
    // The device header of a file ("model_version", axis count, communication name), without codes.
    static tagExportDevInfo_Servo deviceHeader(const QDeviceServo* device);
    // The normal codes visible at the present authority, group by group in the drive's order; with
    // bWithStateCodes also the monitoring codes.
    static tagExportFuncodeList_Servo deviceFuncodes(const QDeviceServo* device, bool bWithStateCodes);
    // The header and the normal codes as one device record (a list of one, empty without a device).
    static QList<tagExportDevInfo_Servo> collectDeviceFuncodes(const QDeviceServo* device);
    // For the export tree: current value texts of the drive's axes, and the default text once per axis
    // as the values to compare with.
    static tagExportFuncodeList_Servo exportList(const QDeviceServo* device, bool bWithStateCodes);
};
