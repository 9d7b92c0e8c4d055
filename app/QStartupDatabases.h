#pragma once

#include <QCoreApplication>
#include <QStringList>

class QWidget;

// Opens the workbench's databases at start-up and returns, as texts for the start-up report, what the user
// must know about them: files that are damaged (moved aside for fresh ones when the user agrees), upgraded
// from an older layout, or read-only.
class QStartupDatabases
{
    Q_DECLARE_TR_FUNCTIONS(QStartupDatabases)

public:
    // askToRecover false (a screenshot run): damaged files are only reported, never moved.
    static QStringList open(const QString& dataDir, bool askToRecover, QWidget* parent = nullptr);

private:
    static bool userWantsRecovery(const QString& errors, QWidget* parent);
    static QStringList recover(const QStringList& damaged);
};
