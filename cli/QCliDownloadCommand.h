#pragma once

#include "QCliCommand.h"

#include <QList>

class QCliDownloadJob;

// servo-cli download FILE|DRIVE --to DRIVE...: the batch download. Each drive is its own job on its own
// link; --jobs of them run at once; one drive's failure never stops the others. Each drive gets a verdict
// and the codes that failed.
class QCliDownloadCommand : public QCliCommand
{
    Q_DECLARE_TR_FUNCTIONS(QCliDownloadCommand)

public:
    using QCliCommand::QCliCommand;
    int run() override;

private:
    void schedule();
    void showProgress() const;
    int report() const;

    QList<QCliDownloadJob*> m_jobs;
};
