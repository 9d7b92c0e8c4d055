#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QConfigDB_Servo;
class QExportDB_Servo;
class QRecordDB_Servo;
class QSqliteDatabase;
class QStatistics;

// Owns the workbench's databases: records.db, statistics.db and config.db in the data folder, and the
// database of ".funcodeservo" files. The getters never return null: a database that is not open (before
// open(), or because its file is damaged) answers every operation with false or an empty result.
//
// The application calls open() once at start-up with the data folder and, when it fails, tells the user
// which file is damaged and offers recoverDatabase() for it.
class QDatabaseManager : public QObject
{
    Q_OBJECT
public:
    static QDatabaseManager* self();

    // Opens or creates the three files in dir (created when missing), closing those open before. False
    // when one of them cannot be used; error then names each damaged file and why, one per line. The files
    // that could be opened stay usable.
    bool open(const QString& dir, QString* error = nullptr);
    void close();
    QString dataDir() const { return m_dataDir; }
    // One text per file that open() or recoverDatabase() could not use: "<file name>: <reason>".
    QStringList lastErrors() const { return m_errors.values(); }
    // The file names ("records.db", ...) that could not be opened.
    QStringList damagedFiles() const { return m_errors.keys(); }
    // What the user should know about the files that open() did open: one text per file that was upgraded
    // from an older layout (and where its old contents are kept) or that cannot be written.
    QStringList notices() const { return m_notices; }
    // The file names that opened but cannot be written; changes to them are lost.
    QStringList readOnlyFiles() const { return m_readOnly; }
    // The names of the files kept in the data folder.
    static QStringList databaseFileNames();

    QRecordDB_Servo* getRecordDatabase_Servo() const { return m_recordDb.get(); }
    QStatistics* getStatisticsDatabase() const { return m_statistics.get(); }
    QConfigDB_Servo* getConfigDatabase_Servo() const { return m_configDb.get(); }
    // One object for reading and writing function-code files; not tied to the data folder.
    QExportDB_Servo* getExportDatabase_Servo() { return m_exportDb.get(); }

    // Moves a damaged file of the data folder aside as "<name>-damaged-<yyyyMMdd-hhmmss>.db" (kept, never
    // deleted) and starts a fresh, empty one. fileName is "records.db", "statistics.db" or "config.db"
    // (a path to one of them in the data folder also does). movedTo receives the new path of the old file,
    // empty when there was no file.
    bool recoverDatabase(const QString& fileName, QString* movedTo = nullptr, QString* error = nullptr);

private:
    QDatabaseManager();
    ~QDatabaseManager() override;
    QSqliteDatabase* databaseForFile(const QString& fileName) const;
    bool openOne(const QString& fileName);
    void noteState(const QString& fileName, QSqliteDatabase* database);
    bool moveAside(const QString& path, QString* movedTo, QString* error) const;
    static QString damagedPathFor(const QString& path);
    static void setText(QString* target, const QString& text);

    std::unique_ptr<QRecordDB_Servo> m_recordDb;
    std::unique_ptr<QStatistics> m_statistics;
    std::unique_ptr<QConfigDB_Servo> m_configDb;
    std::unique_ptr<QExportDB_Servo> m_exportDb;
    QString m_dataDir;
    QMap<QString, QString> m_errors; // file name -> error text
    QStringList m_notices;
    QStringList m_readOnly;
};
