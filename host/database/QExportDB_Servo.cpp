#include "QExportDB_Servo.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QVariant>

#include <cstdio>

namespace {
const qint32 kExportApplicationId = 0x53574631; // "SWF1"
const int kExportVersion = 1;

// In the order of the rows themselves, not of an index: a damaged index cannot hide a row.
const char* const kSelectFuncode =
    "SELECT device_id, canopen_addr, usb_code, group_name, fun_index, fun_name, cur_value_x, cur_value_y, "
    "cur_value_z, data_type, value_texts, axis_num, authority, cur_value_texts, min_text, max_text, "
    "default_text, unit_text, remark_text FROM funcode NOT INDEXED ORDER BY id";

// A text list as one JSON array: keeps every text exactly, and tells an empty list from a list of one
// empty text.
QString encodeTexts(const QStringList& texts)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(texts)).toJson(QJsonDocument::Compact));
}

QStringList decodeTexts(const QString& json)
{
    QStringList texts;
    const QJsonArray array = QJsonDocument::fromJson(json.toUtf8()).array();
    texts.reserve(array.size());
    for (const QJsonValue& value : array) {
        texts.append(value.toString());
    }
    return texts;
}

tagExportFuncodePtr_Servo funcodeFromQuery(const QSqlQuery& query)
{
    tagExportFuncodePtr_Servo funcode(new tagExportFuncode_Servo);
    funcode->canopenAddr = query.value(1).toInt();
    funcode->usbCode = query.value(2).toInt();
    funcode->groupName = query.value(3).toString();
    funcode->funIndex = query.value(4).toString();
    funcode->funName = query.value(5).toString();
    for (int axis = 0; axis < 3; ++axis) {
        funcode->curValue[axis] = query.value(6 + axis).toLongLong();
    }
    funcode->dataType = query.value(9).toInt();
    funcode->valueTexts = decodeTexts(query.value(10).toString());
    funcode->axisNum = query.value(11).toInt();
    // One text per axis of the code; files keep three whatever the axis count.
    funcode->valueTexts = funcode->valueTexts.mid(0, qMax(0, funcode->axisNum));
    funcode->authority = query.value(12).toInt();
    funcode->curValueTexts = decodeTexts(query.value(13).toString());
    funcode->minText = query.value(14).toString();
    funcode->maxText = query.value(15).toString();
    funcode->defaultText = query.value(16).toString();
    funcode->unitText = query.value(17).toString();
    funcode->remarkText = query.value(18).toString();
    return funcode;
}
} // namespace

tagSqliteSchema QExportDB_Servo::exportSchema()
{
    tagSqliteSchema schema;
    schema.kind = QStringLiteral("funcode file");
    schema.applicationId = kExportApplicationId;
    schema.version = kExportVersion;
    schema.tables = QStringList{QStringLiteral("device"), QStringLiteral("funcode")};
    schema.createStatements = QStringList{
        QStringLiteral("CREATE TABLE IF NOT EXISTS device (id INTEGER PRIMARY KEY, dev_text TEXT NOT NULL, "
                       "axis_num_text TEXT NOT NULL, commu_name TEXT NOT NULL, export_time TEXT NOT NULL, "
                       "mode_text TEXT NOT NULL)"),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS funcode (id INTEGER PRIMARY KEY, device_id INTEGER NOT NULL, "
            "canopen_addr INTEGER NOT NULL, usb_code INTEGER NOT NULL, group_name TEXT NOT NULL, "
            "fun_index TEXT NOT NULL, fun_name TEXT NOT NULL, cur_value_x INTEGER NOT NULL, "
            "cur_value_y INTEGER NOT NULL, cur_value_z INTEGER NOT NULL, data_type INTEGER NOT NULL, "
            "value_texts TEXT NOT NULL, axis_num INTEGER NOT NULL, authority INTEGER NOT NULL, "
            "cur_value_texts TEXT NOT NULL, min_text TEXT NOT NULL, max_text TEXT NOT NULL, "
            "default_text TEXT NOT NULL, unit_text TEXT NOT NULL, remark_text TEXT NOT NULL)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS funcode_device ON funcode (device_id, id)")};
    return schema;
}

QExportDB_Servo::QExportDB_Servo() : QSqliteDatabase(exportSchema()) {}

QExportDB_Servo::~QExportDB_Servo() = default;

bool QExportDB_Servo::openDatabase(const QString& path)
{
    return open(path);
}

bool QExportDB_Servo::openForReading(const QString& path)
{
    closeDatabase();
    return QSqliteDatabase::openForReading(path, kMaxFileBytes, kMaxValueBytes);
}

bool QExportDB_Servo::createDatabase()
{
    if (!checkOpen()) {
        return false;
    }
    const QStringList present = database().tables(QSql::Tables);
    bool complete = true;
    for (const QString& table : schema().tables) {
        complete = complete && present.contains(table);
    }
    // Nothing is written to a complete file, so that a read-only file opens for reading.
    if (complete) {
        return true;
    }
    return inTransaction([this] {
        for (const QString& statement : schema().createStatements) {
            if (!execSql(statement)) {
                return false;
            }
        }
        return true;
    });
}

bool QExportDB_Servo::createDatabase(const QString& path)
{
    closeDatabase();
    m_writeFailed = false;
    if (path.isEmpty()) {
        return fail(tr("STR_DB_NO_PATH"));
    }
    if (QFileInfo(path).isDir()) {
        return fail(tr("STR_DB_NOT_A_FILE"));
    }
    const QString temporary = temporaryPathFor(path);
    if (!openDatabase(temporary) || !createDatabase()) {
        close();
        QFile::remove(temporary);
        m_writeFailed = true;
        return false;
    }
    m_pendingTarget = path;
    return true;
}

bool QExportDB_Servo::closeDatabase()
{
    const QString target = m_pendingTarget;
    const QString temporary = path();
    m_pendingTarget.clear();
    close();
    if (target.isEmpty()) {
        return true;
    }
    if (m_writeFailed) {
        QFile::remove(temporary);
        return false;
    }
    return replaceFile(temporary, target);
}

QList<tagExportDevInfo_Servo> QExportDB_Servo::getImportDevInfoRecords() const
{
    QList<tagExportDevInfo_Servo> devices;
    if (!checkOpen()) {
        return devices;
    }
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!prepare(query,
                 QStringLiteral("SELECT id, dev_text, axis_num_text, commu_name, export_time, mode_text "
                                "FROM device NOT INDEXED ORDER BY id")) ||
        !exec(query)) {
        return devices;
    }
    QHash<qint64, int> rowById;
    while (query.next()) {
        if (devices.size() >= kMaxDevices) {
            fail(tr("STR_DB_TOO_MANY_DEVICES").arg(kMaxDevices));
            return QList<tagExportDevInfo_Servo>();
        }
        tagExportDevInfo_Servo device;
        device.devText = query.value(1).toString();
        device.axisNumText = query.value(2).toString();
        device.commuName = query.value(3).toString();
        device.exportTime = query.value(4).toString();
        device.modeText = query.value(5).toString();
        rowById.insert(query.value(0).toLongLong(), devices.size());
        devices.append(device);
    }
    if (readFailed(query) || !loadFuncodes(&devices, rowById)) {
        return QList<tagExportDevInfo_Servo>();
    }
    return devices;
}

bool QExportDB_Servo::loadFuncodes(QList<tagExportDevInfo_Servo>* devices,
                                   const QHash<qint64, int>& rowById) const
{
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!prepare(query, QString::fromLatin1(kSelectFuncode)) || !exec(query)) {
        return false;
    }
    int count = 0;
    while (query.next()) {
        if (++count > kMaxFuncodes) {
            return fail(tr("STR_DB_TOO_MANY_FUNCODES").arg(kMaxFuncodes));
        }
        const int row = rowById.value(query.value(0).toLongLong(), -1);
        if (row >= 0) {
            (*devices)[row].funcodes.append(funcodeFromQuery(query));
        }
    }
    return !readFailed(query);
}

bool QExportDB_Servo::addRecords(const tagExportDevInfo_Servo& info)
{
    return addRecords(QList<tagExportDevInfo_Servo>{info});
}

bool QExportDB_Servo::addRecords(const QList<tagExportDevInfo_Servo>& infos)
{
    if (!checkOpen()) {
        return false;
    }
    const bool written = inTransaction([&] {
        QSqlQuery deviceQuery(database());
        QSqlQuery funcodeQuery(database());
        if (!prepare(deviceQuery, QStringLiteral("INSERT INTO device (dev_text, axis_num_text, commu_name, "
                                                 "export_time, mode_text) VALUES (?, ?, ?, ?, ?)")) ||
            !prepare(funcodeQuery,
                     QStringLiteral("INSERT INTO funcode (device_id, canopen_addr, usb_code, group_name, "
                                    "fun_index, fun_name, cur_value_x, cur_value_y, cur_value_z, data_type, "
                                    "value_texts, axis_num, authority, cur_value_texts, min_text, max_text, "
                                    "default_text, unit_text, remark_text) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))) {
            return false;
        }
        for (const tagExportDevInfo_Servo& info : infos) {
            if (!insertDevice(deviceQuery, funcodeQuery, info)) {
                return false;
            }
        }
        return true;
    });
    m_writeFailed = m_writeFailed || !written;
    return written || discardCreatedFile();
}

bool QExportDB_Servo::insertDevice(QSqlQuery& deviceQuery, QSqlQuery& funcodeQuery,
                                   const tagExportDevInfo_Servo& info)
{
    deviceQuery.bindValue(0, text(info.devText));
    deviceQuery.bindValue(1, text(info.axisNumText));
    deviceQuery.bindValue(2, text(info.commuName));
    deviceQuery.bindValue(3, text(info.exportTime));
    deviceQuery.bindValue(4, text(info.modeText));
    if (!exec(deviceQuery)) {
        return false;
    }
    const qint64 deviceId = deviceQuery.lastInsertId().toLongLong();
    for (const tagExportFuncodePtr_Servo& funcode : info.funcodes) {
        if (!funcode) {
            return fail(tr("STR_DB_NO_FUNCODE"));
        }
        if (!insertFuncode(funcodeQuery, deviceId, *funcode)) {
            return false;
        }
    }
    return true;
}

bool QExportDB_Servo::insertFuncode(QSqlQuery& query, qint64 deviceId, const tagExportFuncode_Servo& funcode)
{
    query.bindValue(0, deviceId);
    query.bindValue(1, funcode.canopenAddr);
    query.bindValue(2, funcode.usbCode);
    query.bindValue(3, text(funcode.groupName));
    query.bindValue(4, text(funcode.funIndex));
    query.bindValue(5, text(funcode.funName));
    for (int axis = 0; axis < 3; ++axis) {
        query.bindValue(6 + axis, qlonglong(funcode.curValue[axis]));
    }
    query.bindValue(9, funcode.dataType);
    query.bindValue(10, encodeTexts(funcode.valueTexts));
    query.bindValue(11, funcode.axisNum);
    query.bindValue(12, funcode.authority);
    query.bindValue(13, encodeTexts(funcode.curValueTexts));
    query.bindValue(14, text(funcode.minText));
    query.bindValue(15, text(funcode.maxText));
    query.bindValue(16, text(funcode.defaultText));
    query.bindValue(17, text(funcode.unitText));
    query.bindValue(18, text(funcode.remarkText));
    return exec(query);
}

// After a failed write: a file that this open made holds an unfinished export; remove it and say so.
// Always false, the result of the failed write.
bool QExportDB_Servo::discardCreatedFile()
{
    if (!createdFile()) {
        return false;
    }
    const QString file = path();
    close();
    QFile::remove(file + QStringLiteral("-journal"));
    if (!QFile::remove(file)) {
        return fail(tr("STR_DB_WRITE_FAILED"));
    }
    return fail(tr("STR_DB_WRITE_FAILED") + QLatin1Char(' ') + tr("STR_DB_PARTIAL_REMOVED"));
}

bool QExportDB_Servo::writeFile(const QString& path, const QList<tagExportDevInfo_Servo>& devices)
{
    if (!createDatabase(path)) {
        return false;
    }
    const bool added = addRecords(devices);
    return closeDatabase() && added;
}

// A free name beside the target, so that the final rename stays on one file system.
QString QExportDB_Servo::temporaryPathFor(const QString& path)
{
    QString candidate = path + QStringLiteral(".part");
    for (int i = 1; QFileInfo::exists(candidate) || QFileInfo::exists(candidate + QStringLiteral("-journal"));
         ++i) {
        candidate = QStringLiteral("%1.%2.part").arg(path).arg(i);
    }
    return candidate;
}

bool QExportDB_Servo::replaceFile(const QString& from, const QString& to)
{
    // rename() replaces the target in one step where the system allows it.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0) {
        return true;
    }
    if ((!QFile::exists(to) || QFile::remove(to)) && QFile::rename(from, to)) {
        return true;
    }
    QFile::remove(from);
    return fail(tr("STR_DB_CANNOT_CREATE"), QStringLiteral("cannot move %1 to %2").arg(from, to));
}
