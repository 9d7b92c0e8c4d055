#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

// One value travelling over a drive link: which code, which axis, the raw value and the outcome.
struct QDriveValueItem
{
    QString funIndex;
    int axis = 0;
    qint64 value = 0;
    int error = 0; // QDriveLink::enLinkError

    QDriveValueItem() = default;
    QDriveValueItem(const QString& index, int ax, qint64 v = 0) : funIndex(index), axis(ax), value(v) {}
};

typedef QList<QDriveValueItem> QDriveValueList;

// One fault that a drive reports now.
struct QDriveFaultRecord
{
    QString code;
    int axis = 0;
    qint64 time = 0; // seconds since 1970-01-01 UTC, drive clock
};

typedef QList<QDriveFaultRecord> QDriveFaultList;

Q_DECLARE_METATYPE(QDriveValueItem)
Q_DECLARE_METATYPE(QDriveValueList)
Q_DECLARE_METATYPE(QDriveFaultRecord)
Q_DECLARE_METATYPE(QDriveFaultList)
