#include "QParameterFingerprint_Servo.h"

#include "QCompareSourceBuilder_Servo.h"
#include "QDeviceServo.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <algorithm>

namespace {
const int kMaxAxes = 3;
// The first line of what is hashed: another layout of the input gets another first line.
const char kHashHeader[] = "servo parameter set 1\n";
} // namespace

QParameterFingerprint_Servo::Result QParameterFingerprint_Servo::unavailable(const QString& reason)
{
    Result result;
    result.reason = reason;
    return result;
}

QParameterFingerprint_Servo::Result QParameterFingerprint_Servo::ofDevice(const QDeviceServo& device)
{
    QList<Entry> entries;
    const int axes = qBound(1, device.getAxisNum(), kMaxAxes);
    const QDeviceServo::FuncodeGroupMap& groups = device.getNormalFuncodeGroupMap();
    for (const QList<tagSubFuncode_Servo*>& codes : groups) {
        for (const tagSubFuncode_Servo* fun : codes) {
            Entry entry;
            entry.number = fun->funIndex;
            for (int axis = 0; axis < axes; ++axis) {
                qint64 raw = 0;
                if (!device.curValue(fun->funIndex, axis, &raw)) {
                    return unavailable(tr("STR_FINGERPRINT_VALUE_UNKNOWN")
                                           .arg(QStringLiteral("%1 (%2)").arg(
                                               fun->funIndex, QDeviceServo::getAxisName(axis))));
                }
                entry.raw.append(raw);
            }
            entries.append(entry);
        }
    }
    return compute(QStringLiteral("%1_%2").arg(device.getDevName(), device.getConfigVersion()), entries);
}

QParameterFingerprint_Servo::Result QParameterFingerprint_Servo::ofFile(const tagExportDevInfo_Servo& info)
{
    return ofSource(QCompareSourceBuilder_Servo::fromFile(QString(), info));
}

QParameterFingerprint_Servo::Result
QParameterFingerprint_Servo::ofSource(const tagCompareSource_Servo& source)
{
    const QString unknown = QCompareSourceBuilder_Servo::firstUnknownValue(source);
    if (!unknown.isEmpty()) {
        return unavailable(tr("STR_FINGERPRINT_VALUE_UNKNOWN").arg(unknown));
    }
    QList<Entry> entries;
    for (const tagExportFuncodeList_Servo& codes : source.groupMap) {
        for (const tagExportFuncodePtr_Servo& code : codes) {
            if (!code) {
                continue;
            }
            Entry entry;
            entry.number = code->funIndex;
            const int axes = qBound(1, source.axisNum > 0 ? source.axisNum : code->axisNum, kMaxAxes);
            for (int axis = 0; axis < axes; ++axis) {
                entry.raw.append(code->curValue[size_t(axis)]);
            }
            entries.append(entry);
        }
    }
    return compute(source.devText, entries);
}

QParameterFingerprint_Servo::Result QParameterFingerprint_Servo::compute(const QString& devText,
                                                                         QList<Entry> entries)
{
    if (entries.isEmpty()) {
        return unavailable(tr("STR_FINGERPRINT_NO_CODES"));
    }
    // Number order, each number once (the first of a repeated number counts, as in a comparison).
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.number < b.number; });
    static const QRegularExpression separator(QStringLiteral("[-_]"));
    const int cut = devText.indexOf(separator);
    const QString model = cut < 0 ? devText : devText.left(cut);
    const QString version = cut < 0 ? QString() : devText.mid(cut + 1);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(kHashHeader);
    hash.addData(QStringLiteral("%1\n%2\n").arg(model, version).toUtf8());
    Result result;
    QString previous;
    for (const Entry& entry : qAsConst(entries)) {
        if (result.codeCount > 0 && entry.number == previous) {
            continue;
        }
        QStringList raw;
        for (qint64 value : entry.raw) {
            raw.append(QString::number(value));
        }
        hash.addData(QStringLiteral("%1=%2\n").arg(entry.number, raw.join(QLatin1Char(','))).toUtf8());
        previous = entry.number;
        ++result.codeCount;
    }
    result.available = true;
    result.hex = QString::fromLatin1(hash.result().toHex());
    return result;
}

QString QParameterFingerprint_Servo::describe(const Result& result)
{
    if (!result.available) {
        return tr("STR_FINGERPRINT_UNAVAILABLE").arg(result.reason);
    }
    return tr("STR_FINGERPRINT_TEXT").arg(result.hex);
}
