#include "QFuncodeFileWriter_Servo.h"

#include "QDeviceManager.h"
#include "QExportTypeDlg.h"
#include "QFuncodeExportRecords_Servo.h"
#include "QFuncodeHelper_Servo.h"
#include "QMyMessageBox.h"
#include "QProjectCore.h"
#include "QSaveAsDialog.h"
#include "QUnknownValueCheck_Servo.h"

#include <QDialog>

bool QFuncodeFileWriter_Servo::writeFuncodeFile(QDialog* parent)
{
    if (!QProjectCore::self()->getDevMgr()->getSelectServo()) {
        return false;
    }
    QExportTypeDlg typeDialog(parent);
    typeDialog.exec();
    const int fileType = typeDialog.getFileType();
    if (fileType < QExportTypeDlg::TypeFuncodeServo || fileType > QExportTypeDlg::TypeXlsx) {
        return false;
    }
    const QString path = askFileName(parent, fileType);
    if (path.isEmpty()) {
        return false;
    }
    QList<tagExportDevInfo_Servo> devices = QFuncodeHelper_Servo::collectDeviceFuncodes();
    if (!devices.isEmpty() &&
        !QUnknownValueCheck_Servo::leaveOutUnknown(parent, tr("STR_EXPORT"), &devices.first().funcodes)) {
        return false;
    }
    if (!write(fileType, path, devices)) {
        QMyMessageBox::information(parent, tr("STR_EXPORT"), QFuncodeHelperBase::lastErrorText());
        return false;
    }
    QMyMessageBox::success(parent, tr("STR_EXPORT"), tr("STR_EXPORT_SUCCESS").arg(path), QString());
    parent->accept();
    return true;
}

QString QFuncodeFileWriter_Servo::askFileName(QDialog* parent, int fileType)
{
    const char* filters[] = {"STR_FUNCODESERVO_FILTER", "STR_CSV_FILE_FILTER", "STR_XLSX_FILE_FILTER"};
    return QSaveAsDialog::getSaveFileName(parent, tr("STR_SAVE_AS"), QStringLiteral("ExportedFuncode"),
                                          tr(filters[fileType]));
}

bool QFuncodeFileWriter_Servo::writeFile(int fileType, const QString& path)
{
    const QList<tagExportDevInfo_Servo> devices = QFuncodeHelper_Servo::collectDeviceFuncodes();
    const QStringList unknown = devices.isEmpty()
                                    ? QStringList()
                                    : QFuncodeExportRecords_Servo::unknownNumbers(devices.first().funcodes);
    if (!unknown.isEmpty()) {
        QFuncodeHelperBase::setLastError(
            QFuncodeHelperBase::FILE_ERR_WRITE,
            tr("STR_EXPORT_VALUES_UNKNOWN").arg(QUnknownValueCheck_Servo::listOf(unknown)));
        return false;
    }
    return write(fileType, path, devices);
}

bool QFuncodeFileWriter_Servo::write(int fileType, const QString& path,
                                     const QList<tagExportDevInfo_Servo>& devices)
{
    if (devices.isEmpty() || devices.first().funcodes.isEmpty()) {
        QFuncodeHelperBase::setLastError(QFuncodeHelperBase::FILE_ERR_NO_FUNCODE, path);
        return false;
    }
    switch (fileType) {
    case QExportTypeDlg::TypeFuncodeServo:
        return QFuncodeHelper_Servo::writeFuncodeDatabaseFile(path, devices);
    case QExportTypeDlg::TypeCsv:
        return QFuncodeHelper_Servo::writeFuncodeCsvFile(path, devices.first());
    case QExportTypeDlg::TypeXlsx:
        return QFuncodeHelper_Servo::writeFuncodeXlsxFile(path, devices.first());
    default:
        return false;
    }
}
