#pragma once

#include "QBaseTableModel.h"
#include "tagFaultInfo.h"

#include <QMap>
#include <QStringList>

// The current faults of several drives, one drive's faults after another in the order the drives were
// added. The rows are copies of what the drives reported; the cells are formatted on demand.
class QServoDeviceFaultModel : public QBaseTableModel
{
    Q_OBJECT
public:
    explicit QServoDeviceFaultModel(QObject* parent = nullptr);

    // Reads the drive's current faults: a drive with faults is kept (appended when new), a drive
    // without faults is dropped. An unknown alias changes nothing.
    void setDevice(const QString& alias) override;
    void removeDevice(const QString& alias);
    void clear();
    // The alias and the position within its faults of a row; an empty alias for a row out of range.
    QPair<QString, int> rowToDevice(int row) const override;

    QStringList devices() const { return m_devices; }
    // The fault of a row, or null.
    tagFaultInfoPtr faultAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    QStringList headerTexts() const override;
    // Copies of a drive's records, so the rows stay as read until the next read.
    static QList<tagFaultInfoPtr> copyOf(const QList<tagFaultInfoPtr>& faults);

    QStringList m_devices;
    QMap<QString, QList<tagFaultInfoPtr>> m_faults;

private:
    QVariant textData(const tagFaultInfo& fault, const QString& alias, int column, int role) const;
};
