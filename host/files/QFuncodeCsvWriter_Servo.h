#pragma once

#include "tagExportDevInfo_Servo.h"

#include <QList>
#include <QString>
#include <QStringList>

class QTextStream;

// Writes the comma-separated forms: the function codes of one device in the function-code layout
// (QFuncodeFileLayout_Servo; names and texts unquoted, so that the file reads back field for field), and
// pages of other drive information below them as tables, with commas inside a cell turned into
// semicolons so that every row keeps its columns.
class QFuncodeCsvWriter_Servo
{
public:
    // Import mark, device line, headings, one line per code, and the end sign.
    static void writeFuncodes(QTextStream& stream, const tagExportDevInfo_Servo& info);
    // A title line, the header line and the rows; a page without rows gets its text instead.
    static void writePage(QTextStream& stream, const QString& title, const QStringList& header,
                          const QList<QStringList>& rows, const QString& text);
    // The function codes as a file of their own, in the local encoding, without a byte-order mark. The file
    // is replaced only when it was written whole. False with error (the reason) otherwise.
    static bool writeFile(const QString& path, const tagExportDevInfo_Servo& info, QString* error);

private:
    static void writeLine(QTextStream& stream, const QStringList& fields);
    static QStringList cells(const QStringList& fields);
};
