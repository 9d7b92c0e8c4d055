#pragma once

#include "tagCompareSource_Servo.h"
#include "tagExportDevInfo_Servo.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

class QDeviceServo;

// The fingerprint of a drive's parameter set: SHA-256 over the model, the configuration version and the
// raw values of every axis of the normal (non-state) codes visible at the present authority, taken in
// number order. The same set gives the same fingerprint from a drive and from any of its function-code
// files, so that two drives, or a drive and a file, can be seen to hold the same set at a glance.
//
// An unknown value (never read, read failed; in a file an empty or "null" text) makes the fingerprint
// unavailable: it is never computed as if such a value were a number.
class QParameterFingerprint_Servo
{
    Q_DECLARE_TR_FUNCTIONS(QParameterFingerprint_Servo)

public:
    struct Result
    {
        bool available = false;
        QString hex;       // 64 lower-case hexadecimal digits when available
        int codeCount = 0; // codes taken in
        QString reason;    // why it is not available
    };

    static Result ofDevice(const QDeviceServo& device);
    // A file's codes (as the readers give them), cut down to those the present authority may see.
    static Result ofFile(const tagExportDevInfo_Servo& info);
    // A source of a comparison (a drive's or a file's codes, as QCompareSourceBuilder_Servo builds them).
    static Result ofSource(const tagCompareSource_Servo& source);
    // "SHA-256 ..." or why it is not available, for tool tips and lines of text.
    static QString describe(const Result& result);

private:
    struct Entry
    {
        QString number;
        QList<qint64> raw;
    };

    static Result unavailable(const QString& reason);
    static Result compute(const QString& devText, QList<Entry> entries);
};
