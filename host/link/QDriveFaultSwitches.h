#pragma once

#include <QMetaType>
#include <QString>

// Faults a simulated drive can be made to show, so that the workbench's handling of a misbehaving
// drive can be tried: lost and late replies, refused writes, one failing code, a drive that drops
// off the bus in the middle of work. Counting starts when the switches are set.
struct QDriveFaultSwitches
{
    int dropEvery = 0;   // the reply of every n-th request is lost (0: never)
    int lateEvery = 0;   // every n-th request is answered lateByMs late (0: never)
    int lateByMs = 3000; // how late a late answer comes (longer than a link's timeout)
    bool refuseWrites = false;
    QString refuseReason;  // why writes are refused, as the drive reports it
    QString failCode;      // reads and writes of this code fail (empty: none)
    int offlineAfter = -1; // after this many further requests the drive goes offline (-1: never)

    bool isClear() const
    {
        return dropEvery <= 0 && lateEvery <= 0 && !refuseWrites && failCode.isEmpty() && offlineAfter < 0;
    }
    bool operator==(const QDriveFaultSwitches& o) const
    {
        return dropEvery == o.dropEvery && lateEvery == o.lateEvery && lateByMs == o.lateByMs &&
               refuseWrites == o.refuseWrites && refuseReason == o.refuseReason && failCode == o.failCode &&
               offlineAfter == o.offlineAfter;
    }
    bool operator!=(const QDriveFaultSwitches& o) const { return !(*this == o); }
};

// What happens to the reply of one request.
struct QDriveRequestFate
{
    bool drop = false;    // no reply at all
    int extraDelayMs = 0; // reply this much later than usual
};

Q_DECLARE_METATYPE(QDriveFaultSwitches)
