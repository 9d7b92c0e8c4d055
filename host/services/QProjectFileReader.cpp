#include "QProjectFileReader.h"

#include "QLibLogger.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

#include <cmath>

namespace {
const int kReadableProjectFormat = 1;

} // namespace

bool QProjectFileReader::read(const QByteArray& bytes, const QString& fileName)
{
    m_fileName = fileName;
    m_devices.clear();
    m_problems.clear();
    m_error.clear();
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (doc.isNull() || !doc.isObject()) {
        QLibLogger::self()->warn(QStringLiteral("Project %1 is no JSON object: %2 at offset %3")
                                     .arg(fileName, parseError.errorString())
                                     .arg(parseError.offset));
        m_error = tr("STR_PROJECT_NOT_VALID").arg(fileName);
        return false;
    }
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toInt() != kReadableProjectFormat) {
        QLibLogger::self()->warn(
            QStringLiteral("Project %1 has no \"format\": %2").arg(fileName).arg(kReadableProjectFormat));
        m_error = tr("STR_PROJECT_NOT_VALID").arg(fileName);
        return false;
    }
    readDevices(root.value(QStringLiteral("devices")));
    return true;
}

void QProjectFileReader::readDevices(const QJsonValue& devices)
{
    if (devices.isUndefined()) {
        return;
    }
    if (!devices.isArray()) {
        m_problems.append(tr("STR_PROJECT_DEVICES_NOT_LIST").arg(typeName(devices)));
        return;
    }
    const QJsonArray list = devices.toArray();
    for (int i = 0; i < list.size(); ++i) {
        tagProjectDevice device;
        if (readEntry(list.at(i), i + 1, &device)) {
            m_devices.append(device);
        }
    }
}

bool QProjectFileReader::readEntry(const QJsonValue& value, int entry, tagProjectDevice* device)
{
    device->entry = entry;
    if (!value.isObject()) {
        m_problems.append(
            tr("STR_PROJECT_ENTRY_SKIPPED")
                .arg(entryName(entry, QString()), tr("STR_PROJECT_ENTRY_NOT_OBJECT").arg(typeName(value))));
        return false;
    }
    const QJsonObject obj = value.toObject();
    const QJsonValue alias = obj.value(QStringLiteral("alias"));
    device->alias = alias.toString().trimmed();
    const QJsonValue model = obj.value(QStringLiteral("model"));
    device->model = model.toString().trimmed();
    if (!alias.isUndefined() && !alias.isString()) {
        m_problems.append(
            tr("STR_PROJECT_ENTRY_SKIPPED")
                .arg(entryName(entry, QString()), tr("STR_PROJECT_ENTRY_BAD_ALIAS").arg(typeName(alias))));
        return false;
    }
    if (device->model.isEmpty()) {
        m_problems.append(
            tr("STR_PROJECT_ENTRY_SKIPPED")
                .arg(entryName(entry, device->alias), tr("STR_PROJECT_ENTRY_NO_MODEL").arg(typeName(model))));
        return false;
    }
    device->refreshInterval = boundedInt(obj, QStringLiteral("refreshInterval"), 0, kMaxRefreshIntervalMs,
                                         *device, &device->hasRefreshInterval);
    device->timeoutMs = boundedInt(obj, QStringLiteral("timeoutMs"), kMinTimeoutMs, kMaxTimeoutMs, *device,
                                   &device->hasTimeout);
    device->replyDelayMs =
        boundedInt(obj, QStringLiteral("replyDelayMs"), 0, kMaxReplyDelayMs, *device, &device->hasReplyDelay);
    device->online = obj.value(QStringLiteral("online")).toBool(true);
    // Files of earlier versions name the link with a text; those drives were all simulated.
    device->link = obj.value(QStringLiteral("link")).toObject();
    for (const QJsonValue& code : obj.value(QStringLiteral("monitored")).toArray()) {
        if (code.isString() && !code.toString().isEmpty()) {
            device->monitored.append(code.toString());
        }
    }
    return true;
}

// A number of the entry within [low, high]. A value out of range is brought to the nearest limit, a value
// that is no number is left out; both are logged, so that the file can be put right.
int QProjectFileReader::boundedInt(const QJsonObject& obj, const QString& key, int low, int high,
                                   const tagProjectDevice& device, bool* given)
{
    *given = false;
    const QJsonValue value = obj.value(key);
    if (value.isUndefined()) {
        return 0;
    }
    const QString where =
        QStringLiteral("Project %1, %2, \"%3\"").arg(m_fileName, entryName(device.entry, device.alias), key);
    if (!value.isDouble() || !std::isfinite(value.toDouble())) {
        QLibLogger::self()->warn(
            QStringLiteral("%1 is %2, not a number; it is ignored").arg(where, typeName(value)));
        return 0;
    }
    *given = true;
    const double number = value.toDouble();
    if (number >= low && number <= high) {
        return int(std::lround(number));
    }
    const int bounded = number < low ? low : high;
    QLibLogger::self()->warn(QStringLiteral("%1: %2 is outside %3 to %4; %5 is used")
                                 .arg(where)
                                 .arg(number, 0, 'g', 17)
                                 .arg(low)
                                 .arg(high)
                                 .arg(bounded));
    return bounded;
}

QString QProjectFileReader::entryName(int entry, const QString& alias)
{
    return alias.isEmpty() ? tr("STR_PROJECT_ENTRY_UNNAMED").arg(entry)
                           : tr("STR_PROJECT_ENTRY_NAMED").arg(entry).arg(alias);
}

QString QProjectFileReader::typeName(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        return tr("STR_JSON_NULL");
    case QJsonValue::Bool:
        return tr("STR_JSON_BOOL");
    case QJsonValue::Double:
        return tr("STR_JSON_NUMBER");
    case QJsonValue::String:
        return tr("STR_JSON_TEXT");
    case QJsonValue::Array:
        return tr("STR_JSON_LIST");
    case QJsonValue::Object:
        return tr("STR_JSON_OBJECT");
    case QJsonValue::Undefined:
        break;
    }
    return tr("STR_JSON_MISSING");
}
