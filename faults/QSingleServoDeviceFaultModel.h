#pragma once

#include "QServoDeviceFaultModel.h"

// The current faults of one drive: setting a drive replaces the rows with its faults.
class QSingleServoDeviceFaultModel : public QServoDeviceFaultModel
{
    Q_OBJECT
public:
    explicit QSingleServoDeviceFaultModel(QObject* parent = nullptr);

    void setDevice(const QString& alias) override;
    QPair<QString, int> rowToDevice(int row) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;

    QString deviceAlias() const { return m_devices.value(0); }
};
