#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The command line of servo-cli: a command, its operands and its options. Every option is checked against
// the command it is given to, so that a misspelt or misplaced option is an error rather than ignored.
class QCliOptions
{
    Q_DECLARE_TR_FUNCTIONS(QCliOptions)

public:
    enum enFormat
    {
        FORMAT_TEXT = 0,
        FORMAT_CSV,
        FORMAT_JSON
    };
    static const int kAllAxes = -1;
    static const int kDefaultTimeoutMs = 5000;
    static const int kMaxJobs = 64;

    // False with a message naming what was wrong.
    bool parse(const QStringList& arguments, QString* error);

    static QStringList commands();
    static bool isCommand(const QString& name) { return commands().contains(name); }

    QString command;        // empty: no command (general help)
    QStringList operands;   // what follows the command, options taken out
    QStringList targets;    // --to
    int axis = kAllAxes;    // --axis: 0 X, 1 Y, 2 Z, or every axis
    bool axisGiven = false; // --axis was given
    enFormat format = FORMAT_TEXT;
    QString dataDir;
    QString model;
    int timeoutMs = kDefaultTimeoutMs;
    int jobs = 1;
    bool quiet = false;
    bool help = false;
    bool save = false;
    bool reset = false;
    bool dryRun = false;
    bool onlyDiffering = false;
    bool all = false;
    bool history = false;

private:
    bool takeOption(const QStringList& arguments, int* i, QString* error);
    bool takeValue(const QStringList& arguments, int* i, const QString& name, QString* value,
                   QString* error) const;
    bool takeNumber(const QStringList& arguments, int* i, const QString& name, int min, int max, int* value,
                    QString* error) const;
    bool allows(const QString& option) const;

    QStringList m_seen; // the options given, in order
};
