#pragma once

#include "FileFixtures.h"
#include "QConfigDB_Servo.h"
#include "QExportDB_Servo.h"
#include "QRecordDB_Servo.h"
#include "QStatistics.h"

#include <QTemporaryDir>

#include <memory>

namespace DatabaseTestFiles {

using namespace FileFixtures;

// A database of the type on a new file in the folder; null, with the reason as a warning, when it cannot be
// opened.
template <typename Database>
std::unique_ptr<Database> openNew(const QTemporaryDir& dir)
{
    static int files = 0;
    auto db = std::make_unique<Database>();
    if (!db->open(dir.filePath(QString("db-%1-%2.db").arg(db->schema().applicationId).arg(++files)))) {
        qWarning("%s", qPrintable(db->lastError()));
        return nullptr;
    }
    return db;
}

// The names of the files in the folder, sorted.
inline QStringList filesIn(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

// A database of a kind: "records", "statistics", "config", or else the function-code file.
inline std::unique_ptr<QSqliteDatabase> makeDatabase(const QString& kind)
{
    if (kind == "records") {
        return std::make_unique<QRecordDB_Servo>();
    }
    if (kind == "statistics") {
        return std::make_unique<QStatistics>();
    }
    if (kind == "config") {
        return std::make_unique<QConfigDB_Servo>();
    }
    return std::make_unique<QExportDB_Servo>();
}

} // namespace DatabaseTestFiles
