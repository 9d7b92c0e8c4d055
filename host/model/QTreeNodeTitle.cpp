#include "QTreeNodeTitle.h"

#include "tagTreeDataSet.h"

#include <QCoreApplication>

namespace {
QString trNode(const char* key)
{
    return QCoreApplication::translate("QTreeNodeTitle", key);
}
} // namespace

QString QTreeNodeTitle::title(int kind)
{
    switch (kind) {
    case TREE_NODE_FUNCODE:
        return trNode("STR_NODE_FUNCODE");
    case TREE_NODE_STATISTICS:
        return trNode("STR_NODE_STATISTICS");
    case TREE_NODE_RECORDS:
        return trNode("STR_NODE_RECORDS");
    case TREE_NODE_MONITORED:
        return trNode("STR_NODE_MONITORED");
    case TREE_NODE_DEFAULT_COMPARE:
        return trNode("STR_NODE_DEFAULT_COMPARE");
    case TREE_NODE_ALARM:
        return trNode("STR_NODE_ALARM");
    case TREE_NODE_ALL_CUR_FAULTS:
        return trNode("STR_NODE_ALL_CUR_FAULTS");
    default:
        return QString();
    }
}
