#include "QUnknownValueCheck_Servo.h"

#include "QFuncodeExportRecords_Servo.h"
#include "QMyMessageBox.h"

namespace {
// More numbers than this make the box taller than a screen.
const int kListedNumbers = 30;
} // namespace

bool QUnknownValueCheck_Servo::leaveOutUnknown(QWidget* parent, const QString& title,
                                               const QDeviceServo* device,
                                               tagExportFuncodeList_Servo* records)
{
    return ask(parent, title, QFuncodeExportRecords_Servo::unknownNumbers(device, *records), records);
}

bool QUnknownValueCheck_Servo::leaveOutUnknown(QWidget* parent, const QString& title,
                                               tagExportFuncodeList_Servo* records)
{
    return ask(parent, title, QFuncodeExportRecords_Servo::unknownNumbers(*records), records);
}

bool QUnknownValueCheck_Servo::ask(QWidget* parent, const QString& title, const QStringList& numbers,
                                   tagExportFuncodeList_Servo* records)
{
    if (numbers.isEmpty()) {
        return true;
    }
    if (QMyMessageBox::question(parent, title, tr("STR_EXPORT_LEAVE_OUT_UNKNOWN").arg(listOf(numbers))) !=
        1) {
        return false;
    }
    *records = QFuncodeExportRecords_Servo::leftOut(*records, numbers);
    return true;
}

QString QUnknownValueCheck_Servo::listOf(const QStringList& numbers)
{
    QString list = numbers.mid(0, kListedNumbers).join(QStringLiteral(", "));
    if (numbers.size() > kListedNumbers) {
        list += QLatin1Char(' ') + tr("STR_EXPORT_AND_MORE").arg(numbers.size() - kListedNumbers);
    }
    return list;
}
