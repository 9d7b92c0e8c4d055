#pragma once

#include "tagCompareFuncode_Servo.h"
#include "tagCompareSource_Servo.h"

#include <QHash>
#include <QList>
#include <array>
#include <vector>

// Compares the function codes of two sources. Groups are matched by the first word of their names
// (so "P0 Motor" in one file meets "P0 Motor and encoder" in another), visited in the drive's group
// display order; within a group the numbers of both sources are merged and sorted as text. A code
// present in one source only is part of the result and counts as differing. A code whose value is not
// known on either side (tagExportFuncode_Servo::unknownAxes) on an axis both sources have is not
// compared.
class QFuncodeComparer_Servo
{
public:
    // Which records a preset comparison keeps: all, or those with values in A, in B, or in both.
    enum enPresenceFilter
    {
        PRESENCE_NONE = 0,
        PRESENCE_IN_A = 1,
        PRESENCE_IN_B = 2,
        PRESENCE_IN_BOTH = 3
    };

    struct Result
    {
        QList<tagCompareFuncodePtr_Servo> all;
        // Not equal: what is shown when only differences are shown, so also the codes not compared (whoever
        // looks for differences must see what could not be compared). A subset of all, same order.
        QList<tagCompareFuncodePtr_Servo> differing;
        QList<tagCompareFuncodePtr_Servo> notCompared; // a subset of differing, same order
    };

    static Result compare(const tagCompareSource_Servo& a, const tagCompareSource_Servo& b,
                          int presenceFilter = PRESENCE_NONE);

    // Equal when the raw values agree on every axis both sources have; a source whose axis count is not
    // known (0 or less) is compared on axis X only.
    static bool valuesEqual(int axisNumA, const std::array<qint64, 3>& valuesA, int axisNumB,
                            const std::array<qint64, 3>& valuesB);
    // The model part of a device text ("SD330_1.00" -> "SD330").
    static QString modelOf(const QString& devText);
    // Group names of both sources, repeats removed, in display order, one per first word.
    static QStringList groupOrder(const tagCompareSource_Servo& a, const tagCompareSource_Servo& b);
    static bool passesPresence(const tagCompareFuncode_Servo& record, int presenceFilter);

private:
    // Codes sorted by number, each number once.
    typedef std::vector<const tagExportFuncode_Servo*> CodeList;
    // What every record of one side repeats, worked out once: the model, the name tag, and the codes by
    // the first word of their group and by number.
    struct Side
    {
        const tagCompareSource_Servo* source = nullptr;
        QString model;
        QString nameTag;
        QHash<QString, CodeList> codesByKey;
    };

    static Side sideOf(const tagCompareSource_Servo& source);
    static void appendGroup(const Side& a, const Side& b, const QString& key, int presenceFilter,
                            Result* result);
    static tagCompareFuncodePtr_Servo makeRecord(const Side& a, const Side& b,
                                                 const tagExportFuncode_Servo* inA,
                                                 const tagExportFuncode_Servo* inB);
    static void fillSide(const tagExportFuncode_Servo* code, std::array<qint64, 3>* values,
                         QStringList* texts);
    static int comparedAxes(int axisNumA, int axisNumB);
};
