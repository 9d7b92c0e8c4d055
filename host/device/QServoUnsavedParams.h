#pragma once

#include <QColor>
#include <QSet>
#include <QString>
#include <array>
#include <functional>

// Which function codes of which axis were written since the drive last stored its values through
// power-off, and how the tables show that.
class QServoUnsavedParams
{
public:
    static constexpr int kAxes = 3;

    // Marks the code of the axis unsaved; an axis outside 0..2 is ignored.
    void setUnsaved(const QString& funIndex, int axis);
    bool isUnsaved(const QString& funIndex, int axis) const;
    // Whether the code is unsaved on any of the first axisNum axes.
    bool isUnsavedOnAnyAxis(const QString& funIndex, int axisNum) const;
    // The drive stored (or dropped) every value of the axis.
    void clearAxis(int axis);
    // Forgets the codes for which gone returns true (e.g. codes the drive no longer has).
    void forgetIf(const std::function<bool(const QString&)>& gone);

    // The text and background of a code in the tables, over the first axisNum axes.
    QString savedText(const QString& funIndex, int axisNum) const;
    QColor saveColor(const QString& funIndex, int axisNum) const;

private:
    static bool isAxis(int axis) { return axis >= 0 && axis < kAxes; }

    std::array<QSet<QString>, kAxes> m_unsaved;
};
