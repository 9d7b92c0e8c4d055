#pragma once

#include "QBaseTableModel.h"
#include "tagFuncodeModifyData.h"

#include <QList>

// The modification history of one function code: one row per event with its local time, the values
// before and after (fixed-point with the code's decimals) and the axis.
class QSortedModifyFunDetailModel_Servo : public QBaseTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        COL_TIME = 0,
        COL_OLD_VAL,
        COL_NEW_VAL,
        COL_AXIS,
        COL_COUNT
    };

    explicit QSortedModifyFunDetailModel_Servo(QObject* parent = nullptr);
    ~QSortedModifyFunDetailModel_Servo() override;

    // Replaces the events (in the order given) and the number of decimals of the values (model reset).
    void setModifyData(const QList<tagFuncodeModifyData>& events, int decimals);
    QList<tagFuncodeModifyData> getModifyData() const { return m_events; }
    int decimals() const { return m_decimals; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

protected:
    QStringList headerTexts() const override;

private:
    QString displayText(const tagFuncodeModifyData& event, int column) const;

    QList<tagFuncodeModifyData> m_events;
    int m_decimals = 0;
};
