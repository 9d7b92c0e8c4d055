#pragma once

#include <QObject>

class QProjectTreeWidget;
struct DeviceInfo;
struct tagTreeDataSet;

// Remembers, per project, the drive and page that the user opened last (in the system settings, so that
// closing without saving keeps it), and opens them again when the project is opened. A project without
// a remembered page, or whose drive or page is gone, opens on the function codes of its first drive: the
// window never starts on an empty page.
class QProjectViewKeeper : public QObject
{
    Q_OBJECT
public:
    explicit QProjectViewKeeper(QProjectTreeWidget* tree, QObject* parent = nullptr);

    // Opens the remembered page of the present project, or the function codes of its first drive.
    // False when the project has no drive.
    bool restore();

private:
    void remember(const DeviceInfo* info, const tagTreeDataSet& node);
    bool open(const QString& alias, int kind);

    QProjectTreeWidget* m_tree = nullptr;
};
