#pragma once

#include "QDriveFaultSwitches.h"

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

// The command line of servo-drive-sim.
class QDriveSimOptions
{
public:
    struct Drive
    {
        QString model;
        int unit = 0;       // 0: right after the drive before
        QStringList faults; // raised at start
    };

    QList<Drive> drives;
    QString drivesDir;
    QHostAddress bind = QHostAddress(QHostAddress::LocalHost);
    int port = 1502;
    QString serialPort;
    int baudRate = 115200;
    QString parity = QStringLiteral("even");
    int replyDelayMs = 0;
    // A TCP connection that holds part of a frame this long is closed.
    int idleTimeoutS = 60;
    QDriveFaultSwitches switches;
    bool verbose = false;
    QString logFile;
    bool watchStdin = false;
    bool listModels = false;
    bool help = false;

    // False with a message for an unknown option, a missing or wrong value.
    bool parse(const QStringList& arguments, QString* error);
    static QString helpText();

private:
    bool takeValue(const QStringList& arguments, int* i, QString* value, QString* error) const;
    bool takeNumber(const QStringList& arguments, int* i, int min, int max, int* value, QString* error) const;
    bool parseOption(const QStringList& arguments, int* i, QString* error);
    bool parseSwitch(const QStringList& arguments, int* i, bool* known, QString* error);
};
