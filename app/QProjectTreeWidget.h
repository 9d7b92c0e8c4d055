#pragma once

#include <QTreeWidget>

class QDeviceServo;

// The project tree of the workbench: for every drive of the project its node (kind 303, with an online
// or offline icon) and the nodes of its pages (321 function codes, 322 modification statistics, 323
// modification records, 324 monitored function codes, 325 comparison with defaults, 402 alarms), and
// one node for the current faults of all drives (403). It follows the device manager (drives added or
// removed, the selected drive) and the hub's device status.
//
// Activating a node (click, Return, or activateNode) selects its drive in the device manager and then
// emits the hub's SigClickTree with the drive's DeviceInfo and the node's text and kind; the node of
// all drives' faults emits with a null DeviceInfo.
class QProjectTreeWidget : public QTreeWidget
{
    Q_OBJECT
public:
    enum
    {
        KindRole = Qt::UserRole,
        AliasRole = Qt::UserRole + 1
    };

    explicit QProjectTreeWidget(QWidget* parent = nullptr);

    // The node of a kind: of the drive alias, or for kind 403 the one node of all drives. Null when none.
    QTreeWidgetItem* findNode(const QString& alias, int kind) const;
    // Makes the node current and announces it as a click. False when there is no such node.
    bool activateNode(const QString& alias, int kind);
    // Announces the current node again (e.g. after the authority changed). False without a current node.
    bool reemitCurrentNode();
    // The kinds of the page nodes under each drive, in their order.
    static QList<int> pageKinds();
    // Rebuilds all nodes from the device manager.
    void rebuild();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void addDriveNodes(const QString& alias);
    void removeDriveNodes(const QString& alias);
    void updateDriveNode(const QString& alias);
    void markSelectedDrive(const QString& alias);
    void announce(QTreeWidgetItem* item);
    QTreeWidgetItem* driveItem(const QString& alias) const;
    QTreeWidgetItem* makeItem(int kind, const QString& alias) const;
    void retranslateNodes();
    QString nodeText(int kind, const QString& alias) const;
    // The dot of a drive in its state (QDeviceServo::enDeviceStatus): online, not answering, or away.
    static QIcon statusIcon(int status, bool faulted);
    static QString statusText(int status);
};
