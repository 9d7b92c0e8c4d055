#pragma once

#include "QDriveModel.h"

#include <QPair>
#include <QString>
#include <QStringList>

class QAbstractItemModel;
class QDeviceServo;
class QSimulatedDriveLink;

// Puts the host into a known state for a test: settings, databases and log in a temporary folder, the
// shipped drive descriptions plus a small test model ("TST3", three axes) loaded, no devices.
class QTestHost
{
public:
    // Call once per test case (initTestCase). Returns false with a message when something is missing.
    static bool setUp(QString* error = nullptr);
    // Removes every device and forgets the selection (call in init() or cleanup()).
    static void clearProject();

    // A simulated drive; replyDelayMs 0 answers on the next pass of the event loop.
    static QDeviceServo* addDrive(const QString& model, const QString& alias = QString(),
                                  int replyDelayMs = 0);
    // A simulated drive that is also the selected one.
    static QDeviceServo* addSelectedDrive(const QString& model, const QString& alias, int replyDelayMs = 0);
    static QSimulatedDriveLink* link(const QString& alias);
    static void select(const QString& alias);
    // What the project tree does when a node is clicked: selects its drive (none: alias empty) and
    // announces the node of that kind.
    static void clickTreeNode(const QString& alias, int kind, const QString& text);
    // How often the pages read the drive; 0 turns their periodic reading off.
    static void setRefreshInterval(QDeviceServo* device, int ms);
    // The name of the device's group with the most codes (the heaviest table to show).
    static QString longestGroup(const QDeviceServo* device);
    // Reads every code of the drive and waits until the answers are in.
    static bool readAll(QDeviceServo* device, int timeoutMs = 5000);
    // Reads the codes of those numbers (after the drive's memory was changed, say) and waits for the answers.
    static bool readCodes(QDeviceServo* device, const QStringList& numbers, int timeoutMs = 5000);
    // Waits until the device has no read outstanding (one that a page or window asked for when it opened).
    static bool waitForReads(QDeviceServo* device, int timeoutMs = 5000);
    // Runs the model through QAbstractItemModelTester for as long as the model lives.
    static void checkModel(QAbstractItemModel* model);

    // A small model with one code of every kind, for tests that need exact descriptions:
    // groups "P00 Basic", "P2 Gains", "P10 Limits", "PtP Points", state group "U00 Monitor". Read from
    // tests/data/drives/TST3.json, with the given name, axis count and identity number 900 + axisNum, its
    // texts in the given language; each change replaces a text of the description before it is read.
    static QDriveModelPtr testModel(int axisNum = 3, const QString& name = QStringLiteral("TST3"),
                                    const QString& language = QStringLiteral("en"),
                                    const QList<QPair<QByteArray, QByteArray>>& changes = {});
    static QByteArray testModelJson(int axisNum, const QString& name);
};
