#pragma once

#include "QFuncodeBatchDownloadDlg.h"
#include "tagExportFuncode_Servo.h"

#include <QMap>
#include <QPointer>
#include <QStringList>

class QDeviceServo;
class QServoBatchDownloadHelper;

// Batch download into servo drives: per drive the motor type first (the scaling of other codes depends on
// it), then the chosen codes written and read back by a QServoBatchDownloadHelper, and the outcome in the
// log, naming every code that did not arrive. On request the succeeded drives are saved and reset; a
// drive can be compared with the source.
class QServoFuncodeBatchDownloadDlg : public QFuncodeBatchDownloadDlg
{
    Q_OBJECT
public:
    explicit QServoFuncodeBatchDownloadDlg(QWidget* parent = nullptr);
    ~QServoFuncodeBatchDownloadDlg() override;

    QServoBatchDownloadHelper* helper() const { return m_helper; }

public slots:
    // Compares the drive with the source in the compare dialog, modally.
    void onShowCompareFuncode(QString devAlia);
    // Saves every online drive of the list, then resets them; offline drives are left alone.
    void onBatchSaveAndReset(QStringList listDevAlias);

protected:
    void showCompareFuncode(const QString& alias) override;
    void batchSaveAndReset(const QStringList& aliases) override;
    bool prepareWriteOneDevice(const QString& alias) override;
    void finishWriteOneDevice(const QString& alias, bool bSucceed) override;
    bool checkDownloadList(const QList<FunOperationDataUnitPtr>& list) override;
    void stopWriteOneDevice(const QString& alias) override;

private:
    bool writeMotorType(QDeviceServo* dev, const QList<FunOperationDataUnitPtr>& list);
    QMap<QString, tagExportFuncodePtr_Servo>
    writableRecords(const QDeviceServo* dev, const QList<FunOperationDataUnitPtr>& list) const;
    void logFailedCodes(const QString& alias);
    QStringList mismatchLines(const QDeviceServo* dev) const;
    static bool forEachAxis(const QPointer<QDeviceServo>& dev, bool (QDeviceServo::*command)(int));
    void logError(const QString& alias, const QString& text);

    QServoBatchDownloadHelper* m_helper = nullptr;
};
