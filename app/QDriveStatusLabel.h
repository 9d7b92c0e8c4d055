#pragma once

#include <QLabel>

// The status-bar text of the selected drive: alias, model, axes, online state and refresh interval.
// Follows the selection, the hub's device status and refresh-interval notices.
class QDriveStatusLabel : public QLabel
{
    Q_OBJECT
public:
    explicit QDriveStatusLabel(QWidget* parent = nullptr);

    // Composes the text anew from the selected drive.
    void refresh();

protected:
    void changeEvent(QEvent* event) override;
};
