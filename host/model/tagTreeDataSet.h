#pragma once

#include <QMetaType>
#include <QString>

// Node kinds of the project tree that the function-code pages react to.
enum enTreeNodeKind
{
    TREE_NODE_DRIVE = 303,
    TREE_NODE_FUNCODE = 321,
    TREE_NODE_STATISTICS = 322,
    TREE_NODE_RECORDS = 323,
    TREE_NODE_MONITORED = 324,
    TREE_NODE_DEFAULT_COMPARE = 325,
    TREE_NODE_ALARM = 402,
    TREE_NODE_ALL_CUR_FAULTS = 403
};

// The project-tree node that the user clicked.
struct tagTreeDataSet
{
    QString strText; // tab title and tool tip
    int type = 0;    // 0: a device node
    int subId = 0;   // enTreeNodeKind
    int nodeData = -1;
    int sequentialIndex = 0;
};

Q_DECLARE_METATYPE(tagTreeDataSet)
