#pragma once

#include <QStringList>

// The function codes the user monitors, in the user's order, each once. Every change reports whether
// the list changed, so the device announces only real changes of the project.
class QServoMonitoredList
{
public:
    bool contains(const QString& funIndex) const { return m_list.contains(funIndex); }
    QStringList list() const { return m_list; }

    // Appends a code not yet in the list; an empty number is refused.
    bool append(const QString& funIndex);
    bool remove(const QString& funIndex);
    bool clear();
    // Moves a code one place up or down; the first cannot go up, the last cannot go down.
    bool moveUp(const QString& funIndex);
    bool moveDown(const QString& funIndex);
    // Takes a whole list (e.g. from a project file), keeping the first of repeated codes.
    bool assign(const QStringList& list);

private:
    bool swap(int pos, int other);

    QStringList m_list;
};
