#include "QDriveLinkSettings.h"

#include <QStringList>

namespace {
const char* const kKindNames[] = {"simulated", "modbus-tcp", "modbus-rtu"};
const char* const kParityNames[] = {"none", "even", "odd"};

int indexOfName(const char* const* names, int count, const QString& name)
{
    for (int i = 0; i < count; ++i) {
        if (name == QLatin1String(names[i])) {
            return i;
        }
    }
    return -1;
}
} // namespace

QDriveLinkSettings QDriveLinkSettings::tcp(const QString& host, int port, int unitId)
{
    QDriveLinkSettings s;
    s.kind = ModbusTcp;
    s.host = host;
    s.port = port;
    s.unitId = unitId;
    return s;
}

QDriveLinkSettings QDriveLinkSettings::rtu(const QString& serialPort, int baudRate, enParity parity,
                                           int unitId)
{
    QDriveLinkSettings s;
    s.kind = ModbusRtu;
    s.serialPort = serialPort;
    s.baudRate = baudRate;
    s.parity = parity;
    s.unitId = unitId;
    return s;
}

bool QDriveLinkSettings::check(int axisNum, QString* error) const
{
    QString why;
    if (kind == Simulated) {
        return true;
    }
    if (unitId < 1 || unitId + qMax(1, axisNum) - 1 > kMaxUnitId) {
        why = tr("STR_LINK_BAD_UNIT").arg(unitId).arg(kMaxUnitId - qMax(1, axisNum) + 1);
    } else if (timeoutMs < 10 || timeoutMs > 60000) {
        why = tr("STR_LINK_BAD_TIMEOUT").arg(timeoutMs);
    } else if (kind == ModbusTcp && host.trimmed().isEmpty()) {
        why = tr("STR_LINK_NO_HOST");
    } else if (kind == ModbusTcp && (port < 1 || port > 65535)) {
        why = tr("STR_LINK_BAD_PORT").arg(port);
    } else if (kind == ModbusRtu && serialPort.trimmed().isEmpty()) {
        why = tr("STR_LINK_NO_SERIAL_PORT");
    } else if (kind == ModbusRtu && (baudRate < 300 || baudRate > 4000000)) {
        why = tr("STR_LINK_BAD_BAUD").arg(baudRate);
    }
    if (error) {
        *error = why;
    }
    return why.isEmpty();
}

QString QDriveLinkSettings::kindName() const
{
    switch (kind) {
    case ModbusTcp:
        return QStringLiteral("Modbus TCP");
    case ModbusRtu:
        return QStringLiteral("Modbus RTU");
    default:
        return QStringLiteral("Simulated");
    }
}

QString QDriveLinkSettings::describe() const
{
    switch (kind) {
    case ModbusTcp:
        return QStringLiteral("%1 %2:%3, unit %4").arg(kindName(), host).arg(port).arg(unitId);
    case ModbusRtu:
        return QStringLiteral("%1 %2 %3 %4%5%6, unit %7")
            .arg(kindName(), serialPort)
            .arg(baudRate)
            .arg(dataBits)
            .arg(QStringLiteral("NEO").at(parity))
            .arg(stopBits)
            .arg(unitId);
    default:
        return kindName();
    }
}

QJsonObject QDriveLinkSettings::toJson() const
{
    QJsonObject obj;
    obj.insert(QStringLiteral("kind"), QLatin1String(kKindNames[kind]));
    if (kind == Simulated) {
        return obj;
    }
    obj.insert(QStringLiteral("unit"), unitId);
    obj.insert(QStringLiteral("timeoutMs"), timeoutMs);
    if (kind == ModbusTcp) {
        obj.insert(QStringLiteral("host"), host);
        obj.insert(QStringLiteral("port"), port);
        obj.insert(QStringLiteral("ownServer"), ownServer);
        return obj;
    }
    obj.insert(QStringLiteral("serialPort"), serialPort);
    obj.insert(QStringLiteral("baudRate"), baudRate);
    obj.insert(QStringLiteral("parity"), QLatin1String(kParityNames[parity]));
    obj.insert(QStringLiteral("dataBits"), dataBits);
    obj.insert(QStringLiteral("stopBits"), stopBits);
    return obj;
}

bool QDriveLinkSettings::fromJson(const QJsonObject& obj, QDriveLinkSettings* settings, QString* error)
{
    QDriveLinkSettings s;
    const int kind = indexOfName(kKindNames, 3, obj.value(QStringLiteral("kind")).toString(kKindNames[0]));
    const int parity =
        indexOfName(kParityNames, 3, obj.value(QStringLiteral("parity")).toString(kParityNames[s.parity]));
    if (kind < 0 || parity < 0) {
        if (error) {
            *error = tr("STR_LINK_BAD_SETTINGS").arg(obj.value(QStringLiteral("kind")).toString());
        }
        return false;
    }
    s.kind = static_cast<enKind>(kind);
    s.parity = static_cast<enParity>(parity);
    s.unitId = obj.value(QStringLiteral("unit")).toInt(s.unitId);
    s.timeoutMs = obj.value(QStringLiteral("timeoutMs")).toInt(s.timeoutMs);
    s.host = obj.value(QStringLiteral("host")).toString(s.host);
    s.port = obj.value(QStringLiteral("port")).toInt(s.port);
    s.ownServer = obj.value(QStringLiteral("ownServer")).toBool(false);
    s.serialPort = obj.value(QStringLiteral("serialPort")).toString();
    s.baudRate = obj.value(QStringLiteral("baudRate")).toInt(s.baudRate);
    s.dataBits = obj.value(QStringLiteral("dataBits")).toInt(s.dataBits);
    s.stopBits = obj.value(QStringLiteral("stopBits")).toInt(s.stopBits);
    *settings = s;
    return true;
}

bool QDriveLinkSettings::operator==(const QDriveLinkSettings& o) const
{
    return toJson() == o.toJson();
}
