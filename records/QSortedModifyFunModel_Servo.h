#pragma once

#include "QBaseTableModel.h"
#include "tagFuncodeModifyCount.h"
#include "tagFuncodeModifyData.h"
#include "tagSubFuncode_Servo.h"

#include <QList>
#include <QStringList>

class QDeviceServo;

// Model of the modification-statistics page: the modified function codes of the selected drive,
// ordered by how often each was modified, with their current values per axis. The rows (number, count
// and time of the newest change) come from one aggregate query of the host's statistics; the events of
// a code are read only when asked for (the detail dialog). Every other cell is computed from the drive
// when asked.
class QSortedModifyFunModel_Servo : public QBaseTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        COL_INDEX = 0,
        COL_COMMONLY,
        COL_NAME,
        COL_AXIS_X,
        COL_AXIS_Y,
        COL_AXIS_Z,
        COL_SAVE_STATE,
        COL_MIN_VAL,
        COL_MAX_VAL,
        COL_DEFAULT_VAL,
        COL_UNIT,
        COL_EFFECT_STYLE,
        COL_STORE_TYPE,
        COL_MODIFY_COUNT,
        COL_RELATE_PARAM,
        COL_REMARK,
        COL_COUNT
    };

    explicit QSortedModifyFunModel_Servo(QObject* parent = nullptr);
    ~QSortedModifyFunModel_Servo() override;

    bool isDescending() const { return m_descending; }
    // The function-code number of a row; empty outside the rows.
    QString getFunIndex(int row) const;
    // The modification events of a row's code, newest first, read from the statistics; empty outside
    // the rows.
    QList<tagFuncodeModifyData> getModifyData(int row) const;
    // How often a row's code was modified, and the time stamp of its newest change; 0 outside the rows.
    int getModifyCount(int row) const;
    int getLastModifyTime(int row) const;
    // Whether the selected drive has the row's code and its right allows writing (1 or 2).
    bool isFuncodeModifiable(int row) const;
    // Numbers of the rows first..last (clamped to the rows), and of all rows.
    QStringList getFunIndexes(int first, int last) const;
    QStringList getAllFunIndexes() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Edit role on an axis column writes the value to the drive; check state on the number column adds
    // the code to the drive's monitored list or removes it.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

public slots:
    // Reloads every row from the host's statistics of the selected drive, keeping only codes that the
    // drive shows at the present authority (model reset).
    void refresh(bool descending = true);
    // Connected to the hub's SigFuncodeChanged_Servo: announces the axis cells of the changed rows.
    void slotFunValueChanged(QString aliasName, QStringList funIndexList);

signals:
    // A value written through this model changed its text on the drive.
    void sigDataChanged(QString oldVal, QString newVal, tagSubFuncodePtr_Servo fun, int axisIndex);
    // The drive's monitored list was changed through this model.
    void sigSelectionChanged();

protected:
    QStringList headerTexts() const override;

private:
    const tagSubFuncode_Servo* funcodeOfRow(const QDeviceServo* device, int row) const;
    QVariant displayText(const QDeviceServo* device, const tagSubFuncode_Servo* fun, int row,
                         int column) const;
    QVariant toolTip(const QDeviceServo* device, const tagSubFuncode_Servo* fun, int row, int column) const;
    QVariant decoration(const tagSubFuncode_Servo* fun, int column) const;
    QVariant foreground(int row, int column) const;
    QVariant background(const QDeviceServo* device, const tagSubFuncode_Servo* fun, int column) const;
    bool writeValue(const QModelIndex& index, const QVariant& value);
    bool setMonitored(const QModelIndex& index, const QVariant& value);
    static bool isAxisColumn(int column) { return column >= COL_AXIS_X && column <= COL_AXIS_Z; }

    QList<tagFuncodeModifyCount> m_modifyList;
    bool m_descending = true;
};
