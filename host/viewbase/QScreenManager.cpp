#include "QScreenManager.h"

#include <QDockWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QScreenManager::QScreenManager() = default;

QScreenManager* QScreenManager::self()
{
    static QScreenManager* instance = new QScreenManager;
    return instance;
}

QScreen* QScreenManager::screenOf(const QWidget* widget) const
{
    if (widget && widget->parentWidget()) {
        return widget->parentWidget()->window()->screen();
    }
    if (widget && widget->isVisible()) {
        return widget->screen();
    }
    return QGuiApplication::primaryScreen();
}

QRect QScreenManager::availableGeometry() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QRect QScreenManager::availableGeometry(const QWidget* widget) const
{
    const QScreen* screen = screenOf(widget);
    return screen ? screen->availableGeometry() : availableGeometry();
}

void QScreenManager::moveToCenter(QWidget* widget)
{
    if (!widget) {
        return;
    }
    if (!widget->testAttribute(Qt::WA_Resized)) {
        widget->adjustSize();
    }
    const QRect area = availableGeometry(widget);
    QRect frame = widget->frameGeometry();
    frame.moveCenter(area.center());
    // A window larger than the screen keeps its title bar reachable.
    frame.moveLeft(qMax(frame.left(), area.left()));
    frame.moveTop(qMax(frame.top(), area.top()));
    widget->move(frame.topLeft());
}

void QScreenManager::enterFullScreen(QDockWidget* dock)
{
    if (!dock || m_saved.contains(dock)) {
        return;
    }
    SavedDock saved;
    saved.floating = dock->isFloating();
    saved.geometry = dock->geometry();
    m_saved.insert(dock, saved);
    connect(dock, &QObject::destroyed, this, [this, dock]() { m_saved.remove(dock); });
    dock->setFloating(true);
    dock->showFullScreen();
}

void QScreenManager::exitFullScreen(QDockWidget* dock)
{
    if (!dock || !m_saved.contains(dock)) {
        return;
    }
    const SavedDock saved = m_saved.take(dock);
    disconnect(dock, &QObject::destroyed, this, nullptr);
    dock->showNormal();
    dock->setFloating(saved.floating);
    if (saved.floating) {
        dock->setGeometry(saved.geometry);
    }
    dock->show();
}
