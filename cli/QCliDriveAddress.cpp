#include "QCliDriveAddress.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {
const int kMaxPort = 65535;
const int kMaxBaud = 4000000;
} // namespace

bool QCliDriveAddress::isDriveText(const QString& text)
{
    static const QRegularExpression prefix(QStringLiteral("^(sim|tcp|rtu):"));
    return prefix.match(text).hasMatch();
}

bool QCliDriveAddress::parse(const QString& address, QString* error)
{
    text = address;
    const QString rest = address.mid(4);
    if (address.startsWith(QLatin1String("sim:"))) {
        settings = QDriveLinkSettings::simulated();
        modelName = rest;
        if (modelName.isEmpty()) {
            *error = tr("STR_CLI_ADDRESS_NO_MODEL").arg(address);
            return false;
        }
        return true;
    }
    if (address.startsWith(QLatin1String("tcp:"))) {
        return parseTcp(rest, error);
    }
    if (address.startsWith(QLatin1String("rtu:"))) {
        return parseRtu(rest, error);
    }
    *error = tr("STR_CLI_ADDRESS_UNKNOWN").arg(address);
    return false;
}

// "/UNIT" at the end of rest, taken off it.
bool QCliDriveAddress::takeUnit(QString* rest, QString* error)
{
    static const QRegularExpression unitSuffix(QStringLiteral("/(\\d+)$"));
    const QRegularExpressionMatch match = unitSuffix.match(*rest);
    if (!match.hasMatch()) {
        settings.unitId = 1;
        return true;
    }
    bool ok = false;
    const int unit = match.captured(1).toInt(&ok);
    if (!ok || unit < 1 || unit > QDriveLinkSettings::kMaxUnitId) {
        *error = tr("STR_CLI_ADDRESS_BAD_UNIT").arg(text, match.captured(1)).arg(QDriveLinkSettings::kMaxUnitId);
        return false;
    }
    settings.unitId = unit;
    rest->chop(match.capturedLength(0));
    return true;
}

bool QCliDriveAddress::parseTcp(const QString& address, QString* error)
{
    QString rest = address;
    if (!takeUnit(&rest, error)) {
        return false;
    }
    const int colon = rest.lastIndexOf(QLatin1Char(':'));
    const QString host = colon < 0 ? QString() : rest.left(colon);
    bool ok = false;
    const int port = colon < 0 ? 0 : rest.mid(colon + 1).toInt(&ok);
    if (host.isEmpty() || !ok || port < 1 || port > kMaxPort) {
        *error = tr("STR_CLI_ADDRESS_BAD_TCP").arg(text);
        return false;
    }
    const int unit = settings.unitId;
    settings = QDriveLinkSettings::tcp(host, port, unit);
    return true;
}

bool QCliDriveAddress::parseRtu(const QString& address, QString* error)
{
    QString rest = address;
    QStringList fields = rest.split(QLatin1Char(':'));
    // A device path alone may end in digits ("/dev/pts/3"): "/N" after it is a unit only when the path
    // without it names a device and the whole does not.
    const bool pathOnly = fields.size() == 1;
    const bool pathIsWhole = pathOnly && QFileInfo::exists(rest);
    if (!pathIsWhole) {
        if (!takeUnit(&rest, error)) {
            return false;
        }
        fields = rest.split(QLatin1Char(':'));
    }
    const int unit = settings.unitId;
    if (fields.size() > 3 || fields.first().isEmpty()) {
        *error = tr("STR_CLI_ADDRESS_BAD_RTU").arg(text);
        return false;
    }
    int baud = 115200;
    if (fields.size() > 1) {
        bool ok = false;
        baud = fields.at(1).toInt(&ok);
        if (!ok || baud < 1 || baud > kMaxBaud) {
            *error = tr("STR_CLI_ADDRESS_BAD_BAUD").arg(text, fields.at(1));
            return false;
        }
    }
    QDriveLinkSettings::enParity parity = QDriveLinkSettings::ParityEven;
    if (fields.size() > 2) {
        const QStringList names{"none", "even", "odd"};
        const int index = names.indexOf(fields.at(2).toLower());
        if (index < 0) {
            *error = tr("STR_CLI_ADDRESS_BAD_PARITY").arg(text, fields.at(2));
            return false;
        }
        parity = static_cast<QDriveLinkSettings::enParity>(index);
    }
    settings = QDriveLinkSettings::rtu(fields.first(), baud, parity, pathIsWhole ? 1 : unit);
    return true;
}
