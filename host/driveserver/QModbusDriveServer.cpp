#include "QModbusDriveServer.h"

#include "QDriveLinkSettings.h"
#include "QSimulatedDriveCore.h"
#include "QSimulatedDriveRegisters.h"

#include <QtEndian>

namespace {
const quint8 kReadHolding = 0x03;
const quint8 kWriteSingle = 0x06;
const quint8 kWriteMultiple = 0x10;
const int kMaxRead = 125;
const int kMaxWrite = 123;
const char* const kAxisNames = "XYZ";

quint16 requestWord(const QByteArray& pdu, int at)
{
    return qFromBigEndian<quint16>(reinterpret_cast<const uchar*>(pdu.constData()) + at);
}

void appendWord(QByteArray* out, quint16 value)
{
    out->append(static_cast<char>(value >> 8));
    out->append(static_cast<char>(value & 0xFF));
}

QString hex(int address)
{
    return QStringLiteral("0x%1")
        .arg(address, 4, 16, QLatin1Char('0'))
        .toUpper()
        .replace(QLatin1String("0X"), QLatin1String("0x"));
}
} // namespace

struct QModbusDriveServer::Drive
{
    std::unique_ptr<QSimulatedDriveCore> core;
    std::unique_ptr<QSimulatedDriveRegisters> registers;
    int firstUnit = 1;
};

QModbusDriveServer::QModbusDriveServer(QObject* parent) : QObject(parent) {}

QModbusDriveServer::~QModbusDriveServer() = default;

QSimulatedDriveCore* QModbusDriveServer::addDrive(const QDriveModelPtr& model, int firstUnit, QString* error)
{
    const int last = firstUnit + model->axisNum - 1;
    QString why;
    if (firstUnit < 1 || last > QDriveLinkSettings::kMaxUnitId) {
        why = QStringLiteral("units %1 to %2 are outside 1 to %3")
                  .arg(firstUnit)
                  .arg(last)
                  .arg(QDriveLinkSettings::kMaxUnitId);
    }
    for (int unit = firstUnit; unit <= last && why.isEmpty(); ++unit) {
        if (driveOf(unit, nullptr)) {
            why = QStringLiteral("unit %1 already serves another drive").arg(unit);
        }
    }
    if (!why.isEmpty()) {
        if (error) {
            *error = why;
        }
        return nullptr;
    }
    auto drive = std::make_unique<Drive>();
    drive->core = std::make_unique<QSimulatedDriveCore>(model);
    drive->registers = std::make_unique<QSimulatedDriveRegisters>(drive->core.get());
    drive->firstUnit = firstUnit;
    m_drives.push_back(std::move(drive));
    return m_drives.back()->core.get();
}

QList<QSimulatedDriveCore*> QModbusDriveServer::drives() const
{
    QList<QSimulatedDriveCore*> list;
    for (const auto& drive : m_drives) {
        list.append(drive->core.get());
    }
    return list;
}

QModbusDriveServer::Drive* QModbusDriveServer::driveOf(int unit, int* axis) const
{
    for (const auto& drive : m_drives) {
        const int a = unit - drive->firstUnit;
        if (a >= 0 && a < drive->core->axisNum()) {
            if (axis) {
                *axis = a;
            }
            return drive.get();
        }
    }
    return nullptr;
}

QSimulatedDriveCore* QModbusDriveServer::driveAt(int unit, int* axis) const
{
    Drive* drive = driveOf(unit, axis);
    return drive ? drive->core.get() : nullptr;
}

void QModbusDriveServer::resetCounters()
{
    m_requests = 0;
    m_reads = 0;
    m_writes = 0;
}

QByteArray QModbusDriveServer::exception(quint8 function, int code)
{
    QByteArray pdu;
    pdu.append(static_cast<char>(function | 0x80));
    pdu.append(static_cast<char>(code));
    return pdu;
}

QModbusDriveServer::Reply QModbusDriveServer::handle(int unit, const QByteArray& pdu)
{
    Reply reply;
    int axis = 0;
    Drive* drive = driveOf(unit, &axis);
    if (!drive || pdu.isEmpty()) {
        return reply; // no drive there: the bus stays silent
    }
    ++m_requests;
    const QDriveRequestFate fate = drive->core->beginRequest();
    const quint8 function = static_cast<quint8>(pdu.at(0));
    QString log = QStringLiteral("unit %1 (%2 %3) ")
                      .arg(unit)
                      .arg(drive->core->model()->modelName)
                      .arg(QLatin1Char(kAxisNames[axis]));
    if (!drive->core->isOnline()) {
        log += QStringLiteral("function %1: offline, no reply").arg(function);
    } else {
        if (function == kReadHolding) {
            reply.pdu = readHolding(*drive, axis, pdu, &log);
        } else if (function == kWriteSingle) {
            reply.pdu = writeSingle(*drive, axis, pdu, &log);
        } else if (function == kWriteMultiple) {
            reply.pdu = writeMultiple(*drive, axis, pdu, &log);
        } else {
            reply.pdu = exception(function, QSimulatedDriveRegisters::ILLEGAL_FUNCTION);
            log += QStringLiteral("function %1").arg(function);
        }
        if (reply.pdu.size() == 2 && (static_cast<quint8>(reply.pdu.at(0)) & 0x80)) {
            log += QStringLiteral(" -> exception %1").arg(int(reply.pdu.at(1)));
        } else {
            log += QStringLiteral(" -> ok");
        }
        reply.send = !fate.drop;
        reply.delayMs = m_replyDelayMs + fate.extraDelayMs;
        if (fate.drop) {
            log += QStringLiteral(" (reply lost)");
        } else if (fate.extraDelayMs > 0) {
            log += QStringLiteral(" (reply %1 ms late)").arg(fate.extraDelayMs);
        }
    }
    if (m_verbose) {
        emit requestLogged(log);
    }
    return reply;
}

QByteArray QModbusDriveServer::readHolding(Drive& drive, int axis, const QByteArray& pdu, QString* log)
{
    ++m_reads;
    if (pdu.size() != 5) {
        *log += QStringLiteral("read: malformed");
        return exception(kReadHolding, QSimulatedDriveRegisters::ILLEGAL_VALUE);
    }
    const int address = requestWord(pdu, 1);
    const int count = requestWord(pdu, 3);
    *log += QStringLiteral("read %1+%2").arg(hex(address)).arg(count);
    const QString codes = m_verbose ? drive.registers->describeBlock(address, count) : QString();
    if (!codes.isEmpty()) {
        *log += QStringLiteral(" (%1)").arg(codes);
    }
    if (count < 1 || count > kMaxRead) {
        return exception(kReadHolding, QSimulatedDriveRegisters::ILLEGAL_VALUE);
    }
    QVector<quint16> words;
    const int error = drive.registers->read(axis, address, count, &words);
    if (error != QSimulatedDriveRegisters::NO_EXCEPTION) {
        return exception(kReadHolding, error);
    }
    QByteArray out;
    out.append(static_cast<char>(kReadHolding));
    out.append(static_cast<char>(count * 2));
    for (quint16 w : qAsConst(words)) {
        appendWord(&out, w);
    }
    return out;
}

QByteArray QModbusDriveServer::writeSingle(Drive& drive, int axis, const QByteArray& pdu, QString* log)
{
    ++m_writes;
    if (pdu.size() != 5) {
        *log += QStringLiteral("write: malformed");
        return exception(kWriteSingle, QSimulatedDriveRegisters::ILLEGAL_VALUE);
    }
    const int address = requestWord(pdu, 1);
    QStringList written;
    const int error = drive.registers->write(axis, address, {requestWord(pdu, 3)}, &written);
    *log += QStringLiteral("write %1 %2").arg(hex(address), written.join(QLatin1Char(' ')));
    return error == QSimulatedDriveRegisters::NO_EXCEPTION ? pdu : exception(kWriteSingle, error);
}

QByteArray QModbusDriveServer::writeMultiple(Drive& drive, int axis, const QByteArray& pdu, QString* log)
{
    ++m_writes;
    const int count = pdu.size() >= 6 ? requestWord(pdu, 3) : 0;
    if (pdu.size() < 6 || count < 1 || count > kMaxWrite || static_cast<quint8>(pdu.at(5)) != count * 2 ||
        pdu.size() != 6 + count * 2) {
        *log += QStringLiteral("write: malformed");
        return exception(kWriteMultiple, QSimulatedDriveRegisters::ILLEGAL_VALUE);
    }
    const int address = requestWord(pdu, 1);
    QVector<quint16> values;
    for (int i = 0; i < count; ++i) {
        values.append(requestWord(pdu, 6 + 2 * i));
    }
    QStringList written;
    const int error = drive.registers->write(axis, address, values, &written);
    *log += QStringLiteral("write %1+%2 %3").arg(hex(address)).arg(count).arg(written.join(QLatin1Char(' ')));
    if (error != QSimulatedDriveRegisters::NO_EXCEPTION) {
        return exception(kWriteMultiple, error);
    }
    return pdu.left(5);
}
