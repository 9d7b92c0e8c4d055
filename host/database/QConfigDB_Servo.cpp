#include "QConfigDB_Servo.h"

#include <QSet>
#include <QSqlQuery>
#include <QVariant>

namespace {
const qint32 kConfigApplicationId = 0x53574331; // "SWC1"
const int kConfigVersion = 1;
// Renames of renames are followed this far; a longer chain is taken for a loop.
const int kMaxRenameChain = 32;
} // namespace

tagSqliteSchema QConfigDB_Servo::configSchema()
{
    tagSqliteSchema schema;
    schema.kind = QStringLiteral("config");
    schema.applicationId = kConfigApplicationId;
    schema.version = kConfigVersion;
    schema.tables = QStringList{QStringLiteral("dev_config"), QStringLiteral("renamed_model"),
                                QStringLiteral("his_fault_format")};
    schema.createStatements = QStringList{
        QStringLiteral("CREATE TABLE dev_config (dev_name TEXT PRIMARY KEY, config_version TEXT NOT NULL, "
                       "axis_num INTEGER NOT NULL, ident_family TEXT NOT NULL, ident_firmware TEXT NOT NULL, "
                       "ident_number INTEGER NOT NULL)"),
        QStringLiteral("CREATE TABLE renamed_model (old_name TEXT PRIMARY KEY, new_name TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE his_fault_format (text1 TEXT NOT NULL, text2 TEXT NOT NULL, "
                       "number INTEGER NOT NULL, row_no INTEGER NOT NULL, fmt_number TEXT NOT NULL, "
                       "name TEXT NOT NULL, data_type INTEGER NOT NULL, byte_len INTEGER NOT NULL, "
                       "param TEXT NOT NULL, reserved INTEGER NOT NULL, "
                       "PRIMARY KEY (text1, text2, number, row_no)) WITHOUT ROWID")};
    return schema;
}

QConfigDB_Servo::QConfigDB_Servo() : QSqliteDatabase(configSchema()) {}

QConfigDB_Servo::~QConfigDB_Servo() = default;

bool QConfigDB_Servo::addDevConfigInfo(const tagDevConfigInfo_Servo& info)
{
    if (!checkOpen()) {
        return false;
    }
    if (info.devName.isEmpty()) {
        return fail(tr("STR_DB_NO_MODEL"));
    }
    QSqlQuery query(database());
    if (!prepare(query,
                 QStringLiteral("INSERT OR REPLACE INTO dev_config (dev_name, config_version, axis_num, "
                                "ident_family, ident_firmware, ident_number) VALUES (?, ?, ?, ?, ?, ?)"))) {
        return false;
    }
    query.addBindValue(text(info.devName));
    query.addBindValue(text(info.configVersion));
    query.addBindValue(info.axisNum);
    query.addBindValue(text(info.identFamily));
    query.addBindValue(text(info.identFirmware));
    query.addBindValue(info.identNumber);
    return exec(query);
}

bool QConfigDB_Servo::getDevConfigInfo(const QString& devName, tagDevConfigInfo_Servo* info) const
{
    if (!checkOpen() || devName.isEmpty()) {
        return false;
    }
    QSqlQuery query(database());
    if (!prepare(query,
                 QStringLiteral("SELECT dev_name, config_version, axis_num, ident_family, ident_firmware, "
                                "ident_number FROM dev_config WHERE dev_name = ?"))) {
        return false;
    }
    query.addBindValue(text(devName));
    if (!exec(query) || !query.next()) {
        return false;
    }
    if (info) {
        info->devName = query.value(0).toString();
        info->configVersion = query.value(1).toString();
        info->axisNum = query.value(2).toInt();
        info->identFamily = query.value(3).toString();
        info->identFirmware = query.value(4).toString();
        info->identNumber = query.value(5).toInt();
    }
    return true;
}

QStringList QConfigDB_Servo::devNames() const
{
    QStringList names;
    if (!checkOpen()) {
        return names;
    }
    QSqlQuery query(database());
    if (!prepare(query, QStringLiteral("SELECT dev_name FROM dev_config ORDER BY dev_name")) ||
        !exec(query)) {
        return names;
    }
    while (query.next()) {
        names.append(query.value(0).toString());
    }
    return names;
}

int QConfigDB_Servo::getAxisNum(const QString& devName) const
{
    tagDevConfigInfo_Servo info;
    if (getDevConfigInfo(devName, &info)) {
        return info.axisNum;
    }
    const int separator = devName.indexOf(QLatin1Char('_'));
    if (separator > 0 && getDevConfigInfo(devName.left(separator), &info)) {
        return info.axisNum;
    }
    return 0;
}

bool QConfigDB_Servo::addRenamedModel(const QString& oldName, const QString& newName)
{
    if (!checkOpen()) {
        return false;
    }
    if (oldName.isEmpty() || newName.isEmpty() || oldName == newName) {
        return fail(tr("STR_DB_NO_MODEL"));
    }
    QSqlQuery query(database());
    if (!prepare(query,
                 QStringLiteral("INSERT OR REPLACE INTO renamed_model (old_name, new_name) VALUES (?, ?)"))) {
        return false;
    }
    query.addBindValue(text(oldName));
    query.addBindValue(text(newName));
    return exec(query);
}

QString QConfigDB_Servo::convertToNewDevName(const QString& oldName) const
{
    if (!checkOpen() || oldName.isEmpty()) {
        return QString();
    }
    QSet<QString> seen{oldName};
    QString current = oldName;
    for (int step = 0; step < kMaxRenameChain; ++step) {
        bool ok = false;
        const QString next = renamedTo(current, &ok);
        if (!ok) {
            return QString();
        }
        if (next.isEmpty() || seen.contains(next)) {
            // The end of the chain, or a loop: the last name reached is the newest one known.
            return current == oldName ? QString() : current;
        }
        seen.insert(next);
        current = next;
    }
    return current;
}

// The name stored for one rename step; empty when the name was not renamed. ok is false on a query failure.
QString QConfigDB_Servo::renamedTo(const QString& name, bool* ok) const
{
    QSqlQuery query(database());
    if (!prepare(query, QStringLiteral("SELECT new_name FROM renamed_model WHERE old_name = ?"))) {
        return QString();
    }
    query.addBindValue(text(name));
    if (!exec(query)) {
        return QString();
    }
    *ok = true;
    return query.next() ? query.value(0).toString() : QString();
}

QHisFaultFormatList_Servo QConfigDB_Servo::getDevHisFaultFormat(const QString& text1, const QString& text2,
                                                                int number) const
{
    QHisFaultFormatList_Servo rows;
    if (!checkOpen()) {
        return rows;
    }
    QSqlQuery query(database());
    if (!prepare(query, QStringLiteral("SELECT fmt_number, name, data_type, byte_len, param, reserved FROM "
                                       "his_fault_format WHERE text1 = ? AND text2 = ? AND number = ? "
                                       "ORDER BY row_no"))) {
        return rows;
    }
    query.addBindValue(text(text1));
    query.addBindValue(text(text2));
    query.addBindValue(number);
    if (!exec(query)) {
        return rows;
    }
    while (query.next()) {
        tagHisFaultFormat_Servo row;
        row.number = query.value(0).toString();
        row.name = query.value(1).toString();
        row.dataType = query.value(2).toInt();
        row.byteLen = query.value(3).toInt();
        row.param = query.value(4).toString();
        row.reserved = query.value(5).toInt();
        rows.append(row);
    }
    return rows;
}

bool QConfigDB_Servo::hasDevHisFaultFormat(const QString& text1, const QString& text2, int number) const
{
    if (!checkOpen()) {
        return false;
    }
    QSqlQuery query(database());
    if (!prepare(query, QStringLiteral("SELECT 1 FROM his_fault_format WHERE text1 = ? AND text2 = ? AND "
                                       "number = ? LIMIT 1"))) {
        return false;
    }
    query.addBindValue(text(text1));
    query.addBindValue(text(text2));
    query.addBindValue(number);
    return exec(query) && query.next();
}

bool QConfigDB_Servo::saveHisFaultFromat(const QString& text1, const QString& text2, int number,
                                         const QHisFaultFormatList_Servo& rows)
{
    if (!checkOpen()) {
        return false;
    }
    return inTransaction([&] {
        QSqlQuery remove(database());
        if (!prepare(remove, QStringLiteral("DELETE FROM his_fault_format WHERE text1 = ? AND text2 = ? AND "
                                            "number = ?"))) {
            return false;
        }
        remove.addBindValue(text(text1));
        remove.addBindValue(text(text2));
        remove.addBindValue(number);
        return exec(remove) && insertFormatRows(text1, text2, number, rows);
    });
}

bool QConfigDB_Servo::insertFormatRows(const QString& text1, const QString& text2, int number,
                                       const QHisFaultFormatList_Servo& rows)
{
    QSqlQuery query(database());
    if (!prepare(query,
                 QStringLiteral("INSERT INTO his_fault_format (text1, text2, number, row_no, fmt_number, "
                                "name, data_type, byte_len, param, reserved) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))) {
        return false;
    }
    for (int i = 0; i < rows.size(); ++i) {
        const tagHisFaultFormat_Servo& row = rows.at(i);
        query.bindValue(0, text(text1));
        query.bindValue(1, text(text2));
        query.bindValue(2, number);
        query.bindValue(3, i);
        query.bindValue(4, text(row.number));
        query.bindValue(5, text(row.name));
        query.bindValue(6, row.dataType);
        query.bindValue(7, row.byteLen);
        query.bindValue(8, text(row.param));
        query.bindValue(9, row.reserved);
        if (!exec(query)) {
            return false;
        }
    }
    return true;
}
