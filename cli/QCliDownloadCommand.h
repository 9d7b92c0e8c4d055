#pragma once

#include "QCliBatchTransfer.h"
#include "QCliCommand.h"

#include <QHash>
#include <QList>
#include <QStringList>

// servo-cli download FILE|DRIVE --to DRIVE...: the batch download, on the host's batch line. Each drive
// is reached on a link of its own; --jobs of them are written at once (drives of one serial port one
// after another); one drive's failure never stops the others. Each drive gets a verdict and the codes
// that failed.
class QCliDownloadCommand : public QCliCommand
{
    Q_DECLARE_TR_FUNCTIONS(QCliDownloadCommand)

public:
    using QCliCommand::QCliCommand;
    int run() override;

private:
    struct Result
    {
        bool done = false;
        bool ok = false;
        QString error; // why the drive as a whole failed (not reached, another model, motor type, saving)
        QList<QCliBatchTransfer::Failure> failures;
        int progress = 0;
        int total = 0;
    };

    void showProgress() const;
    int report() const;

    QStringList m_order;
    QHash<QString, Result> m_results;
};
