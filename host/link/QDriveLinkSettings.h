#pragma once

#include <QCoreApplication>
#include <QJsonObject>
#include <QMetaType>
#include <QString>

// How the workbench reaches one drive: the simulated drive in the process, or a drive on Modbus TCP
// or Modbus RTU. Kept with the device in the project file.
class QDriveLinkSettings
{
    Q_DECLARE_TR_FUNCTIONS(QDriveLinkSettings)
public:
    enum enKind
    {
        Simulated = 0,
        ModbusTcp = 1,
        ModbusRtu = 2
    };
    enum enParity
    {
        ParityNone = 0,
        ParityEven = 1,
        ParityOdd = 2
    };

    static const int kDefaultTimeoutMs = 500;
    static const int kMaxUnitId = 247;

    enKind kind = Simulated;
    // Modbus: the unit id of axis X; axis Y and Z answer at the ids after it.
    int unitId = 1;
    int timeoutMs = kDefaultTimeoutMs;
    // TCP
    QString host = QStringLiteral("127.0.0.1");
    int port = 502;
    // RTU
    QString serialPort;
    int baudRate = 115200;
    enParity parity = ParityEven;
    int dataBits = 8;
    int stopBits = 1;
    // The workbench starts a simulated drive server for this drive itself (TCP on loopback only).
    bool ownServer = false;

    static QDriveLinkSettings simulated() { return QDriveLinkSettings(); }
    static QDriveLinkSettings tcp(const QString& host, int port, int unitId);
    static QDriveLinkSettings rtu(const QString& serialPort, int baudRate, enParity parity, int unitId);

    bool isModbus() const { return kind != Simulated; }
    // Whether the settings can be used for a drive of axisNum axes; error says why not.
    bool check(int axisNum, QString* error) const;
    // "Modbus TCP 127.0.0.1:1502, unit 1" and the like.
    QString describe() const;
    // The name of the kind of link ("Simulated", "Modbus TCP", "Modbus RTU").
    QString kindName() const;

    QJsonObject toJson() const;
    // Reads what toJson wrote; a missing value keeps its default, a wrong one gives false and error.
    static bool fromJson(const QJsonObject& obj, QDriveLinkSettings* settings, QString* error);

    bool operator==(const QDriveLinkSettings& o) const;
    bool operator!=(const QDriveLinkSettings& o) const { return !(*this == o); }
};
Q_DECLARE_METATYPE(QDriveLinkSettings)
