#include "QFuncodeComparer_Servo.h"

#include "QDeviceServo.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace {
const int kAxes = 3;

// Groups meet by the first word of their names; blanks around a name (as files may carry) do not count.
QString firstWord(const QString& text)
{
    return text.trimmed().section(QLatin1Char(' '), 0, 0);
}

QStringList threeTexts(const QStringList& texts)
{
    if (texts.size() == kAxes) {
        return texts;
    }
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

int QFuncodeComparer_Servo::comparedAxes(int axisNumA, int axisNumB)
{
    return (axisNumA > 0 && axisNumB > 0) ? qMin(qMin(axisNumA, axisNumB), kAxes) : 1;
}

bool QFuncodeComparer_Servo::valuesEqual(int axisNumA, const std::array<qint64, 3>& valuesA, int axisNumB,
                                         const std::array<qint64, 3>& valuesB)
{
    const int axes = comparedAxes(axisNumA, axisNumB);
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
    if (presenceFilter == PRESENCE_NONE) {
        return true;
    }
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

// Every code of a source by the first word of its group and by number; the first of a repeated number
// wins.
QFuncodeComparer_Servo::Side QFuncodeComparer_Servo::sideOf(const tagCompareSource_Servo& source)
{
    Side side;
    side.source = &source;
    side.model = modelOf(source.devText);
    side.nameTag = QStringLiteral("(%1)").arg(source.name);
    for (auto group = source.groupMap.constBegin(); group != source.groupMap.constEnd(); ++group) {
        CodeList& codes = side.codesByKey[firstWord(group.key())];
        for (const tagExportFuncodePtr_Servo& code : group.value()) {
            if (code) {
                codes.push_back(code.data());
            }
        }
    }
    auto byNumber = [](const tagExportFuncode_Servo* x, const tagExportFuncode_Servo* y) {
        return x->funIndex < y->funIndex;
    };
    auto sameNumber = [](const tagExportFuncode_Servo* x, const tagExportFuncode_Servo* y) {
        return x->funIndex == y->funIndex;
    };
    for (CodeList& codes : side.codesByKey) {
        // Stable, so that of a repeated number the first one stays.
        std::stable_sort(codes.begin(), codes.end(), byNumber);
        codes.erase(std::unique(codes.begin(), codes.end(), sameNumber), codes.end());
    }
    return side;
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
    for (int axis = 0; axis < kAxes; ++axis) {
        if (!code->isKnown(axis)) {
            (*texts)[axis] = QCoreApplication::translate("QFuncodeComparer_Servo", "STR_COMPARE_NOT_READ");
        }
    }
}

tagCompareFuncodePtr_Servo QFuncodeComparer_Servo::makeRecord(const Side& a, const Side& b,
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
        record->devA = a.model;
        record->nameTagA = a.nameTag;
    }
    if (inB) {
        record->devB = b.model;
        record->nameTagB = b.nameTag;
    }
    fillSide(inA, &record->valuesA, &record->textsA);
    fillSide(inB, &record->valuesB, &record->textsB);
    if (!inA || !inB) {
        return record;
    }
    const int axes = comparedAxes(a.source->axisNum, b.source->axisNum);
    for (int axis = 0; axis < axes; ++axis) {
        record->notCompared = record->notCompared || !inA->isKnown(axis) || !inB->isKnown(axis);
    }
    record->equal = !record->notCompared &&
                    valuesEqual(a.source->axisNum, record->valuesA, b.source->axisNum, record->valuesB);
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
    const Side sideA = sideOf(a);
    const Side sideB = sideOf(b);
    for (const QString& groupName : groupOrder(a, b)) {
        appendGroup(sideA, sideB, firstWord(groupName), presenceFilter, &result);
    }
    return result;
}

// Both lists are sorted by number: one merge walk visits their union in text order.
void QFuncodeComparer_Servo::appendGroup(const Side& a, const Side& b, const QString& key, int presenceFilter,
                                         Result* result)
{
    static const CodeList none;
    const auto foundA = a.codesByKey.constFind(key);
    const auto foundB = b.codesByKey.constFind(key);
    const CodeList& codesA = foundA == a.codesByKey.constEnd() ? none : *foundA;
    const CodeList& codesB = foundB == b.codesByKey.constEnd() ? none : *foundB;
    size_t ia = 0;
    size_t ib = 0;
    while (ia < codesA.size() || ib < codesB.size()) {
        const int order = ia == codesA.size() ? 1
                          : ib == codesB.size()
                              ? -1
                              : QString::compare(codesA[ia]->funIndex, codesB[ib]->funIndex);
        const tagExportFuncode_Servo* inA = order <= 0 ? codesA[ia++] : nullptr;
        const tagExportFuncode_Servo* inB = order >= 0 ? codesB[ib++] : nullptr;
        tagCompareFuncodePtr_Servo record = makeRecord(a, b, inA, inB);
        if (!passesPresence(*record, presenceFilter)) {
            continue;
        }
        result->all.append(record);
        if (!record->equal) {
            result->differing.append(record);
        }
        if (record->notCompared) {
            result->notCompared.append(record);
        }
    }
}
