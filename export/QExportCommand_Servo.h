#pragma once

#include <QCoreApplication>
#include <QStringList>

class QDeviceServo;
class QWidget;

// The export and print commands of the main widget: reads every function code of an online drive first
// (with progress), then runs the export dialog on the codes offered (the monitored list's codes while
// that page is shown, else every code) in export or print mode.
class QExportCommand_Servo
{
    Q_DECLARE_TR_FUNCTIONS(QExportCommand_Servo)

public:
    // previewAtOnce: the print dialog shows the preview of what is checked as soon as it opens.
    static void run(QDeviceServo* device, const QStringList& focusNumbers, int mode, QWidget* parent,
                    bool previewAtOnce = false);
    // Reads every code of the drive; the numbers that failed (empty when all were read).
    static QStringList readAll(const QString& alias, QWidget* parent);
};
