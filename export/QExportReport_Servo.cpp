#include "QExportReport_Servo.h"

#include "QDeviceServo.h"
#include "QFuncodeHelper_Servo.h"
#include "QPrinterManager.h"

void QExportReport_Servo::compose(QPrinterManager* printer, const QDeviceServo& device,
                                  const tagExportFuncodeList_Servo& records, const QStringList& pageNames)
{
    printer->dataBegin();
    printer->insertTitle(device.getAliasName());
    if (!records.isEmpty()) {
        composeFuncodes(printer, device, records);
    }
    for (const QString& pageName : pageNames) {
        composePage(printer, pageName);
    }
}

QStringList QExportReport_Servo::funcodeRow(const tagExportFuncode_Servo& record, const QString& dataTypeText,
                                            const QDeviceServo& device)
{
    QStringList row{QString::number(record.canopenAddr),
                    QString::number(record.usbCode),
                    record.groupName,
                    record.funIndex,
                    record.funName,
                    QString::number(record.authority),
                    dataTypeText,
                    QString::number(record.axisNum)};
    // An unknown value is left empty: its raw 0 is no value.
    for (int axis = 0; axis < qBound(0, record.axisNum, 3); ++axis) {
        qint64 raw = 0;
        const bool known = device.curValue(record.funIndex, axis, &raw);
        row << (known ? QString::number(raw) : QString())
            << (known ? device.getScaledCurValueStr(record.funIndex, axis) : QString());
    }
    row << record.unitText;
    return row;
}

void QExportReport_Servo::composeFuncodes(QPrinterManager* printer, const QDeviceServo& device,
                                          const tagExportFuncodeList_Servo& records)
{
    QFuncodeHelper_Servo helper;
    helper.initServoDataTypeMap();
    printer->insertTitle2(tr("STR_FUNCODE"));
    printer->tableBegin(QFuncodeHelper_Servo::getServoFuncodeHeaderList(device.getAxisNum()));
    for (const tagExportFuncodePtr_Servo& record : records) {
        if (record) {
            printer->insert2TableRow(funcodeRow(*record, helper.getDataTypeStr(record->dataType), device));
        }
    }
    printer->tableEnd();
    printer->insertSeperator();
}

void QExportReport_Servo::composePage(QPrinterManager* printer, const QString& pageName)
{
    printer->insertTitle2(pageName);
    QStringList header;
    QList<QStringList> rows;
    QString text;
    QFuncodeHelper_Servo::getServoNonFuncodeInfoList(pageName, header, rows, text);
    if (!rows.isEmpty()) {
        printer->tableBegin(header);
        printer->insert2MultiTableRow(rows);
    }
    printer->tableEnd();
    printer->insertSeperator();
}
