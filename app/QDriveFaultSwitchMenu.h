#pragma once

#include <QMenu>

class QSimulatedDriveLink;
struct QDriveFaultSwitches;

// The "Simulated faults" menu: makes the selected simulated drive lose or delay replies, refuse
// writes with a reason, fail one code, or go offline after some requests. The checks show which
// switches are on.
class QDriveFaultSwitchMenu : public QMenu
{
    Q_OBJECT
public:
    explicit QDriveFaultSwitchMenu(QWidget* parent = nullptr);

    // The simulated link of the selected drive, or null.
    static QSimulatedDriveLink* selectedLink();

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void updateActions();
    QAction* addSwitch(void (QDriveFaultSwitchMenu::*ask)());
    void askDropEvery();
    void askLateEvery();
    void askRefuseWrites();
    QString askText(const QString& title, const QString& label, const QString& text, bool* ok);
    void askFailCode();
    void askOfflineAfter();
    void clearSwitches();
    // Asks for a count; false when cancelled.
    bool askCount(const QString& title, const QString& label, int current, int* value);
    void apply(const QDriveFaultSwitches& switches);

    QAction* m_dropAction = nullptr;
    QAction* m_lateAction = nullptr;
    QAction* m_refuseAction = nullptr;
    QAction* m_failAction = nullptr;
    QAction* m_offlineAfterAction = nullptr;
    QAction* m_clearAction = nullptr;
};
