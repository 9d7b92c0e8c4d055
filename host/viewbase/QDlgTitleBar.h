#pragma once

#include <QPoint>
#include <QWidget>

class QLabel;
class QToolButton;

// The title bar that QBaseDlg draws itself (its window has no system frame): icon, title, an optional
// maximise/restore button and a close button. Dragging it moves its window; it is placed by the
// dialog, not by a layout.
class QDlgTitleBar : public QWidget
{
    Q_OBJECT
public:
    // The band at the top of the dialog that the bar fills (the dialog keeps a 1-pixel border).
    static constexpr int Height = 40;

    explicit QDlgTitleBar(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QString title() const;
    void setIcon(const QIcon& icon);
    void setMaxButtonVisible(bool visible);
    bool isMaxButtonVisible() const { return m_maxVisible; }
    // Shows the restore icon while the window is maximised.
    void setMaximizedLook(bool maximized);

signals:
    void sigCloseClicked();
    void sigMaxClicked();
    void sigDoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QToolButton* makeButton(const QString& objectName, const QString& iconPath);

    QLabel* m_icon = nullptr;
    QLabel* m_title = nullptr;
    QToolButton* m_maxButton = nullptr;
    QToolButton* m_closeButton = nullptr;
    bool m_maxVisible = false;
    bool m_dragging = false;
    QPoint m_dragOffset;
};
