#pragma once

#include <QWidget>

// A plain widget that honours the host's style sheets (background, border) like a QFrame.
class QBaseStyleWidget : public QWidget
{
    Q_OBJECT
public:
    explicit QBaseStyleWidget(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
