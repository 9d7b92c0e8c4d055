#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>

class QButtonGroup;

// The host's tool-bar buttons, one button group per kind of page. Group 9 holds the buttons of the
// servo function-code page, ids 54 to 64 in this order: move up, move down, batch download, import,
// export, print, refresh, read all, compare, find, help.
class QButtonManager : public QObject
{
    Q_OBJECT
public:
    enum
    {
        BUTTON_GROUP_SERVO_FUNCODE = 9
    };
    enum enServoButtonId
    {
        BTN_UP = 54,
        BTN_DOWN = 55,
        BTN_BATCH_DOWNLOAD = 56,
        BTN_IMPORT = 57,
        BTN_EXPORT = 58,
        BTN_PRINT = 59,
        BTN_REFRESH = 60,
        BTN_READ_ALL = 61,
        BTN_COMPARE = 62,
        BTN_FIND = 63,
        BTN_HELP = 64
    };

    explicit QButtonManager(QObject* parent = nullptr);
    ~QButtonManager() override;

    // The group of a kind, made on first use; null for a kind the host has no buttons for.
    QButtonGroup* getButtonGroupByType(int type);
    // Replaces (or, with null, removes) the group of a kind. The manager does not take ownership.
    void setButtonGroup(int type, QButtonGroup* group);

private:
    QButtonGroup* createServoFuncodeGroup();

    QHash<int, QPointer<QButtonGroup>> m_groups;
    QHash<int, bool> m_overridden;
    // Groups this manager made (children of it), also after setButtonGroup replaced them: their buttons
    // that no tool bar adopted are deleted with the manager.
    QList<QPointer<QButtonGroup>> m_madeGroups;
};
