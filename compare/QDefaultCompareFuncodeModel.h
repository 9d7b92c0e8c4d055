#pragma once

#include "QBaseTableModel.h"

// Rows of the "comparison with defaults" page, as the selected drive lists them
// (QDeviceServo::getCompareFuncodeDefault): number, name, axis, current value, default value. The rows
// are kept in the base's row list and replaced as a whole with setModelData; this model adds the
// colours of the two value columns and the read/write-right icon of the axis column.
class QDefaultCompareFuncodeModel : public QBaseTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        COL_INDEX = 0,
        COL_NAME,
        COL_AXIS,
        COL_CUR_VAL,
        COL_DEFAULT_VAL,
        COL_COUNT
    };

    explicit QDefaultCompareFuncodeModel(QObject* parent = nullptr);
    ~QDefaultCompareFuncodeModel() override;

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    QStringList headerTexts() const override;

private:
    QVariant decoration(const QModelIndex& index) const;
    static QVariant foreground(int column);
};
