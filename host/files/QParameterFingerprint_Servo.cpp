#include "QParameterFingerprint_Servo.h"

#include "QDeviceServo.h"
#include "QLibSetting.h"
#include "QSystemSetting.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace {
const int kMaxAxes = 3;
// The first line of what is hashed: another layout of the input gets another first line.
const char kHashHeader[] = "servo parameter set 1\n";

bool isUnknownText(const QString& text)
{
    return text.isEmpty() || text == QLatin1String("null");
}
} // namespace

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
                entry.raw.append(device.getCurValue(fun->funIndex, axis));
                if (entry.unknownAxis.isEmpty() && !device.hasValue(fun->funIndex, axis)) {
                    entry.unknownAxis = QDeviceServo::getAxisName(axis);
                }
            }
            entries.append(entry);
        }
    }
    return compute(QStringLiteral("%1_%2").arg(device.getDevName(), device.getConfigVersion()), entries);
}

QParameterFingerprint_Servo::Result QParameterFingerprint_Servo::ofFile(const tagExportDevInfo_Servo& info)
{
    const int authority = QLibSetting::self()->getSystemSetting()->getAuthority();
    QList<tagExportFuncodePtr_Servo> visible;
    for (const tagExportFuncodePtr_Servo& code : info.funcodes) {
        if (code && QDeviceServo::isAuthValid(code->authority, authority)) {
            visible.append(code);
        }
    }
    return ofCodes(info.devText, info.axisNumText.toInt(), visible);
}

QParameterFingerprint_Servo::Result
QParameterFingerprint_Servo::ofCodes(const QString& devText, int axisNum,
                                     const QList<tagExportFuncodePtr_Servo>& codes)
{
    QList<Entry> entries;
    for (const tagExportFuncodePtr_Servo& code : codes) {
        if (!code) {
            continue;
        }
        Entry entry;
        entry.number = code->funIndex;
        const int axes = qBound(1, axisNum > 0 ? axisNum : code->axisNum, kMaxAxes);
        for (int axis = 0; axis < axes; ++axis) {
            entry.raw.append(code->curValue[size_t(axis)]);
            if (entry.unknownAxis.isEmpty() && isUnknownText(code->valueTexts.value(axis))) {
                entry.unknownAxis = QDeviceServo::getAxisName(axis);
            }
        }
        entries.append(entry);
    }
    return compute(devText, entries);
}

QParameterFingerprint_Servo::Result QParameterFingerprint_Servo::compute(const QString& devText,
                                                                         QList<Entry> entries)
{
    Result result;
    if (entries.isEmpty()) {
        result.reason = tr("STR_FINGERPRINT_NO_CODES");
        return result;
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
    QString previous;
    for (const Entry& entry : qAsConst(entries)) {
        if (result.codeCount > 0 && entry.number == previous) {
            continue;
        }
        if (!entry.unknownAxis.isEmpty()) {
            result.reason = tr("STR_FINGERPRINT_VALUE_UNKNOWN").arg(entry.number, entry.unknownAxis);
            return result;
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
