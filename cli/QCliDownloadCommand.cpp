#include "QCliDownloadCommand.h"

#include "QCliConsole.h"
#include "QCliDownloadSteps.h"
#include "QCliExit.h"
#include "QCliOptions.h"
#include "QCliSession.h"
#include "QCliSource.h"
#include "QCliTable.h"
#include "QDeviceServo.h"
#include "QFuncodeExportRecords_Servo.h"
#include "QLibSetting.h"
#include "QServoBatchLine.h"
#include "QSystemSetting.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>

void QCliDownloadCommand::showProgress() const
{
    int done = 0;
    int total = 0;
    int finished = 0;
    for (const Result& result : m_results) {
        done += result.progress;
        total += result.total;
        finished += result.done ? 1 : 0;
    }
    console().progress(tr("STR_CLI_DOWNLOAD_PROGRESS").arg(finished).arg(m_results.size()), done, total);
}

int QCliDownloadCommand::report() const
{
    QCliTable table({tr("STR_CLI_INFO_DRIVE"), tr("STR_CLI_VERDICT"), tr("STR_CLI_REASON")});
    QJsonArray drives;
    int failedDrives = 0;
    for (const QString& name : m_order) {
        const Result result = m_results.value(name);
        failedDrives += result.ok ? 0 : 1;
        QStringList reasons;
        QJsonArray failures;
        if (!result.error.isEmpty()) {
            reasons.append(result.error);
        }
        for (const QCliBatchTransfer::Failure& failure : result.failures) {
            const QString axis = QDeviceServo::getAxisName(failure.axis);
            reasons.append(tr("STR_CLI_CODE_FAILED").arg(failure.funIndex, axis, failure.reason));
            failures.append(
                QJsonObject{{"number", failure.funIndex}, {"axis", axis}, {"reason", failure.reason}});
        }
        table.addRow({name, result.ok ? tr("STR_CLI_VERDICT_OK") : tr("STR_CLI_VERDICT_FAILED"),
                      reasons.join(QStringLiteral("; "))});
        drives.append(QJsonObject{{"drive", name},
                                  {"ok", result.ok},
                                  {"error", result.error.isEmpty() ? QJsonValue() : QJsonValue(result.error)},
                                  {"failures", failures}});
    }
    print(table, QJsonObject{{"source", options().operands.first()}, {"drives", drives}}, false);
    if (failedDrives > 0) {
        console().error(tr("STR_CLI_DOWNLOAD_FAILED").arg(failedDrives).arg(m_order.size()));
        return QCliExit::WRITES_FAILED;
    }
    return QCliExit::OK;
}

int QCliDownloadCommand::run()
{
    int status = QCliExit::OK;
    if (!expectOperands(1, 1, QStringLiteral("download FILE|DRIVE --to DRIVE..."), &status)) {
        return status;
    }
    if (options().targets.isEmpty()) {
        return usage(tr("STR_CLI_USAGE").arg(QStringLiteral("download FILE|DRIVE --to DRIVE...")));
    }
    // Every target is checked before anything is written.
    QList<QCliDriveAddress> targets;
    QSet<QString> seen;
    for (const QString& text : options().targets) {
        QCliDriveAddress address;
        QString error;
        if (!address.parse(text, &error)) {
            return usage(error);
        }
        if (seen.contains(text) || text == options().operands.first()) {
            return usage(tr("STR_CLI_TARGET_TWICE").arg(text));
        }
        seen.insert(text);
        targets.append(address);
    }
    QCliSource source;
    status = source.load(session(), options().operands.first());
    if (status != QCliExit::OK) {
        return status;
    }
    const tagExportFuncodeList_Servo codes =
        source.isDrive() ? QFuncodeExportRecords_Servo::deviceFuncodes(source.drive()->device(), false)
                         : source.file().funcodes;
    // As the import does: the codes the present authority may see.
    const int authority = QLibSetting::self()->getSystemSetting()->getAuthority();
    QMap<QString, tagExportFuncodePtr_Servo> records;
    for (const tagExportFuncodePtr_Servo& code : codes) {
        if (QDeviceServo::isAuthValid(code->authority, authority) && !records.contains(code->funIndex)) {
            records.insert(code->funIndex, code);
        }
    }
    QCliDownloadSteps::Settings settings;
    settings.context = session().driveContext();
    settings.model = source.model();
    settings.save = options().save;
    settings.reset = options().reset;
    QCliDownloadSteps steps(settings, targets);
    QServoBatchLine line;
    line.setSteps(&steps);
    line.setConcurrency(options().jobs);
    for (const QCliDriveAddress& address : qAsConst(targets)) {
        m_order.append(address.text);
        m_results.insert(address.text, Result{});
    }
    QObject::connect(&line, &QServoBatchLine::driveProgress, &line,
                     [this](const QString& name, int done, int total) {
                         m_results[name].progress = done;
                         m_results[name].total = total;
                         showProgress();
                     });
    QObject::connect(&line, &QServoBatchLine::driveFinished, &line,
                     [this, &line, &steps](const QString& name, bool ok) {
                         Result& result = m_results[name];
                         result.done = true;
                         result.error = line.driveError(name);
                         result.failures = steps.release(name, line.transferOf(name));
                         result.ok = ok && result.error.isEmpty() && result.failures.isEmpty();
                         result.progress = result.total;
                         showProgress();
                         console().message(result.ok ? tr("STR_CLI_DRIVE_DONE").arg(name)
                                                     : tr("STR_CLI_DRIVE_FAILED").arg(name));
                     });
    QEventLoop loop;
    QObject::connect(&line, &QServoBatchLine::finished, &loop, &QEventLoop::quit);
    line.start(m_order, records, true, QDeviceServo::AXIS_X);
    if (!line.isFinished()) {
        loop.exec();
    }
    console().endProgress();
    return report();
}
