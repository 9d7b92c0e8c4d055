#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

class QCliConsole;
class QCliDrive;
class QCliOptions;
class QCliSession;
class QCliTable;
class QDeviceServo;
class QJsonObject;

// One command of servo-cli. run() does the work and returns the exit status (QCliExit); results go to
// standard output in the chosen format, messages and errors to standard error.
class QCliCommand
{
    Q_DECLARE_TR_FUNCTIONS(QCliCommand)

public:
    explicit QCliCommand(QCliSession& session) : m_session(session) {}
    virtual ~QCliCommand();

    virtual int run() = 0;

protected:
    const QCliOptions& options() const;
    QCliConsole& console() const;
    QCliSession& session() const { return m_session; }

    // Writes the message and returns the status, for "return fail(...)".
    int fail(int status, const QString& message) const;
    // A usage error: the message and a pointer to the command's help.
    int usage(const QString& message) const;
    // Checks the number of operands; false after a usage message.
    bool expectOperands(int min, int max, const QString& synopsis, int* status) const;
    // The drive of a address; null after the message (status gets the exit status).
    QCliDrive* openDrive(const QString& address, int* status) const;
    // The axes --axis asks for on this drive; empty after a usage message when the drive lacks the axis.
    QList<int> chosenAxes(const QDeviceServo* device, int* status) const;
    // The table (text or csv) or the JSON document, as --format says.
    void print(const QCliTable& table, const QJsonObject& json, bool textHeader = true) const;
    // "yes" / "no"
    static QString yesNo(bool value);

private:
    QCliSession& m_session;
};
