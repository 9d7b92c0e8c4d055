#pragma once

#include <QLabel>
#include <QTimer>

// A short notice beside a page that writes values: why the last edit of a drive's value was refused, failed
// or is not known yet ("P02.04 X: Servo enabled: parameters are locked"), as the hub's SigFuncodeWriteFailed
// tells it. It hides itself after a few seconds, or at once when clicked.
class QWriteNoticeLabel : public QLabel
{
    Q_OBJECT
public:
    explicit QWriteNoticeLabel(QWidget* parent = nullptr);

    // Shows the notice of an edit of a code's axis.
    void showNotice(const QString& funIndex, int axisIndex, const QString& reason);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QTimer m_hide;
};
