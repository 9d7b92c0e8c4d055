#include "QExportCommand_Servo.h"

#include "QBatchReadWrite_Servo.h"
#include "QDeviceServo.h"
#include "QExportFuncodeDlg.h"

#include <QTimer>

void QExportCommand_Servo::run(QDeviceServo* device, const QStringList& focusNumbers, int mode,
                               QWidget* parent, bool previewAtOnce)
{
    if (!device) {
        return;
    }
    const QString alias = device->getAliasName();
    const QStringList failed = device->isDeviceOnline() ? readAll(alias, parent) : QStringList();
    QExportFuncodeDlg dialog(alias, focusNumbers, mode, parent);
    if (!failed.isEmpty()) {
        dialog.onRefreshFuncodeVal(alias, failed);
    }
    if (previewAtOnce && mode != QExportFuncodeDlg::MODE_EXPORT) {
        QTimer::singleShot(0, &dialog, &QExportFuncodeDlg::OnPrintView);
    }
    dialog.exec();
}

QStringList QExportCommand_Servo::readAll(const QString& alias, QWidget* parent)
{
    QStringList failed;
    QBatchReadWrite_Servo reader(alias, tr("STR_READ"), parent, 0);
    QObject::connect(&reader, &QBatchReadWrite_Servo::sigFailedFuncodes,
                     [&failed](const QString&, const QStringList& numbers) { failed = numbers; });
    reader.batchReadFuncode(QStringList());
    return failed;
}
