#pragma once

#include "QDriveModel.h"
#include "tagHisFaultFormat_Servo.h"
#include "tagHistoryFaultList.h"

#include <QByteArray>
#include <QHash>
#include <QList>

// Turns the raw bytes of one history fault record into its faults and parameters, row by row of a
// history-record format. The layout (see data/drives/README.md, "History records"):
//  - a row's number names the 16-bit words it occupies, counted from 1; its field starts at byte
//    (first word - 1) * 2 and is the row's byte length long;
//  - a field is a big-endian integer (highest byte first); its value is the low bits of the row's data
//    type, sign-extended for the signed types; a field narrower than its type is sign-extended from its
//    own highest bit (signed types) or filled with zeros;
//  - rows may overlap: each reads its own field, so two rows may decode the same bytes;
//  - a FAULTCODE row holds as many fault codes as whole values of its data type fit into it (one code
//    of the field's width when it is narrower than one value; bytes left after the last whole code are
//    not read); 0 means no fault; a code names the model's fault whose code has the same digits
//    ("E.101" is 101);
//  - RESERVE rows are skipped; any other row is a parameter, named by its function-code number;
//  - a field that does not lie wholly inside the record is not read: the parameter is marked missing
//    and the record truncated.
// Reads nothing outside the record, whatever the format or the bytes.
class QHisFaultRecordDecoder
{
public:
    QHisFaultRecordDecoder(const QHisFaultFormatList_Servo& format, const QList<QDriveFaultDef>& faults);

    tagHistoryFaultList decode(const QByteArray& record) const;
    QList<tagHistoryFaultList> decodeAll(const QList<QByteArray>& records) const;

    // The words of a row's number ("3" or "3~12"); false when it is no such number.
    static bool parseNumber(const QString& number, int* firstWord, int* lastWord);
    // Bytes of one value of a data type (2, 4 or 8); 8 for an unknown type.
    static int typeBytes(int dataType);
    // The value of a big-endian field narrowed to the data type.
    static qint64 fieldValue(const char* bytes, int length, int dataType);
    // int16, int32 and int64.
    static bool isSignedType(int dataType);
    static bool isFaultCodeRow(const tagHisFaultFormat_Servo& row);
    static bool isReserveRow(const tagHisFaultFormat_Servo& row);

private:
    void decodeFaults(const tagHisFaultFormat_Servo& row, const QByteArray& field,
                      tagHistoryFaultList* entry) const;
    tagHistoryFault faultOf(qint64 code) const;

    QHisFaultFormatList_Servo m_format;
    QHash<qint64, QDriveFaultDef> m_faults; // by the digits of the code
};
