#include "QFuncodeComparer_Servo.h"

#include "QDeviceServo.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace {
const int kAxes = 3;

// Groups meet by the first word of their names; blanks around a name (as files may carry) do not count.
QString firstWord(const QString& text)
{
    return text.trimmed().section(QLatin1Char(' '), 0, 0);
}

QStringList threeTexts(const QStringList& texts)
{
    QStringList three = texts.mid(0, kAxes);
    while (three.size() < kAxes) {
        three.append(QString());
    }
    return three;
}

bool hasText(const QStringList& texts)
{
    return !texts.join(QString()).isEmpty();
}
} // namespace

bool QFuncodeComparer_Servo::valuesEqual(int axisNumA, const std::array<qint64, 3>& valuesA, int axisNumB,
                                         const std::array<qint64, 3>& valuesB)
{
    const int axes = (axisNumA > 0 && axisNumB > 0) ? qMin(qMin(axisNumA, axisNumB), kAxes) : 1;
    for (int axis = 0; axis < axes; ++axis) {
        if (valuesA[size_t(axis)] != valuesB[size_t(axis)]) {
            return false;
        }
    }
    return true;
}

QString QFuncodeComparer_Servo::modelOf(const QString& devText)
{
    static const QRegularExpression separators(QStringLiteral("[-|_]"));
    return devText.split(separators).value(0);
}

QStringList QFuncodeComparer_Servo::groupOrder(const tagCompareSource_Servo& a,
                                               const tagCompareSource_Servo& b)
{
    QStringList names = a.groupMap.keys();
    for (const QString& name : b.groupMap.keys()) {
        if (!a.groupMap.contains(name)) {
            names.append(name);
        }
    }
    QStringList order;
    QSet<QString> keys;
    for (const QString& name : QDeviceServo::orderGroupName(names)) {
        const QString key = firstWord(name);
        if (!keys.contains(key)) {
            keys.insert(key);
            order.append(name);
        }
    }
    return order;
}

bool QFuncodeComparer_Servo::passesPresence(const tagCompareFuncode_Servo& record, int presenceFilter)
{
    const bool inA = hasText(record.textsA);
    const bool inB = hasText(record.textsB);
    switch (presenceFilter) {
    case PRESENCE_IN_A:
        return inA;
    case PRESENCE_IN_B:
        return inB;
    case PRESENCE_IN_BOTH:
        return inA && inB;
    default:
        return true;
    }
}

// Every code of the groups whose names start with the key, by number; the first of a repeated number wins.
QFuncodeComparer_Servo::CodeMap QFuncodeComparer_Servo::codesOfKey(const tagCompareSource_Servo& source,
                                                                   const QString& key)
{
    CodeMap codes;
    for (auto group = source.groupMap.constBegin(); group != source.groupMap.constEnd(); ++group) {
        if (firstWord(group.key()) != key) {
            continue;
        }
        for (const tagExportFuncodePtr_Servo& code : group.value()) {
            if (code && !codes.contains(code->funIndex)) {
                codes.insert(code->funIndex, code);
            }
        }
    }
    return codes;
}

void QFuncodeComparer_Servo::fillSide(const tagExportFuncode_Servo* code, std::array<qint64, 3>* values,
                                      QStringList* texts)
{
    if (!code) {
        *texts = threeTexts(QStringList());
        return;
    }
    *values = code->curValue;
    *texts = threeTexts(code->valueTexts);
}

tagCompareFuncodePtr_Servo QFuncodeComparer_Servo::makeRecord(const tagCompareSource_Servo& a,
                                                              const tagCompareSource_Servo& b,
                                                              const tagExportFuncode_Servo* inA,
                                                              const tagExportFuncode_Servo* inB)
{
    auto record = tagCompareFuncodePtr_Servo::create();
    for (const tagExportFuncode_Servo* code : {inA, inB}) {
        if (code) {
            record->group = code->groupName.trimmed();
            record->funIndex = code->funIndex;
            record->funName = code->funName;
        }
    }
    if (inA) {
        record->devA = modelOf(a.devText);
        record->nameTagA = QStringLiteral("(%1)").arg(a.name);
    }
    if (inB) {
        record->devB = modelOf(b.devText);
        record->nameTagB = QStringLiteral("(%1)").arg(b.name);
    }
    fillSide(inA, &record->valuesA, &record->textsA);
    fillSide(inB, &record->valuesB, &record->textsB);
    record->equal = inA && inB && valuesEqual(a.axisNum, record->valuesA, b.axisNum, record->valuesB);
    return record;
}

QFuncodeComparer_Servo::Result QFuncodeComparer_Servo::compare(const tagCompareSource_Servo& a,
                                                               const tagCompareSource_Servo& b,
                                                               int presenceFilter)
{
    Result result;
    if (a.groupMap.isEmpty() || b.groupMap.isEmpty()) {
        return result;
    }
    for (const QString& groupName : groupOrder(a, b)) {
        const QString key = firstWord(groupName);
        const CodeMap codesA = codesOfKey(a, key);
        const CodeMap codesB = codesOfKey(b, key);
        // Both maps are sorted by number: one merge walk visits the union in text order.
        auto itA = codesA.constBegin();
        auto itB = codesB.constBegin();
        while (itA != codesA.constEnd() || itB != codesB.constEnd()) {
            const bool takeA =
                itB == codesB.constEnd() || (itA != codesA.constEnd() && itA.key() <= itB.key());
            const bool takeB =
                itA == codesA.constEnd() || (itB != codesB.constEnd() && itB.key() <= itA.key());
            tagCompareFuncodePtr_Servo record =
                makeRecord(a, b, takeA ? itA.value().data() : nullptr, takeB ? itB.value().data() : nullptr);
            itA += takeA ? 1 : 0;
            itB += takeB ? 1 : 0;
            if (!passesPresence(*record, presenceFilter)) {
                continue;
            }
            result.all.append(record);
            if (!record->equal) {
                result.differing.append(record);
            }
        }
    }
    return result;
}
