#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QDeviceServo;
class QWidget;

// Exports a fault page of a drive to a comma-separated file: asks for the file ("ExportInfo_<alias>"),
// writes a heading line, the column headers and one line per row, and reports the outcome in the
// host's message boxes. The file is written beside its target and replaces it only when complete.
class QFaultCsvExporter
{
public:
    struct Table
    {
        QString heading;
        QStringList headers;
        QList<QStringList> rows;
    };

    // The whole command; false when nothing was written (no drive, no file chosen, a write failure).
    static bool exportTable(QWidget* parent, const QDeviceServo* device, const Table& table);
    // Writes the table to path; error gets the reason of a failure.
    static bool writeCsv(const QString& path, const Table& table, QString* error);
    // One line: fields joined by commas, a field holding a comma, quote or line break in quotes.
    static QString csvLine(const QStringList& fields);

private:
    static QString askPath(QWidget* parent, const QString& alias);
};
