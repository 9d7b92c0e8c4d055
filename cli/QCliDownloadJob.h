#pragma once

#include "QCliBatchTransfer.h"
#include "QCliDrive.h"
#include "tagExportFuncode_Servo.h"

#include <QCoreApplication>
#include <QMap>
#include <QObject>
#include <QString>
#include <memory>

// The download into one drive of a batch: the drive is reached on a link of its own, checked to be of
// the source's model, takes the motor type first (written and checked alone), then every code, each block
// written and read back; with --save and --reset it is then stored and reset. finished() carries the
// verdict.
//
// Reaching the drive and the transfer run on the event loop. The steps that wait for the drive (the
// motor type, saving and resetting) are announced by stepPending() and run by runStep(), which the
// scheduler calls outside every drive's signals, so that a wait never runs inside another drive's work.
class QCliDownloadJob : public QObject
{
    Q_OBJECT

public:
    struct Settings
    {
        QCliDrive::Context context;
        QString model; // the source's model
        bool save = false;
        bool reset = false;
    };

    QCliDownloadJob(const Settings& settings, const QCliDriveAddress& address,
                    const QMap<QString, tagExportFuncodePtr_Servo>& records, QObject* parent = nullptr);
    ~QCliDownloadJob() override;

    void start();
    bool isStarted() const { return m_stage != STAGE_IDLE; }
    bool hasStep() const { return m_stage == STAGE_TO_WRITE || m_stage == STAGE_TO_FINISH; }
    void runStep();
    // Lets the drive go (its port free for another job) once the job is done.
    void release();

    QString name() const { return m_address.text; }
    bool isDone() const { return m_stage == STAGE_DONE; }
    bool succeeded() const { return isDone() && m_error.isEmpty() && m_failures.isEmpty(); }
    // Why the drive as a whole failed (not reached, another model, motor type, saving); empty otherwise.
    QString error() const { return m_error; }
    QList<QCliBatchTransfer::Failure> failures() const { return m_failures; }
    int done() const { return m_progress; }
    int total() const { return m_total; }

signals:
    void progress();
    void stepPending();
    void finished();

private:
    enum enStage
    {
        STAGE_IDLE = 0,
        STAGE_CONNECTING,
        STAGE_TO_WRITE,
        STAGE_WRITING,
        STAGE_TO_FINISH,
        STAGE_DONE
    };

    void onReady(int status);
    void writeMotorTypeAndStart();
    void onTransferred();
    void saveAndReset();
    void setStep(enStage stage);
    void finish(const QString& error = QString());

    Settings m_settings;
    QCliDriveAddress m_address;
    QMap<QString, tagExportFuncodePtr_Servo> m_records;
    std::unique_ptr<QCliDrive> m_drive;
    std::unique_ptr<QCliBatchTransfer> m_transfer;
    QList<QCliBatchTransfer::Failure> m_failures;
    QString m_error;
    enStage m_stage = STAGE_IDLE;
    int m_progress = 0;
    int m_total = 0;
};
