#pragma once

#include "QDriveLinkSettings.h"

#include <QCoreApplication>
#include <QString>

// A drive named on the command line:
//   sim:MODEL                               a simulated drive of a shipped model, inside the program
//   tcp:HOST:PORT[/UNIT]                    Modbus TCP, unit 1 unless given
//   rtu:DEVICE[:BAUD[:PARITY]][/UNIT]       Modbus RTU (115200 baud, even parity, unit 1 unless given)
// Anything else that names an existing file is a function-code file.
class QCliDriveAddress
{
    Q_DECLARE_TR_FUNCTIONS(QCliDriveAddress)

public:
    // Whether the text is meant as a drive (it starts with one of the prefixes above).
    static bool isDriveText(const QString& text);
    // False with a message naming what is wrong with the text.
    bool parse(const QString& text, QString* error);

    QString text;
    QDriveLinkSettings settings;
    QString modelName; // sim: the model; empty for bus drives (read from the drive or --model)

private:
    bool parseTcp(const QString& rest, QString* error);
    bool parseRtu(const QString& rest, QString* error);
    bool takeUnit(QString* rest, QString* error);
};
