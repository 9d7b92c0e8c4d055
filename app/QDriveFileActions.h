#pragma once

#include <QObject>

class QAction;
class QMenu;

// The File menu's commands for the selected drive's function codes: import from a file, export to a file,
// print and print preview (the same commands as the plug-in's tool bar), and back up or restore the
// drive (the host's backup and recovery request). They are enabled while a servo drive is selected.
class QDriveFileActions : public QObject
{
    Q_OBJECT
public:
    // Inserts the actions into menu before the entry before (at the end when null).
    QDriveFileActions(QMenu* menu, QAction* before, QObject* parent = nullptr);
    ~QDriveFileActions() override;

    void retranslate();
    QList<QAction*> actions() const;

private:
    QAction* addAction(QMenu* menu, QAction* before, const char* objectName);
    void updateEnabled();
    static void clickToolButton(int id);

    QAction* m_import = nullptr;
    QAction* m_export = nullptr;
    QAction* m_print = nullptr;
    QAction* m_preview = nullptr;
    QAction* m_backup = nullptr;
    QAction* m_restore = nullptr;
};
