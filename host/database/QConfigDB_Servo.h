#pragma once

#include "QSqliteDatabase.h"
#include "tagDevConfigInfo_Servo.h"
#include "tagHisFaultFormat_Servo.h"

#include <QString>
#include <QStringList>

// Drive models, renamed models and history-record formats, in config.db. Every operation returns false or
// an empty result when the database is not open or a query fails.
class QConfigDB_Servo : public QSqliteDatabase
{
public:
    QConfigDB_Servo();
    ~QConfigDB_Servo() override;

    // Inserts the model or replaces the one of the same devName.
    bool addDevConfigInfo(const tagDevConfigInfo_Servo& info);
    // True when the model is known; fills info when given.
    bool getDevConfigInfo(const QString& devName, tagDevConfigInfo_Servo* info = nullptr) const;
    // Every known model name, sorted.
    QStringList devNames() const;
    // The axis count of a model, given by name or as "<name>_<version>"; 0 when the model is unknown.
    int getAxisNum(const QString& devName) const;

    // Records that the model oldName is now called newName (replacing an earlier entry for oldName).
    bool addRenamedModel(const QString& oldName, const QString& newName);
    // The present name of a renamed model, following renames of renames; empty when oldName was never
    // renamed.
    QString convertToNewDevName(const QString& oldName) const;

    // The history-record format stored under the device's two identifying texts and number, in row order;
    // empty when none is stored.
    QHisFaultFormatList_Servo getDevHisFaultFormat(const QString& text1, const QString& text2,
                                                   int number) const;
    bool hasDevHisFaultFormat(const QString& text1, const QString& text2, int number) const;
    // Replaces the stored rows with these, in one transaction; an empty list removes the format.
    bool saveHisFaultFromat(const QString& text1, const QString& text2, int number,
                            const QHisFaultFormatList_Servo& rows);

private:
    static tagSqliteSchema configSchema();
    QString renamedTo(const QString& name, bool* ok) const;
    bool insertFormatRows(const QString& text1, const QString& text2, int number,
                          const QHisFaultFormatList_Servo& rows);
};
