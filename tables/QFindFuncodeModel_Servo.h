#pragma once

#include "QBaseTableModel.h"

#include <QList>
#include <QPointer>

class QDeviceServo;
struct tagSubFuncode_Servo;

// Results of the find dialog: one row per function code with its number, name, current value per
// axis, range, default and unit, computed from the drive the codes belong to.
class QFindFuncodeModel_Servo : public QBaseTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        COL_INDEX = 0,
        COL_NAME,
        COL_AXIS_X,
        COL_AXIS_Y,
        COL_AXIS_Z,
        COL_MIN_VAL,
        COL_MAX_VAL,
        COL_DEFAULT_VAL,
        COL_UNIT,
        COL_COUNT
    };

    explicit QFindFuncodeModel_Servo(QObject* parent = nullptr);
    ~QFindFuncodeModel_Servo() override;

    // Replaces the results (model reset). The records belong to device; when the device goes, the rows
    // show nothing.
    void setFuncodeList(QDeviceServo* device, const QList<tagSubFuncode_Servo*>& list);
    QList<tagSubFuncode_Servo*> getFuncodeList() const;
    // The number of a row; empty outside the rows or after the device went.
    QString getFunIndex(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private slots:
    // Values of the drive changed: repaint the value columns of those rows.
    void onFuncodeChanged(QString aliasName, QStringList funIndexList);

protected:
    QStringList headerTexts() const override;

private:
    QString displayText(const tagSubFuncode_Servo* fun, int column) const;

    QPointer<QDeviceServo> m_device;
    QList<tagSubFuncode_Servo*> m_funcodes;
};
