#pragma once

#include "QFuncodeBatchDownloadDlg.h"
#include "tagExportFuncode_Servo.h"

#include <QMap>
#include <QPointer>
#include <QStringList>

class QDeviceServo;
class QServoBatchTransfer;

// Batch download into servo drives: per drive the motor type first (the scaling of other codes depends on
// it), then the codes the drive can take, turned into its own raw values, written and read back on the
// window's batch line, and the outcome in the log, naming every code that did not arrive. On request the
// succeeded drives are saved and reset; a drive can be compared with the source.
class QServoFuncodeBatchDownloadDlg : public QFuncodeBatchDownloadDlg
{
    Q_OBJECT
public:
    explicit QServoFuncodeBatchDownloadDlg(QWidget* parent = nullptr);
    ~QServoFuncodeBatchDownloadDlg() override;

public slots:
    // Compares the drive with the source in the compare dialog, modally.
    void onShowCompareFuncode(QString devAlia);
    // Saves every online drive of the list, then resets them; offline drives are left alone.
    void onBatchSaveAndReset(QStringList listDevAlias);

protected:
    void showCompareFuncode(const QString& alias) override;
    void batchSaveAndReset(const QStringList& aliases) override;
    bool prepare(const QString& alias, QMap<QString, tagExportFuncodePtr_Servo>* records,
                 QString* error) override;
    void finishWriteOneDevice(const QString& alias, bool bSucceed) override;
    bool checkDownloadList(const QList<FunOperationDataUnitPtr>& list) override;

private:
    bool writeMotorType(QDeviceServo* dev, const QMap<QString, tagExportFuncodePtr_Servo>& records,
                        QString* error);
    static QMap<QString, tagExportFuncodePtr_Servo>
    writableRecords(const QDeviceServo* dev, const QMap<QString, tagExportFuncodePtr_Servo>& records);
    void logFailedCodes(const QString& alias, const QServoBatchTransfer* transfer);
    QStringList mismatchLines(const QDeviceServo* dev, const QServoBatchTransfer* transfer) const;
    static bool forEachAxis(const QPointer<QDeviceServo>& dev, bool (QDeviceServo::*command)(int));
    void logError(const QString& alias, const QString& text);
};
