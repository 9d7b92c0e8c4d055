#pragma once

#include <QDialog>
#include <QRect>

class QDlgTitleBar;

// The host's dialog: a window without system frame that draws its own title bar in its top 40
// pixels (icon, title, optional maximise/restore button, close button). The title bar is a child that
// is not in any layout, so a subclass puts its layout on the dialog itself with a top margin of 40.
// Dragging the title bar moves the dialog; a double click maximises it when the maximise button is
// shown; Escape and the close button reject it.
class QBaseDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int TitleHeight = 40;

    explicit QBaseDlg(QWidget* parent = nullptr);
    ~QBaseDlg() override;

    void setTitle(const QString& title);
    QString title() const;
    void showMaxBtn(bool show);
    bool isMaxBtnShown() const;
    // Lets the user resize the dialog by dragging its edges (off by default).
    void setPermitDefaultResize(bool permit);
    bool isPermitDefaultResize() const { return m_permitResize; }
    // The dialog's size (at least its minimum size hint), bounded by 80% of the available area of its
    // screen: what to pass to resize() before showing a dialog whose natural size may not fit.
    QSize getAdjustSize() const;
    QDlgTitleBar* titleBar() const { return m_titleBar; }

public slots:
    // Rejects the dialog (ending exec) and closes it. Hides QWidget::close so that string-based and
    // pointer connections to close() both reject.
    bool close();
    // Maximises or restores; does nothing while the maximise button is hidden.
    void toggleMaximized();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Qt::Edges edgesAt(const QPoint& pos) const;
    void updateResizeCursor(Qt::Edges edges);
    QRect resizedGeometry(const QPoint& globalPos) const;

    QDlgTitleBar* m_titleBar = nullptr;
    bool m_permitResize = false;
    Qt::Edges m_resizeEdges;
    QPoint m_pressGlobal;
    QRect m_pressGeometry;
};
