#pragma once

#include <QLabel>
#include <QPointer>
#include <QTimer>

class QDeviceServo;

// The status-bar text of the selected drive: alias, model, axes, state (online, not answering,
// connecting, offline), refresh interval, the progress of a whole read and how many values are stale.
// Follows the selection, the hub's device status, value and refresh-interval notices, and the drive's
// whole-read progress. Why the last edit of a value was refused or failed shows first, for a few seconds.
// Its tool tip shows the fingerprint of the drive's parameter set, worked out from the values held when
// it is shown.
class QDriveStatusLabel : public QLabel
{
    Q_OBJECT
public:
    explicit QDriveStatusLabel(QWidget* parent = nullptr);

    // Composes the text anew from the selected drive.
    void refresh();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void followSelectedDrive();
    static QString stateText(const QDeviceServo* device);
    static QString valuesText(const QDeviceServo* device);

    QPointer<QDeviceServo> m_device;
    QString m_writeNotice; // why the last edit was refused, while m_noticeShown runs
    QTimer m_noticeShown;
};
