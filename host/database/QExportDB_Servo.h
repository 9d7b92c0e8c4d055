#pragma once

#include "QSqliteDatabase.h"
#include "tagExportDevInfo_Servo.h"

#include <QHash>
#include <QList>
#include <QString>

class QSqlQuery;

// A ".funcodeservo" function-code file: a SQLite file holding device headers and their function codes.
//
// Reading:  openForReading(path); getImportDevInfoRecords(); closeDatabase(); the file and its folder stay
//           byte for byte as they were (see QSqliteDatabase::openForReading). Limits of a file read:
//           kMaxFileBytes on disk, kMaxValueBytes per stored value, kMaxDevices devices and kMaxFuncodes
//           function codes; a file beyond any of them is refused with the reason, never read in part.
//           openDatabase(path); createDatabase(); getImportDevInfoRecords() reads a file opened to write.
// Writing:  createDatabase(path); addRecords(...); closeDatabase() builds the file under a temporary name
//           beside path and puts it in place at closeDatabase() only when every write succeeded, so an
//           existing file is replaced whole or not at all. writeFile(path, devices) does the three steps.
//           openDatabase(new path); createDatabase(); addRecords(...) also works: a file made by
//           openDatabase is removed again when a write into it fails.
class QExportDB_Servo : public QSqliteDatabase
{
public:
    static const qint64 kMaxFileBytes = 64LL * 1024 * 1024;
    static const int kMaxValueBytes = 64 * 1024;
    static const int kMaxDevices = 1000;
    static const int kMaxFuncodes = 200000;

    QExportDB_Servo();
    ~QExportDB_Servo() override;

    // Closes the file; after createDatabase(path), puts the new file in place (or, after a failed write,
    // removes it). False when the new file could not be put in place. The first virtual operation.
    virtual bool closeDatabase();
    // Makes sure the open file has its tables; harmless on a valid file. The second virtual operation.
    virtual bool createDatabase();
    // Opens the file, or creates an empty function-code file when the path does not exist. False for a path
    // that cannot be created, a file that is not SQLite, a damaged file, or another program's SQLite file.
    virtual bool openDatabase(const QString& path);
    // Opens an existing function-code file to read it, never changing it. False, with the reason in
    // lastError(), for a file that is not exactly a function-code file of this program.
    bool openForReading(const QString& path);
    // Starts a new file that replaces path when it is closed after successful writes.
    bool createDatabase(const QString& path);

    // Every device header with its function codes, in the order they were stored. Empty, with
    // lastError(), when the file cannot be read to its end or holds more than the limits allow.
    QList<tagExportDevInfo_Servo> getImportDevInfoRecords() const;
    // Appends one device header and its function codes, in one transaction.
    bool addRecords(const tagExportDevInfo_Servo& info);
    // Appends several devices, all or none, in one transaction.
    bool addRecords(const QList<tagExportDevInfo_Servo>& infos);

    // Writes a complete file of these devices at path, replacing a file there only on success. Leaves the
    // database closed. False, with lastError(), when anything fails; nothing is left behind then.
    bool writeFile(const QString& path, const QList<tagExportDevInfo_Servo>& devices);

private:
    static tagSqliteSchema exportSchema();
    bool insertDevice(QSqlQuery& deviceQuery, QSqlQuery& funcodeQuery, const tagExportDevInfo_Servo& info);
    bool insertFuncode(QSqlQuery& query, qint64 deviceId, const tagExportFuncode_Servo& funcode);
    bool loadFuncodes(QList<tagExportDevInfo_Servo>* devices, const QHash<qint64, int>& rowById) const;
    bool discardCreatedFile();
    static QString temporaryPathFor(const QString& path);
    bool replaceFile(const QString& from, const QString& to);

    QString m_pendingTarget; // the file that createDatabase(path) replaces at closeDatabase()
    bool m_writeFailed = false;
};
