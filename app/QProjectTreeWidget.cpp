#include "QProjectTreeWidget.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QTreeNodeTitle.h"
#include "tagTreeDataSet.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>

namespace {
const int kIconSize = 12;
const QColor kOnlineColor(0x2e, 0xa0, 0x43);
const QColor kOfflineColor(0x9a, 0x9a, 0x9a);
const QColor kNotAnsweringColor(0xe0, 0x8a, 0x1e);
const QColor kFaultColor(0xd9, 0x30, 0x25);
} // namespace

QProjectTreeWidget::QProjectTreeWidget(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setObjectName(QStringLiteral("PROJECT_TREE"));
    QDeviceManager* devMgr = QProjectCore::self()->getDevMgr();
    connect(devMgr, &QDeviceManager::SigAddDev, this, &QProjectTreeWidget::addDriveNodes);
    connect(devMgr, &QDeviceManager::SigDelDev, this, &QProjectTreeWidget::removeDriveNodes);
    connect(devMgr, &QDeviceManager::SigDevChange, this, &QProjectTreeWidget::markSelectedDrive);
    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    connect(hub, &QSignalManager::SigDevStatus, this,
            [this](const QString& alias, int, const QString&) { updateDriveNode(alias); });
    connect(hub, &QSignalManager::sigDevInfoChanged, this, &QProjectTreeWidget::updateDriveNode);
    connect(hub, &QSignalManager::SigDeviceFaultChanged, this, &QProjectTreeWidget::updateDriveNode);
    connect(QProjectCore::self(), &QProjectCore::projectChanged, this, &QProjectTreeWidget::rebuild);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { announce(item); });
    rebuild();
}

QList<int> QProjectTreeWidget::pageKinds()
{
    return {TREE_NODE_FUNCODE,   TREE_NODE_STATISTICS,      TREE_NODE_RECORDS,
            TREE_NODE_MONITORED, TREE_NODE_DEFAULT_COMPARE, TREE_NODE_ALARM};
}

void QProjectTreeWidget::rebuild()
{
    clear();
    addTopLevelItem(makeItem(TREE_NODE_ALL_CUR_FAULTS, QString()));
    const auto devices = QProjectCore::self()->getDevMgr()->getDevList();
    for (const auto& device : devices) {
        addDriveNodes(device->getAliasName());
    }
    markSelectedDrive(QProjectCore::self()->getDevMgr()->getSelectAlias());
}

void QProjectTreeWidget::addDriveNodes(const QString& alias)
{
    if (driveItem(alias) || !QProjectCore::self()->getDevMgr()->getDeviceServo(alias)) {
        return;
    }
    QTreeWidgetItem* drive = makeItem(TREE_NODE_DRIVE, alias);
    for (int kind : pageKinds()) {
        drive->addChild(makeItem(kind, alias));
    }
    addTopLevelItem(drive);
    drive->setExpanded(true);
    updateDriveNode(alias);
}

void QProjectTreeWidget::removeDriveNodes(const QString& alias)
{
    delete driveItem(alias);
}

void QProjectTreeWidget::updateDriveNode(const QString& alias)
{
    QTreeWidgetItem* item = driveItem(alias);
    const QDeviceServo* device = QProjectCore::self()->getDevMgr()->getDeviceServo(alias);
    if (!item || !device) {
        return;
    }
    const int status = device->deviceStatus();
    // A drive with a current fault is drawn in the fault colour.
    item->setIcon(0, statusIcon(status, !device->getCurFaultList().isEmpty()));
    item->setToolTip(
        0,
        tr("STR_TREE_DRIVE_TIP").arg(device->getDevName()).arg(device->getAxisNum()).arg(statusText(status)));
}

void QProjectTreeWidget::markSelectedDrive(const QString& alias)
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = topLevelItem(i);
        QFont font = item->font(0);
        font.setBold(!alias.isEmpty() && item->data(0, AliasRole).toString() == alias);
        item->setFont(0, font);
    }
}

QTreeWidgetItem* QProjectTreeWidget::driveItem(const QString& alias) const
{
    return alias.isEmpty() ? nullptr : findNode(alias, TREE_NODE_DRIVE);
}

QTreeWidgetItem* QProjectTreeWidget::findNode(const QString& alias, int kind) const
{
    for (QTreeWidgetItemIterator it(const_cast<QProjectTreeWidget*>(this)); *it; ++it) {
        const QTreeWidgetItem* item = *it;
        if (item->data(0, KindRole).toInt() != kind) {
            continue;
        }
        if (kind == TREE_NODE_ALL_CUR_FAULTS || item->data(0, AliasRole).toString() == alias) {
            return *it;
        }
    }
    return nullptr;
}

QTreeWidgetItem* QProjectTreeWidget::makeItem(int kind, const QString& alias) const
{
    auto* item = new QTreeWidgetItem;
    item->setData(0, KindRole, kind);
    item->setData(0, AliasRole, alias);
    item->setText(0, nodeText(kind, alias));
    return item;
}

QString QProjectTreeWidget::nodeText(int kind, const QString& alias) const
{
    return kind == TREE_NODE_DRIVE ? alias : QTreeNodeTitle::title(kind);
}

bool QProjectTreeWidget::activateNode(const QString& alias, int kind)
{
    QTreeWidgetItem* item = findNode(alias, kind);
    if (!item) {
        return false;
    }
    setCurrentItem(item);
    announce(item);
    return true;
}

bool QProjectTreeWidget::reemitCurrentNode()
{
    QTreeWidgetItem* item = currentItem();
    if (!item) {
        return false;
    }
    announce(item);
    return true;
}

void QProjectTreeWidget::announce(QTreeWidgetItem* item)
{
    if (!item) {
        return;
    }
    const int kind = item->data(0, KindRole).toInt();
    tagTreeDataSet node;
    node.strText = item->text(0);
    node.type = 0;
    node.subId = kind;
    node.nodeData = -1;
    node.sequentialIndex = 0;
    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();
    if (kind == TREE_NODE_ALL_CUR_FAULTS) {
        emit hub->SigClickTree(nullptr, node);
        return;
    }
    const QString alias = item->data(0, AliasRole).toString();
    QDeviceManager* devMgr = QProjectCore::self()->getDevMgr();
    QDeviceServo* device = devMgr->getDeviceServo(alias);
    if (!device) {
        return;
    }
    devMgr->setSelect(alias);
    emit hub->SigClickTree(device->getDeviceInfoPtr(), node);
}

void QProjectTreeWidget::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        announce(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void QProjectTreeWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateNodes();
    }
    QTreeWidget::changeEvent(event);
}

void QProjectTreeWidget::retranslateNodes()
{
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        QTreeWidgetItem* item = *it;
        item->setText(0, nodeText(item->data(0, KindRole).toInt(), item->data(0, AliasRole).toString()));
    }
    for (int i = 0; i < topLevelItemCount(); ++i) {
        updateDriveNode(topLevelItem(i)->data(0, AliasRole).toString());
    }
}

QString QProjectTreeWidget::statusText(int status)
{
    switch (status) {
    case QDeviceServo::DEVICE_ONLINE:
        return tr("STR_ONLINE");
    case QDeviceServo::DEVICE_NOT_ANSWERING:
        return tr("STR_NOT_ANSWERING");
    case QDeviceServo::DEVICE_CONNECTING:
        return tr("STR_CONNECTING");
    default:
        return tr("STR_OFFLINE");
    }
}

QIcon QProjectTreeWidget::statusIcon(int status, bool faulted)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QColor colour = faulted                                        ? kFaultColor
                          : status == QDeviceServo::DEVICE_ONLINE        ? kOnlineColor
                          : status == QDeviceServo::DEVICE_NOT_ANSWERING ? kNotAnsweringColor
                                                                         : kOfflineColor;
    painter.setBrush(colour);
    painter.drawEllipse(1, 1, kIconSize - 2, kIconSize - 2);
    return QIcon(pixmap);
}
