// The workbench's SQLite files (records, statistics, configuration, ".funcodeservo") opened from whatever
// a disk may hold. The first byte picks the kind of file, the rest is the file. A file that is refused
// must come back untouched and with a reason; a file that opens must answer reads and take a write. A
// ".funcodeservo" file is only read, so it comes back untouched whatever it holds, and a reason for not
// reading it is short (the run's memory limit catches a value that is huge only when read).
#include "FuzzRegistry.h"
#include "FuzzTempFile.h"
#include "QConfigDB_Servo.h"
#include "QExportDB_Servo.h"
#include "QRecordDB_Servo.h"
#include "QStatistics.h"

#include <QFile>

#include <cstdio>

namespace {
const QString kAlias = QStringLiteral("SD110");

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void useRecords(QRecordDB_Servo& db)
{
    const QList<tagModifyFuncode_Servo> records = db.getModifyFunCodes(kAlias);
    for (const tagModifyFuncode_Servo& record : records) {
        db.getModifyFunCode(kAlias, record.strTime, record.funIndex);
        db.getNoTimeReleParamValMap(kAlias, record.funIndex);
    }
    tagModifyFuncode_Servo record;
    record.funIndex = QStringLiteral("P00.01");
    db.insertModifyFunCode(kAlias, record);
    db.renameAlias(kAlias, QStringLiteral("SD110-2"));
}

void useStatistics(QStatistics& db)
{
    db.getSortedFuncodeModifyData(kAlias, true);
    db.eventCount(kAlias, QStringLiteral("P00.01"));
    db.addFuncodeModifyEvent(kAlias, QStringLiteral("P00.01"), tagFuncodeModifyData());
    db.renameDevice(kAlias, QStringLiteral("SD110-2"));
}

void useConfig(QConfigDB_Servo& db)
{
    for (const QString& name : db.devNames()) {
        tagDevConfigInfo_Servo info;
        db.getDevConfigInfo(name, &info);
        db.getAxisNum(name);
        db.convertToNewDevName(name);
        db.getDevHisFaultFormat(info.identFamily, info.identFirmware, info.identNumber);
    }
    db.addRenamedModel(QStringLiteral("OLD"), kAlias);
}

// A refused file keeps its bytes and the refusal says why.
bool refusedCleanly(const QString& path, const QByteArray& file, const QString& reason)
{
    if (reason.isEmpty()) {
        std::fprintf(stderr, "The file was refused without a reason.\n");
        return false;
    }
    if (contents(path) != file) {
        std::fprintf(stderr, "The file was refused (%s) but changed.\n", qPrintable(reason));
        return false;
    }
    return true;
}

template <typename Database, typename Use>
bool openAndUse(const QString& path, const QByteArray& file, Use use)
{
    Database db;
    if (!db.open(path)) {
        return refusedCleanly(path, file, db.lastError());
    }
    use(db);
    db.close();
    return true;
}

bool useExportFile(const QString& path, const QByteArray& file)
{
    QExportDB_Servo db;
    if (!db.openForReading(path)) {
        return refusedCleanly(path, file, db.lastError()) && db.lastError().size() < 400;
    }
    db.getImportDevInfoRecords();
    const QString reason = db.lastError();
    db.closeDatabase();
    if (reason.size() >= 400) {
        std::fprintf(stderr, "The reason for not reading the file is %d characters long.\n", int(reason.size()));
        return false;
    }
    if (contents(path) != file) {
        std::fprintf(stderr, "The file was changed by reading it.\n");
        return false;
    }
    return true;
}
} // namespace

SERVO_FUZZ_TARGET(database)
{
    if (data.isEmpty()) {
        return true;
    }
    const QByteArray file = data.mid(1);
    const QString path = FuzzTempFile::write(file, QStringLiteral(".db"));
    if (path.isEmpty()) {
        return false;
    }
    switch (quint8(data.at(0)) % 4) {
    case 0:
        return openAndUse<QRecordDB_Servo>(path, file, useRecords);
    case 1:
        return openAndUse<QStatistics>(path, file, useStatistics);
    case 2:
        return openAndUse<QConfigDB_Servo>(path, file, useConfig);
    default:
        return useExportFile(path, file);
    }
}
