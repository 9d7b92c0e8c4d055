#pragma once

#include "tagExportDevInfo_Servo.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

class QDialog;

// Writes the function-code file of the selected drive, every normal code with its present values, in
// the form the user picks: the function-code database (".funcodeservo"), the comma-separated file marked
// for import, or a workbook laid out as that file. Each form is read back by the import.
class QFuncodeFileWriter_Servo
{
    Q_DECLARE_TR_FUNCTIONS(QFuncodeFileWriter_Servo)

public:
    // Asks for the form and the file name, then, when some values are not known, whether to leave those
    // codes out (listed by number), writes the file and closes parent after a success. False when the
    // user cancelled, there is nothing to write, or the file could not be written (the user is told).
    static bool writeFuncodeFile(QDialog* parent);
    // Writes the selected drive's file of that form (QExportTypeDlg's numbers) without asking. False,
    // with QFuncodeHelperBase's last error, when nothing was written, also when a value is not known.
    static bool writeFile(int fileType, const QString& path);

private:
    static QString askFileName(QDialog* parent, int fileType);
    static bool write(int fileType, const QString& path, const QList<tagExportDevInfo_Servo>& devices);
};
