#include "QCliDownloadCommand.h"

#include "QCliConsole.h"
#include "QCliDownloadJob.h"
#include "QCliExit.h"
#include "QCliOptions.h"
#include "QCliSession.h"
#include "QCliSource.h"
#include "QCliTable.h"
#include "QDeviceServo.h"
#include "QFuncodeExportRecords_Servo.h"
#include "QLibSetting.h"
#include "QSystemSetting.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <algorithm>
#include <memory>
#include <vector>

void QCliDownloadCommand::showProgress() const
{
    int done = 0;
    int total = 0;
    int finished = 0;
    for (const QCliDownloadJob* job : m_jobs) {
        done += job->done();
        total += job->total();
        finished += job->isDone() ? 1 : 0;
    }
    console().progress(tr("STR_CLI_DOWNLOAD_PROGRESS").arg(finished).arg(m_jobs.size()), done, total);
}

int QCliDownloadCommand::report() const
{
    QCliTable table({tr("STR_CLI_INFO_DRIVE"), tr("STR_CLI_VERDICT"), tr("STR_CLI_REASON")});
    QJsonArray drives;
    int failedDrives = 0;
    for (const QCliDownloadJob* job : m_jobs) {
        const bool ok = job->succeeded();
        failedDrives += ok ? 0 : 1;
        QStringList reasons;
        QJsonArray failures;
        if (!job->error().isEmpty()) {
            reasons.append(job->error());
        }
        for (const QCliBatchTransfer::Failure& failure : job->failures()) {
            const QString axis = QDeviceServo::getAxisName(failure.axis);
            reasons.append(tr("STR_CLI_CODE_FAILED").arg(failure.funIndex, axis, failure.reason));
            failures.append(
                QJsonObject{{"number", failure.funIndex}, {"axis", axis}, {"reason", failure.reason}});
        }
        table.addRow({job->name(), ok ? tr("STR_CLI_VERDICT_OK") : tr("STR_CLI_VERDICT_FAILED"),
                      reasons.join(QStringLiteral("; "))});
        drives.append(QJsonObject{{"drive", job->name()},
                                  {"ok", ok},
                                  {"error", job->error().isEmpty() ? QJsonValue() : QJsonValue(job->error())},
                                  {"failures", failures}});
    }
    print(table, QJsonObject{{"source", options().operands.first()}, {"drives", drives}}, false);
    if (failedDrives > 0) {
        console().error(tr("STR_CLI_DOWNLOAD_FAILED").arg(failedDrives).arg(m_jobs.size()));
        return QCliExit::WRITES_FAILED;
    }
    return QCliExit::OK;
}

// Runs the jobs, --jobs of them at a time. The steps that wait for a drive run here, between passes of
// the event loop, never inside another drive's signals.
void QCliDownloadCommand::schedule()
{
    int next = 0;
    const auto running = [this]() {
        return int(std::count_if(m_jobs.cbegin(), m_jobs.cend(), [](const QCliDownloadJob* job) {
            return job->isStarted() && !job->isDone();
        }));
    };
    for (;;) {
        for (QCliDownloadJob* job : qAsConst(m_jobs)) {
            job->release();
        }
        while (running() < options().jobs && next < m_jobs.size()) {
            m_jobs.at(next++)->start();
        }
        bool stepped = false;
        for (QCliDownloadJob* job : qAsConst(m_jobs)) {
            if (job->hasStep()) {
                job->runStep();
                stepped = true;
            }
        }
        if (stepped) {
            continue;
        }
        if (running() == 0 && next >= m_jobs.size()) {
            return;
        }
        QEventLoop loop;
        for (QCliDownloadJob* job : qAsConst(m_jobs)) {
            QObject::connect(job, &QCliDownloadJob::stepPending, &loop, &QEventLoop::quit);
            QObject::connect(job, &QCliDownloadJob::finished, &loop, &QEventLoop::quit);
        }
        loop.exec();
    }
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
    const QList<tagExportFuncodePtr_Servo> codes =
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
    QCliDownloadJob::Settings settings;
    settings.context = session().driveContext();
    settings.model = source.model();
    settings.save = options().save;
    settings.reset = options().reset;
    std::vector<std::unique_ptr<QCliDownloadJob>> jobs;
    for (const QCliDriveAddress& address : qAsConst(targets)) {
        jobs.push_back(std::make_unique<QCliDownloadJob>(settings, address, records));
        m_jobs.append(jobs.back().get());
    }
    for (QCliDownloadJob* job : qAsConst(m_jobs)) {
        QObject::connect(job, &QCliDownloadJob::progress, job, [this]() { showProgress(); });
        QObject::connect(job, &QCliDownloadJob::finished, job, [this, job]() {
            console().message(job->succeeded() ? tr("STR_CLI_DRIVE_DONE").arg(job->name())
                                               : tr("STR_CLI_DRIVE_FAILED").arg(job->name()));
        });
    }
    schedule();
    console().endProgress();
    status = report();
    m_jobs.clear();
    return status;
}
