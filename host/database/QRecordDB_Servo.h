#pragma once

#include "QSqliteDatabase.h"
#include "tagModifyFuncode_Servo.h"

#include <QHash>
#include <QList>
#include <QString>

class QSqlQuery;

// Modification records of function codes, per device alias, in records.db. Every operation returns false
// or an empty result when the database is not open or a query fails (see lastError()).
class QRecordDB_Servo : public QSqliteDatabase
{
public:
    QRecordDB_Servo();
    ~QRecordDB_Servo() override;

    // Removes every record of the device. Must stay the first virtual operation of this class.
    virtual bool clearModifyFunCodes(const QString& alias);

    // Stores one record with its related-parameter map, in one transaction. The alias must not be empty.
    bool insertModifyFunCode(const QString& alias, const tagModifyFuncode_Servo& record);
    // Stores many records in one transaction, the first of the list as the oldest.
    bool insertModifyFunCodes(const QString& alias, const QList<tagModifyFuncode_Servo>& records);
    // All records of the device, newest (last stored) first.
    QList<tagModifyFuncode_Servo> getModifyFunCodes(const QString& alias) const;
    // One page of the device's records for a page that shows them a few at a time: at most `limit` records
    // with an id of at most maxId, newest first, without their related-parameter maps; their ids go to
    // *ids. The next page starts below the last id. Uses the (alias, id) index: as fast deep in a long
    // history as at its start.
    QList<tagModifyFuncode_Servo> getModifyFunCodePage(const QString& alias, qint64 maxId, int limit,
                                                       QList<qint64>* ids) const;
    // The id of the device's newest record; 0 when it has none.
    qint64 lastRecordId(const QString& alias) const;
    // The newest record of a code (with its related-parameter map); an empty record when there is none.
    tagModifyFuncode_Servo getNewestModifyFunCode(const QString& alias, const QString& funIndex) const;
    // The newest record of the code stored with this time text; an empty record when there is none.
    tagModifyFuncode_Servo getModifyFunCode(const QString& alias, const QString& time,
                                            const QString& funIndex) const;
    // A record of the code without time and values whose related-parameter map holds the last known values
    // before and after of the code's related parameters: the map of the newest record of the code that has
    // one, and that record's axis. The map is empty when no record of the code has related parameters.
    tagModifyFuncode_Servo getNoTimeReleParamValMap(const QString& alias, const QString& funIndex) const;
    int recordCount(const QString& alias) const;
    // Moves the records of a device to its new alias (merged with records already stored under it).
    bool renameAlias(const QString& oldAlias, const QString& newAlias);

private:
    static tagSqliteSchema recordSchema();
    bool insertRecord(QSqlQuery& recordQuery, QSqlQuery& relateQuery, const QString& alias,
                      const tagModifyFuncode_Servo& record);
    qint64 newestRecordId(const QString& sql, const QStringList& values) const;
    tagModifyFuncode_Servo loadRecord(qint64 id) const;
    bool loadRelated(qint64 id, tagModifyFuncode_Servo* record) const;
    bool attachRelated(const QString& alias, QList<tagModifyFuncode_Servo>* records,
                       const QHash<qint64, int>& rowById) const;
};
