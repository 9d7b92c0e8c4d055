#include "QProjectViewKeeper.h"

#include "DeviceInfo.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QLibLogger.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QProjectTreeWidget.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QSystemSetting.h"
#include "tagTreeDataSet.h"

QProjectViewKeeper::QProjectViewKeeper(QProjectTreeWidget* tree, QObject* parent)
    : QObject(parent), m_tree(tree)
{
    connect(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigClickTree, this,
            &QProjectViewKeeper::remember);
    // Connected after the tree's own rebuild, so the nodes of the new project exist when this runs.
    connect(QProjectCore::self(), &QProjectCore::projectChanged, this, &QProjectViewKeeper::restore);
}

void QProjectViewKeeper::remember(const DeviceInfo* info, const tagTreeDataSet& node)
{
    // Only pages: the drive node alone and the faults of all drives open no page to come back to.
    if (!info || node.type != 0 || !QProjectTreeWidget::pageKinds().contains(node.subId)) {
        return;
    }
    QLibSetting::self()->getSystemSetting()->setLastView(QProjectCore::self()->projectPath(), info->aliasName,
                                                         node.subId);
}

bool QProjectViewKeeper::restore()
{
    const QPair<QString, int> last =
        QLibSetting::self()->getSystemSetting()->getLastView(QProjectCore::self()->projectPath());
    if (!last.first.isEmpty() && QProjectTreeWidget::pageKinds().contains(last.second) &&
        open(last.first, last.second)) {
        return true;
    }
    const auto devices = QProjectCore::self()->getDevMgr()->getDevList();
    return !devices.isEmpty() && open(devices.constFirst()->getAliasName(), TREE_NODE_FUNCODE);
}

bool QProjectViewKeeper::open(const QString& alias, int kind)
{
    if (!m_tree->activateNode(alias, kind)) {
        return false;
    }
    QLibLogger::self()->info(QStringLiteral("Opened node %1 of drive %2").arg(kind).arg(alias));
    return true;
}
