#pragma once

#include "QBaseTableModel.h"
#include "tagModifyFuncode_Servo.h"

#include <QStringList>

// Model of the modification-records page: one row of ten texts per stored modification record, kept
// in the base's row list. The rows are made with makeDisplayRow when records are loaded or a change is
// added; this model only adds the icon of the name column and the colours of the value columns.
class QModifyFunModel_Servo : public QBaseTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        COL_TIME = 0,
        COL_INDEX,
        COL_NAME,
        COL_AXIS,
        COL_NEW_VAL,
        COL_OLD_VAL,
        COL_DEFAULT_VAL,
        COL_MIN_VAL,
        COL_MAX_VAL,
        COL_RELATE_PARAM,
        COL_COUNT
    };

    explicit QModifyFunModel_Servo(QObject* parent = nullptr);
    ~QModifyFunModel_Servo() override;

    // Display and tool tip: the row's text; decoration: the read/write-right icon in the name column;
    // foreground: new value red, default value dark green.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The ten column texts of a stored record, described by the selected drive. Empty when no drive is
    // selected or the drive has no such code (at the present authority). Enumerated values are stored
    // as positions in the value list and shown as the items' texts; all other values as stored.
    static QStringList makeDisplayRow(const tagModifyFuncode_Servo& record);

private:
    QVariant decoration(const QModelIndex& index) const;
    static QString displayValue(const QString& stored, int showType, const QString& enumText);
};
