#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// What a kind of SQLite file holds: how it is recognised and how it is created.
struct tagSqliteSchema
{
    QString kind;                 // for the log: "records", "statistics", ...
    qint32 applicationId = 0;     // PRAGMA application_id, fixed per kind, so that a foreign file is refused
    int version = 1;              // PRAGMA user_version of the layout below
    QStringList tables;           // tables that a file of this kind must have
    QStringList createStatements; // run in one transaction when a new file is made: the layout of version
    // upgrades[n] turns layout n into layout n + 1. A file of an older layout is copied aside and then taken
    // through every step up to version in one transaction. Steps are never changed once released: a change
    // of layout is a new version with a new step, and createStatements are changed to match it.
    QMap<int, QStringList> upgrades;
};
