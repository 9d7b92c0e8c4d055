#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

class QDeviceServo;

// The tables of the pages of drive information that an export or a report can hold besides the function
// codes: modification statistics, modification records, monitored codes, the comparison with defaults,
// current faults and the fault history of a drive. Pages are named
// by their translated titles, as the export tree shows them.
class QFuncodePageRows_Servo
{
    Q_DECLARE_TR_FUNCTIONS(QFuncodePageRows_Servo)

public:
    // Fills header and rows of the page; text gets a line for a page without rows. False for a page
    // this class does not know, or without a device.
    static bool build(const QDeviceServo* device, const QString& pageName, QStringList* header,
                      QList<QStringList>* rows, QString* text);

private:
    static void statistics(const QDeviceServo* device, QStringList* header, QList<QStringList>* rows);
    static void records(const QDeviceServo* device, QStringList* header, QList<QStringList>* rows);
    static void monitored(const QDeviceServo* device, QStringList* header, QList<QStringList>* rows);
    static void history(const QDeviceServo* device, QStringList* header, QList<QStringList>* rows);
    static QStringList axisHeaders(const QDeviceServo* device);
    static QStringList axisValues(const QDeviceServo* device, const QString& funIndex);
    static QString recordValue(const QString& stored, int showType, const QString& enumText);
};
