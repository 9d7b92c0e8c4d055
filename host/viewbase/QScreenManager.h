#pragma once

#include <QHash>
#include <QObject>
#include <QRect>

class QDockWidget;
class QScreen;
class QWidget;

// Screen geometry for the host's windows: centring dialogs and showing a dock widget on the whole
// screen and back.
class QScreenManager : public QObject
{
    Q_OBJECT
public:
    static QScreenManager* self();

    // Centres the widget on the screen of its parent (the primary screen when it has none), keeping
    // it inside the available area. A widget that was never sized gets its size hint first.
    void moveToCenter(QWidget* widget);
    // Available area (without task bars) of the primary screen; 1024 x 768 when there is no screen.
    QRect availableGeometry() const;
    // Available area of the screen that shows the widget (or would show it: its parent's screen).
    QRect availableGeometry(const QWidget* widget) const;

    // Shows a dock widget floating on the whole screen; exitFullScreen puts it back where it was
    // (docked or floating, same geometry). Calls for a dock that is not full screen do nothing.
    void enterFullScreen(QDockWidget* dock);
    void exitFullScreen(QDockWidget* dock);
    bool isFullScreen(QDockWidget* dock) const { return m_saved.contains(dock); }

private:
    QScreenManager();
    QScreen* screenOf(const QWidget* widget) const;

    struct SavedDock
    {
        bool floating = false;
        QRect geometry;
    };
    QHash<QDockWidget*, SavedDock> m_saved;
};
