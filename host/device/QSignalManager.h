#pragma once

#include "DeviceInfo.h"
#include "tagSubFuncode_Servo.h"
#include "tagTreeDataSet.h"

#include <QObject>
#include <QString>
#include <QStringList>

// The one object that carries every host notice. Every notice about a device carries its alias first;
// receivers compare it with the device they serve. Pages connect by signature, so the names and
// argument lists are part of the host's interface.
class QSignalManager : public QObject
{
    Q_OBJECT
public:
    // The process-wide hub, made on first use on the GUI thread. Devices emit through it; the host's
    // QSoftCore hands out the same object.
    static QSignalManager* self();
    explicit QSignalManager(QObject* parent = nullptr);

signals:
    // --- values and device state
    // Values of these function codes of the device changed (after a read or a write).
    void SigFuncodeChanged_Servo(QString aliasName, QStringList funIndexList);
    // state 0: the device answers again and can be read; 1: it is gone (offline); 2: connecting.
    void SigDevStatus(QString aliasName, int state, QString text);
    // The refresh interval of the device's periodic reading changed.
    void sigRefreshParamsChanged(QString aliasName);
    // The device's function-code descriptions were loaded again; pages rebuild their rows.
    void sigReLoadDeviceCfg(QString aliasName);
    // The drive's state changed in a way that may change which codes are listed (e.g. authority).
    void SigStateChanged();
    // The monitored-list status of the selected drive changed outside the pages.
    void SigSelFocusStatusChanged();
    // An edit of the code was refused, failed or is not known yet, and why (the status bar and the page
    // that wrote show the reason).
    void SigFuncodeWriteFailed(QString aliasName, QString funIndex, int axisIndex, QString reason);

    // --- project tree and selection
    void SigClickTree(const DeviceInfo* info, const tagTreeDataSet& treeDataSet);
    void SigStatusButtonActionTriggered();
    // A function code was picked (e.g. in the find dialog): alias, device name, version, number.
    void SigSelectCode(QString aliasName, QString devName, QString version, QString subCode);
    // The monitored list of a device changed.
    void SigSelChanged();
    // Close every hovering function-code detail window.
    void SigFuncodeDetailDelete();
    // A device was removed from the project.
    void SigRemoveDevice();
    // The device list or the display names changed.
    void sigDevShowChanged();
    void sigDevInfoChanged(QString aliasName);
    // The host asks for a backup (false) or a recovery (true) of the selected drive's codes.
    void sigFuncodeBackupOrRecovery(bool bRecovery);
    // The host asks for a print preview of the selected drive's codes.
    void sigFuncodePrintPreview();

    // --- faults
    void SigDeviceFaultChanged(QString aliasName);
    void SigDeviceNewFaultArrived(QString aliasName);
    void SigCurFaultHasClear(QString aliasName);
    void SigHistoryFaultChanged(QString aliasName);

    // --- batch reading and writing
    void sigWriteReply(QString aliasName, int addr, int len, bool bSucceed, unsigned char errCode);
    void sigWriteFinished(QString aliasName, int val);
    void sigReadReply(QString aliasName, int addr, int len, bool bSucceed);
    void sigReadFinished(QString aliasName, int val);
};
