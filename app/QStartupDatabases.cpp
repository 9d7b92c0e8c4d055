#include "QStartupDatabases.h"

#include "QDatabaseManager.h"
#include "QLibLogger.h"

#include <QMessageBox>

QStringList QStartupDatabases::open(const QString& dataDir, bool askToRecover, QWidget* parent)
{
    QDatabaseManager* manager = QDatabaseManager::self();
    QString error;
    const bool allOpen = manager->open(dataDir, &error);
    if (!allOpen) {
        QLibLogger::self()->error(QStringLiteral("Databases could not be opened: %1").arg(error));
    }
    QStringList problems;
    const QStringList damaged = manager->damagedFiles();
    if (!allOpen && damaged.isEmpty()) {
        problems.append(error); // the data folder itself
    } else if (!damaged.isEmpty() && askToRecover && userWantsRecovery(error, parent)) {
        problems += recover(damaged);
    } else {
        for (const QString& text : manager->lastErrors()) {
            problems.append(tr("STR_DATABASE_NOT_USED").arg(text));
        }
    }
    return problems + manager->notices();
}

bool QStartupDatabases::userWantsRecovery(const QString& errors, QWidget* parent)
{
    const auto answer = QMessageBox::question(parent, tr("STR_DATABASE_DAMAGED_TITLE"),
                                              tr("STR_DATABASE_DAMAGED_QUESTION").arg(errors));
    return answer == QMessageBox::Yes;
}

QStringList QStartupDatabases::recover(const QStringList& damaged)
{
    QStringList report;
    for (const QString& file : damaged) {
        QString movedTo;
        QString error;
        if (QDatabaseManager::self()->recoverDatabase(file, &movedTo, &error)) {
            report.append(tr("STR_DATABASE_MOVED").arg(file, movedTo));
            QLibLogger::self()->info(QStringLiteral("Damaged database %1 moved to %2").arg(file, movedTo));
        } else {
            report.append(tr("STR_DATABASE_RECOVER_FAILED").arg(file, error));
        }
    }
    return report;
}
