#pragma once

#include "QCliBatchTransfer.h"
#include "QCliDrive.h"
#include "QServoBatchDriveSteps.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <memory>

class QServoBatchTransfer;

// servo-cli's work for each drive of a batch download, around its transfer on the line: the drive is
// reached on a link of its own (named by its address) and checked to be of the source's model, the
// codes it cannot take are left out, the motor type goes first (written and checked alone), and with
// --save and --reset the drive is stored and reset after a transfer that succeeded. Drives of one serial
// port share its wire.
class QCliDownloadSteps : public QServoBatchDriveSteps
{
    Q_DECLARE_TR_FUNCTIONS(QCliDownloadSteps)

public:
    struct Settings
    {
        QCliDrive::Context context;
        QString model; // the source's model
        bool save = false;
        bool reset = false;
    };

    QCliDownloadSteps(const Settings& settings, const QList<QCliDriveAddress>& addresses);
    ~QCliDownloadSteps() override;

    QString busOf(const QString& alias) const override;
    bool prepare(const QString& alias, QMap<QString, tagExportFuncodePtr_Servo>* records,
                 QString* error) override;
    bool complete(const QString& alias, QString* error) override;

    // The values of the drive's finished transfer that did not arrive; then lets the drive go (its
    // port free for the next drive on it).
    QList<QCliBatchTransfer::Failure> release(const QString& alias, const QServoBatchTransfer* transfer);

private:
    Settings m_settings;
    QHash<QString, QCliDriveAddress> m_addresses;
    QHash<QString, std::shared_ptr<QCliDrive>> m_drives;
};
