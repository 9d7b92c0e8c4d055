#include "QServoValueTexts.h"

#include "QFuncodeScaling.h"
#include "tagSubFuncode_Servo.h"

#include <QCoreApplication>

namespace {
// The texts are the device's own: they keep its translation context.
QString trServo(const char* key)
{
    return QCoreApplication::translate("QDeviceServo", key);
}
} // namespace

QString QServoValueTexts::rawText(const tagSubFuncode_Servo* fun, qint64 raw)
{
    return fun ? QFuncodeScaling::showText(*fun, raw) : QString::number(raw);
}

QString QServoValueTexts::valueText(const tagSubFuncode_Servo* fun, const QServoValue& v)
{
    if (v.isKnown()) {
        return rawText(fun, v.raw);
    }
    return v.state == QServoValue::STALE && v.readFailed ? QStringLiteral("null") : QString();
}

QString QServoValueTexts::shownText(const tagSubFuncode_Servo* fun, const QServoValue& v)
{
    if (v.state == QServoValue::WRITTEN) {
        return rawText(fun, v.askedRaw);
    }
    if (v.state == QServoValue::NOT_READ) {
        return QStringLiteral("\u2014");
    }
    return valueText(fun, v);
}

QString QServoValueTexts::stateTip(const QServoValue& v)
{
    switch (v.state) {
    case QServoValue::NOT_READ:
        return trServo("STR_VALUE_NOT_READ_TIP");
    case QServoValue::WRITTEN:
        return trServo("STR_VALUE_WRITTEN_TIP");
    case QServoValue::STALE:
        return v.readFailed || !v.hasGood ? trServo("STR_VALUE_READ_FAILED_TIP")
                                          : trServo("STR_VALUE_STALE_TIP").arg(v.ageMs / 1000);
    default:
        return QString();
    }
}

QString QServoValueTexts::lastGoodText(const tagSubFuncode_Servo* fun, const QServoValue& v)
{
    return v.hasGood ? rawText(fun, v.raw) : QString();
}

QString QServoValueTexts::defaultText(const tagSubFuncode_Servo* fun)
{
    if (!fun) {
        return QString();
    }
    qint64 raw = 0;
    if (!QFuncodeScaling::descriptionToRaw(*fun, fun->defaultVal, &raw)) {
        return fun->defaultVal;
    }
    return rawText(fun, raw);
}
