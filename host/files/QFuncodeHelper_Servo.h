#pragma once

#include "QFuncodeHelperBase.h"
#include "tagExportDevInfo_Servo.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class QDeviceServo;
class QTextStream;

// The host's function-code files: the readers (comma-separated, xlsx, ".funcodeservo"), the export of
// selected codes and pages (comma-separated and xlsx), and the texts and tables of exports and reports.
// Every file operation reports an error number of QFuncodeHelperBase (getErrorStr gives its text and, for
// the most recent failure, which line or part of the file it concerns).
//
// All readers give the same record: the device header of the file, and per function code its addresses,
// group, number, name, authority, data type, axis count, the raw value of axes X, Y and Z, and one value
// text per axis of the code (valueTexts has axisNum entries).
class QFuncodeHelper_Servo : public QFuncodeHelperBase
{
    Q_DECLARE_TR_FUNCTIONS(QFuncodeHelper_Servo)

public:
    QFuncodeHelper_Servo();
    ~QFuncodeHelper_Servo() override;

    // ---- reading
    // A comma-separated function-code file. bRequireImportMark: the file must start with the import mark
    // (otherwise it may start with the device line). bAuthorityFilter: codes above the present authority
    // are left out. True when the file was read; error gets 0 or the error number.
    static bool getCsvFileFuncodeInfoServo(const QString& fileName, tagExportDevInfo_Servo& info, int& error,
                                           bool bRequireImportMark = true, bool bAuthorityFilter = false);
    // The function codes of a workbook: the first sheet that starts with the import mark (else the first
    // sheet), laid out as the comma-separated file.
    static bool getXlsxFileFuncodeInfoServo(const QString& fileName, tagExportDevInfo_Servo& info,
                                            int& error);
    // The first device of a ".funcodeservo" file, which is only read (never changed): error 1 when the file
    // cannot be opened as a function-code database or read to its end, with the reason; 4 when it holds no
    // device. Limits: QExportDB_Servo.
    static bool getFuncodeServoFileInfoServo(const QString& fileName, tagExportDevInfo_Servo& info,
                                             int& error);
    // Any of the three, chosen by the file's suffix as the import does.
    static bool getFileFuncodeInfoServo(const QString& fileName, tagExportDevInfo_Servo& info, int& error);
    // The fields of one line of a function-code file. A function-code line gives its fourteen fields even
    // when its name or texts hold commas; any other line is split at its commas (quotes honoured).
    static QStringList segMenteStrForList(const QString& line);

    // ---- exporting
    // The codes (in the function-code layout, with the selected drive's present values when it knows the
    // code) followed by the pages. bFocus marks a file saved from the monitored list. False when the
    // stream could not be written.
    static bool exportSelectInfoListServo(const tagExportFuncodeList_Servo& records,
                                          const QStringList& pageNames, QTextStream& stream, bool bFocus);
    // The same as a workbook: the codes on the first sheet, each page on a sheet of its own.
    static bool exportSelectInfoListServo(const tagExportFuncodeList_Servo& records,
                                          const QStringList& pageNames, const QString& fileName);

    // ---- the function-code file of a drive (export dialog)
    // The selected drive's header and normal codes as one device record (empty without a drive).
    static QList<tagExportDevInfo_Servo> collectDeviceFuncodes();
    // The database form; the file is replaced only when written whole. error gets the reason.
    static bool writeFuncodeDatabaseFile(const QString& fileName,
                                         const QList<tagExportDevInfo_Servo>& devices,
                                         QString* error = nullptr);
    // The comma-separated form with the import mark, in the local encoding.
    static bool writeFuncodeCsvFile(const QString& fileName, const tagExportDevInfo_Servo& info,
                                    QString* error = nullptr);
    static void writeFuncodeCsv(QTextStream& stream, const tagExportDevInfo_Servo& info);
    // The workbook form: the codes on one sheet laid out as the comma-separated file.
    static bool writeFuncodeXlsxFile(const QString& fileName, const tagExportDevInfo_Servo& info);
    // The form the file name's suffix says: ".funcodeservo" the database, ".xlsx" the workbook, any other
    // the comma-separated file. False, with the last error set, when nothing was written.
    static bool writeFuncodeFile(const QString& fileName, const tagExportDevInfo_Servo& info);

    // ---- contents of exports and reports (selected drive)
    // The selected drive's codes for the export tree: current texts of its axes, the default text per axis
    // as the values compared with. bWithStateCodes adds the monitoring codes.
    static tagExportFuncodeList_Servo getServoExportFuncodeList(bool bWithStateCodes = false);
    // Column titles of the function-code table of a report for a drive of axisNum axes.
    static QStringList getServoFuncodeHeaderList(int axisNum);
    // The table of another page, named by its translated title; text gets a line when it has no rows.
    static bool getServoNonFuncodeInfoList(const QString& pageName, QStringList& headerList,
                                           QList<QStringList>& rows, QString& text);

    void initServoDataTypeMap();
    QString getDataTypeStr(int dataType) const;

private:
    static QDeviceServo* selectedServo();
    static bool finish(int result, int& error, const QString& fileName, const QString& detail);
    static void filterByAuthority(tagExportDevInfo_Servo* info);
    static tagExportFuncodeList_Servo withPresentValues(const tagExportFuncodeList_Servo& records);

    QMap<int, QString> m_dataTypes;
};
