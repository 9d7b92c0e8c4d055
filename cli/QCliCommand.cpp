#include "QCliCommand.h"

#include "QCliConsole.h"
#include "QCliDrive.h"
#include "QCliExit.h"
#include "QCliOptions.h"
#include "QCliSession.h"
#include "QCliTable.h"
#include "QDeviceServo.h"

#include <QJsonObject>

QCliCommand::~QCliCommand() = default;

const QCliOptions& QCliCommand::options() const
{
    return m_session.options();
}

QCliConsole& QCliCommand::console() const
{
    return m_session.console();
}

int QCliCommand::fail(int status, const QString& message) const
{
    console().error(message);
    return status;
}

int QCliCommand::usage(const QString& message) const
{
    console().error(message);
    console().error(tr("STR_CLI_SEE_HELP").arg(options().command));
    return QCliExit::USAGE;
}

bool QCliCommand::expectOperands(int min, int max, const QString& synopsis, int* status) const
{
    const int count = options().operands.size();
    if (count >= min && count <= max) {
        return true;
    }
    *status = usage(tr("STR_CLI_USAGE").arg(synopsis));
    return false;
}

QCliDrive* QCliCommand::openDrive(const QString& address, int* status) const
{
    return m_session.drive(address, status);
}

QList<int> QCliCommand::chosenAxes(const QDeviceServo* device, int* status) const
{
    const int axes = device->getAxisNum();
    if (options().axis == QCliOptions::kAllAxes) {
        QList<int> all;
        for (int axis = 0; axis < axes; ++axis) {
            all.append(axis);
        }
        return all;
    }
    if (options().axis >= axes) {
        *status = usage(tr("STR_CLI_NO_SUCH_AXIS")
                            .arg(device->getDevName(), QDeviceServo::getAxisName(options().axis))
                            .arg(axes));
        return {};
    }
    return {options().axis};
}

void QCliCommand::print(const QCliTable& table, const QJsonObject& json, bool textHeader) const
{
    switch (options().format) {
    case QCliOptions::FORMAT_JSON:
        console().outJson(json);
        return;
    case QCliOptions::FORMAT_CSV:
        console().out(table.toCsv());
        return;
    default:
        console().out(table.toText(textHeader));
        return;
    }
}

QString QCliCommand::yesNo(bool value)
{
    return value ? tr("STR_CLI_YES") : tr("STR_CLI_NO");
}
