#pragma once

#include <QCoreApplication>
#include <QString>

// The --help texts: the general one and one per command, each with examples.
class QCliHelp
{
    Q_DECLARE_TR_FUNCTIONS(QCliHelp)

public:
    static QString general();
    // The help of a command (its own text and the options every command takes).
    static QString command(const QString& name);
};
