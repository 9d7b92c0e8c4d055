#include "QModbusRegisterMap.h"

#include "QFuncodeScaling.h"

#include <QRegExp>

QModbusRegisterMap::QModbusRegisterMap(const QDriveModelPtr& model) : m_model(model)
{
    int end = 0;
    for (int row = 0; row < m_model->codes.size(); ++row) {
        end = qMax(end, span(row).end());
    }
    end = qBound(0, end, int(QDriveModel::kReservedRegisterStart));
    m_holding.fill(-1, end);
    m_first.fill(false, end);
    for (int row = 0; row < m_model->codes.size(); ++row) {
        const QRegisterSpan s = span(row);
        for (int r = qMax(0, s.address); r < qMin(s.end(), end); ++r) {
            m_holding[r] = row;
            m_first[r] = r == s.address;
        }
    }
}

int QModbusRegisterMap::rowStartingAt(int address) const
{
    if (address < 0 || address >= m_first.size() || !m_first.at(address)) {
        return -1;
    }
    return m_holding.at(address);
}

int QModbusRegisterMap::registerCount(int dataType)
{
    return QFuncodeScaling::dataTypeBits(dataType) / 16;
}

QRegisterSpan QModbusRegisterMap::span(int row) const
{
    if (row < 0 || row >= m_model->codes.size()) {
        return QRegisterSpan(0, 0);
    }
    const tagSubFuncode_Servo& fun = m_model->codes.at(row);
    return QRegisterSpan(fun.modbusAddr, registerCount(fun.dataType));
}

int QModbusRegisterMap::rowHolding(int address, int* word) const
{
    const int row = (address >= 0 && address < m_holding.size()) ? m_holding.at(address) : -1;
    if (row >= 0 && word) {
        *word = address - m_model->codes.at(row).modbusAddr;
    }
    return row;
}

QVector<quint16> QModbusRegisterMap::encode(qint64 value, int registers)
{
    QVector<quint16> words(qMax(0, registers));
    const quint64 bits = static_cast<quint64>(value);
    for (int i = 0; i < words.size(); ++i) {
        words[i] = static_cast<quint16>((bits >> (16 * (words.size() - 1 - i))) & 0xFFFF);
    }
    return words;
}

qint64 QModbusRegisterMap::decode(const QVector<quint16>& words, int dataType)
{
    return decode(words.constData(), words.size(), dataType);
}

qint64 QModbusRegisterMap::decode(const quint16* words, int count, int dataType)
{
    quint64 bits = 0;
    for (int i = 0; i < count; ++i) {
        bits = (bits << 16) | words[i];
    }
    const int width = 16 * qMin(count, 4);
    const bool isSigned = dataType == 3 || dataType == 7 || dataType == 15;
    if (!isSigned || width == 0 || width >= 64) {
        return static_cast<qint64>(bits);
    }
    const quint64 signBit = quint64(1) << (width - 1);
    if (bits & signBit) {
        bits |= ~((signBit << 1) - 1);
    }
    return static_cast<qint64>(bits);
}

quint32 QModbusRegisterMap::faultNumber(const QString& code)
{
    QString digits = code;
    digits.remove(QRegExp(QStringLiteral("\\D")));
    return digits.left(9).toUInt();
}

QString QModbusRegisterMap::faultCode(quint32 number) const
{
    for (const QDriveFaultDef& def : m_model->faults) {
        if (faultNumber(def.code) == number) {
            return def.code;
        }
    }
    return QString::number(number);
}

QVector<quint16> QModbusRegisterMap::packText(const QByteArray& utf8, int registers)
{
    QVector<quint16> words(qMax(0, registers), 0);
    const int bytes = qMin(utf8.size(), words.size() * 2);
    for (int i = 0; i < bytes; ++i) {
        const quint16 byte = static_cast<quint8>(utf8.at(i));
        words[i / 2] |= (i % 2 == 0) ? static_cast<quint16>(byte << 8) : byte;
    }
    return words;
}

QByteArray QModbusRegisterMap::unpackText(const QVector<quint16>& words)
{
    QByteArray text;
    for (quint16 w : words) {
        text.append(static_cast<char>(w >> 8));
        text.append(static_cast<char>(w & 0xFF));
    }
    const int end = text.indexOf('\0');
    return end < 0 ? text : text.left(end);
}
