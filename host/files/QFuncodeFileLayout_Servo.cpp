#include "QFuncodeFileLayout_Servo.h"

#include <cmath>

QString QFuncodeFileLayout_Servo::markSignature()
{
    return QStringLiteral("_9786345324_");
}

QString QFuncodeFileLayout_Servo::markLine()
{
    return tr("STR_USED_FOR_IMPORT") + markSignature();
}

QString QFuncodeFileLayout_Servo::endSign()
{
    return QStringLiteral("import end sign");
}

QString QFuncodeFileLayout_Servo::focusMode()
{
    return QStringLiteral("FOCUS");
}

QStringList QFuncodeFileLayout_Servo::deviceFields(const tagExportDevInfo_Servo& info)
{
    return QStringList{info.devText, info.axisNumText, info.commuName, info.modeText};
}

QStringList QFuncodeFileLayout_Servo::headingFields()
{
    const QString value = tr("STR_CUR_VAL");
    const QString text = tr("STR_STRING_VALUE");
    return QStringList{tr("STR_CANOPEN_ADDR"),   tr("STR_USB_CODE"),       tr("STR_FUNCODE"),
                       tr("STR_INDEX"),          tr("STR_FUNCODE_NAME"),   tr("STR_AUTHORITY"),
                       tr("STR_TYPE"),           tr("STR_AXIS_NUM"),       value + QLatin1Char('1'),
                       value + QLatin1Char('2'), value + QLatin1Char('3'), text + QLatin1Char('1'),
                       text + QLatin1Char('2'),  text + QLatin1Char('3')};
}

QStringList QFuncodeFileLayout_Servo::codeFields(const tagExportFuncode_Servo& funcode)
{
    QStringList fields;
    fields.reserve(FIELD_COUNT);
    fields << QString::number(funcode.canopenAddr) << QString::number(funcode.usbCode) << funcode.groupName
           << funcode.funIndex << funcode.funName << QString::number(funcode.authority)
           << QString::number(funcode.dataType) << QString::number(funcode.axisNum);
    for (qint64 raw : funcode.curValue) {
        fields << QString::number(raw);
    }
    // Always three texts, also for a drive of fewer axes.
    for (int axis = 0; axis < 3; ++axis) {
        fields << funcode.valueTexts.value(axis);
    }
    return fields;
}

bool QFuncodeFileLayout_Servo::parseStrictInteger(const QString& text, qint64* value)
{
    return parseStrictInteger(QStringRef(&text), value);
}

bool QFuncodeFileLayout_Servo::parseInteger(const QString& text, qint64* value)
{
    return parseInteger(QStringRef(&text), value);
}

// Kept out of line: callers read bare digits inline first and come here only for other texts, and this
// function inlined into them would push the inline reading out of line.
Q_NEVER_INLINE bool QFuncodeFileLayout_Servo::parseInteger(const QStringRef& text, qint64* value)
{
    // Our own files hold bare digits: only other texts pay for trimming and reading a double.
    if (parseStrictInteger(text, value)) {
        return true;
    }
    const QStringRef t = text.trimmed();
    if (parseStrictInteger(t, value)) {
        return true;
    }
    bool ok = false;
    const double d = t.toDouble(&ok);
    // Beyond 2^53 a double no longer holds every integer: such a number must come as digits.
    if (!ok || !std::isfinite(d) || std::floor(d) != d || std::fabs(d) > 9007199254740992.0) {
        return false;
    }
    if (value) {
        *value = static_cast<qint64>(d);
    }
    return true;
}
