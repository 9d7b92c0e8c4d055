#include "QCompareSourceBuilder_Servo.h"

#include "QDeviceServo.h"
#include "QLibSetting.h"
#include "QSystemSetting.h"

namespace {
const int kLoadedAxes = 3;

// Known for this comparison: known to the device and, when the drive was read for it, read since.
bool isKnownValue(const QDeviceServo& device, const QString& number, int axis, qint64 readSinceMs)
{
    if (!device.hasValue(number, axis)) {
        return false;
    }
    return readSinceMs < 0 || device.isValueReadSince(number, axis, readSinceMs);
}

bool isUnknownText(const QString& text)
{
    return text.isEmpty() || text == QLatin1String("null");
}

tagExportFuncodePtr_Servo exportOf(const QDeviceServo& device, const tagSubFuncode_Servo& fun,
                                   const QString& group, qint64 readSinceMs)
{
    auto code = tagExportFuncodePtr_Servo::create();
    code->groupName = group;
    code->funIndex = fun.funIndex;
    code->funName = fun.funName;
    code->dataType = fun.dataType;
    code->authority = fun.authority;
    code->axisNum = device.getAxisNum();
    for (int axis = 0; axis < kLoadedAxes; ++axis) {
        if (axis < code->axisNum && !isKnownValue(device, fun.funIndex, axis, readSinceMs)) {
            code->unknownAxes |= quint8(1u << axis);
            code->valueTexts.append(QString());
            continue;
        }
        code->curValue[size_t(axis)] = device.getCurValue(fun.funIndex, axis);
        code->valueTexts.append(device.getScaledCurValueStr(fun.funIndex, axis));
    }
    return code;
}
} // namespace

tagCompareSource_Servo QCompareSourceBuilder_Servo::fromDevice(const QDeviceServo& device, qint64 readSinceMs)
{
    tagCompareSource_Servo source;
    source.devText = QStringLiteral("%1_%2").arg(device.getDevName(), device.getConfigVersion());
    source.axisNum = device.getAxisNum();
    source.name = device.getCommuName();
    source.title = device.getShowNameByShowType(false);
    const QDeviceServo::FuncodeGroupMap& groups = device.getNormalFuncodeGroupMap();
    for (auto group = groups.constBegin(); group != groups.constEnd(); ++group) {
        tagExportFuncodeList_Servo& codes = source.groupMap[group.key()];
        codes.reserve(group.value().size());
        for (const tagSubFuncode_Servo* fun : group.value()) {
            codes.append(exportOf(device, *fun, group.key(), readSinceMs));
        }
    }
    return source;
}

tagCompareSource_Servo QCompareSourceBuilder_Servo::fromFile(const QString& path,
                                                             const tagExportDevInfo_Servo& info)
{
    tagCompareSource_Servo source;
    source.devText = info.devText;
    source.axisNum = info.axisNumText.toInt();
    source.name = info.commuName;
    source.title = path;
    const int authority = QLibSetting::self()->getSystemSetting()->getAuthority();
    for (const tagExportFuncodePtr_Servo& code : info.funcodes) {
        if (!code || !QDeviceServo::isAuthValid(code->authority, authority)) {
            continue;
        }
        const int axes = qBound(1, source.axisNum > 0 ? source.axisNum : code->axisNum, kLoadedAxes);
        for (int axis = 0; axis < axes; ++axis) {
            if (isUnknownText(code->valueTexts.value(axis))) {
                code->unknownAxes |= quint8(1u << axis);
            }
        }
        source.groupMap[code->groupName].append(code);
    }
    return source;
}

QString QCompareSourceBuilder_Servo::firstUnknownValue(const tagExportFuncodeList_Servo& codes, int axisNum)
{
    for (const tagExportFuncodePtr_Servo& code : codes) {
        if (!code) {
            continue;
        }
        const int axes = qBound(1, axisNum > 0 ? axisNum : code->axisNum, kLoadedAxes);
        for (int axis = 0; axis < axes; ++axis) {
            if (!code->isKnown(axis)) {
                return QStringLiteral("%1 (%2)").arg(code->funIndex, QDeviceServo::getAxisName(axis));
            }
        }
    }
    return QString();
}

QString QCompareSourceBuilder_Servo::firstUnknownValue(const tagCompareSource_Servo& source)
{
    for (const tagExportFuncodeList_Servo& codes : source.groupMap) {
        const QString unknown = firstUnknownValue(codes, source.axisNum);
        if (!unknown.isEmpty()) {
            return unknown;
        }
    }
    return QString();
}
