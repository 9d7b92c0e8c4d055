#include "QDriveFullRead_Servo.h"

#include "QDeviceServo.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

namespace {
const int kReadTimeoutMs = 60000;
const int kReadPollMs = 10;
} // namespace

bool QDriveFullRead_Servo::readAll(QDeviceServo* device, QWidget* parent)
{
    Q_UNUSED(parent)
    if (!device || !device->isDeviceOnline()) {
        return false;
    }
    QPointer<QDeviceServo> guard(device);
    device->readAllFuncode();
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&]() {
        if (!guard || !guard->isDeviceOnline() || !guard->isReadBusy() || clock.hasExpired(kReadTimeoutMs)) {
            loop.quit();
        }
    });
    poll.start(kReadPollMs);
    loop.exec();
    return guard && guard->isDeviceOnline();
}
