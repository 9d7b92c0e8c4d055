#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The command line of servo-workbench:
//   --project FILE     open this project (without it: the demo project)
//   --data-dir DIR     settings, databases and log (default: the user's application data folder)
//   --drives DIR       drive descriptions (default: QDriveCatalogue::defaultDirectory())
//   --plugin-dir DIR   searched first for plug-ins
//   --screenshot FILE  render the window after start-up into a PNG file, print its path and quit
//   --select ALIAS     select this drive after start-up
//   --node KIND        open this node of the selected drive (303, 321 to 325, 402, 403)
class QWorkbenchOptions
{
    Q_DECLARE_TR_FUNCTIONS(QWorkbenchOptions)
public:
    QString projectFile;
    QString dataDir;
    QString drivesDir;
    QString pluginDir;
    QString screenshotFile;
    QString selectAlias;
    int nodeKind = 0; // 0: none given
    bool helpRequested = false;
    QString helpText;

    // False with a message for an unknown option, a missing value or a node kind that is not known.
    bool parse(const QStringList& arguments, QString* error);
    bool isScreenshotRun() const { return !screenshotFile.isEmpty(); }
};
