#pragma once

#include "QDeviceBase.h"
#include "QDriveLink.h"
#include "QDriveModel.h"
#include "QServoAnswerWatch.h"
#include "QServoBatchEngine.h"
#include "QServoFaultStore.h"
#include "QServoGroupOrder.h"
#include "QServoMonitoredList.h"
#include "QServoPresentation.h"
#include "QServoReadQueue.h"
#include "QServoStatusPoll.h"
#include "QServoUnsavedParams.h"
#include "QServoValueStates.h"
#include "QServoWholeRead.h"
#include "tagExportFuncode_Servo.h"
#include "tagFaultInfo.h"
#include "tagHistoryFaultList.h"
#include "tagOsciFuncodeIndex.h"
#include "tagServoBufInfo.h"
#include "tagSubFuncode_Servo.h"

#include <QColor>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QTimer>
#include <array>
#include <memory>
#include <vector>

class QServoFaultRequests;
class QServoRequestWaiter;

// A servo drive of the project. It describes every function code (tagSubFuncode_Servo), keeps the last
// known value of every code per axis with its state, and answers every value question at once from them.
// Reads are only queued with the drive link; when the answer comes the values are updated and the hub's
// SigFuncodeChanged_Servo names the codes whose values or value states changed.
//
// Value states (QServoValue, asked with valueInfo): every value is not read yet, read (with the time of
// the read), stale (the last read failed, or the drive went offline or stopped answering: the last good
// value and its age are kept) or written and not yet read back. Whatever shows, compares, exports or
// edits a value asks valueInfo (or hasValue) first: getCurValue and getScaledCurValue answer 0 for a value
// that is not known, which is no value at all. Ages come from the stored read times, never from traffic.
//
// Drive state (deviceStatus, announced by the hub's SigDevStatus): online, offline, connecting (a bus
// link that has not been online yet) and not answering (online, but several requests in a row got no
// answer). Reads asked for while the drive connects are kept and sent when it comes online; a whole read
// asked for while it connects or is offline, and the drive coming back after being offline, read every
// code again in the background, a few codes at a time and only while nothing else waits to be read
// (progress: wholeReadProgress).
//
// Writes: the rules are checked on the raw value (converted once); writeAndReadBack is the drive side of
// a write (send, wait, read back), a write without an answer in time leaves the value WRITTEN. Every edit
// of a page goes through the plug-in's write road (edit/QFuncodeWriteRoad_Servo), which compares what the
// drive holds with what was asked, marks the code unsaved, stores the record and the statistics event.
//
// The device is a facade: the read queue, the whole read, the value states, the waiting for answers, the
// write rules, the fault traffic, the batch engine, the monitored list, the unsaved marks and the icons
// and texts are classes of their own (QServo...) that it owns and calls.
class QDeviceServo : public QDeviceBase
{
    Q_OBJECT
public:
    typedef QMap<QString, QList<tagSubFuncode_Servo*>> FuncodeGroupMap;

    enum enAxis
    {
        AXIS_X = 0,
        AXIS_Y = 1,
        AXIS_Z = 2
    };

    enum enWriteError
    {
        WRITE_OK = 0,
        WRITE_ERR_OFFLINE = 1,
        WRITE_ERR_TIMEOUT = 2,
        WRITE_ERR_RANGE = 3,
        WRITE_ERR_READ_ONLY = 4,
        WRITE_ERR_UNKNOWN_CODE = 5,
        WRITE_ERR_REFUSED = 6,
        WRITE_ERR_AUTHORITY = 7,
        WRITE_ERR_OSCI = 8,
        WRITE_ERR_AXIS = 9,
        WRITE_ERR_BUSY = 10
    };

    // The state SigDevStatus carries.
    enum enDeviceStatus
    {
        DEVICE_ONLINE = 0,
        DEVICE_OFFLINE = 1,
        DEVICE_CONNECTING = 2,
        DEVICE_NOT_ANSWERING = 3
    };

    enum enReadWriteStatus
    {
        RW_STATUS_NONE = 0,
        RW_STATUS_READ_OK,
        RW_STATUS_READ_FAILED,
        RW_STATUS_WRITE_OK,
        RW_STATUS_WRITE_FAILED
    };

    // The device takes ownership of the link.
    QDeviceServo(const QDriveModelPtr& model, QDriveLink* link, const QString& alias,
                 QObject* parent = nullptr);
    ~QDeviceServo() override;

    int deviceKind() const override { return DEVICE_KIND_SERVO; }
    QString getDevName() const override;
    QString getConfigVersion() const override;
    bool isDeviceOnline() const override;
    // Online, offline, connecting or not answering (enDeviceStatus).
    int deviceStatus() const;
    // Online and answering: what it is asked now is answered.
    bool isDeviceAnswering() const { return deviceStatus() == DEVICE_ONLINE; }
    int getAxisNum() const;
    QDriveLink* getLink() const { return m_link; }
    const QDriveModelPtr& getDriveModel() const { return m_model; }

    // ---- descriptions
    // Group name -> codes of the group, holding only codes visible at the present authority.
    const FuncodeGroupMap& getNormalFuncodeGroupMap() const { return m_normalGroups; }
    const FuncodeGroupMap& getStateFuncodeGroupMap() const { return m_stateGroups; }
    // Group names in display order: numbers before the first blank compared by their last run of
    // digits, "PtP" groups last.
    static QStringList orderGroupName(const QStringList& names) { return QServoGroupOrder::sorted(names); }
    static bool groupNameLessThan(const QString& a, const QString& b)
    {
        return QServoGroupOrder::lessThan(a, b);
    }
    // Any code (normal or state). With bCheckAuth, a code above the present authority is not found.
    tagSubFuncode_Servo* getFuncodePtrByFunIndex(const QString& funIndex, bool bCheckAuth = false) const;
    tagSubFuncode_Servo* getNormalFuncodePtrByFunIndex(const QString& funIndex,
                                                       bool bCheckAuth = false) const;
    tagSubFuncode_Servo* getNormalFuncodePtrByFunIndexAuth(const QString& funIndex) const;
    tagSubFuncode_Servo* getStatusFuncodeByIndex(const QString& funIndex, bool bCheckAuth = false) const;
    bool isNormalFuncode(const tagSubFuncode_Servo* fun) const;
    // Whether a code of the given authority level is visible at authority.
    static bool isAuthValid(int codeAuthority, int authority);
    bool isAuthValid(const QString& funIndex, int authority) const;
    // All normal codes visible at the present authority, in group display order.
    QList<tagSubFuncode_Servo*> getAllNormalFuncodes() const;

    // ---- values (answered at once from the last known values)
    // The value of a code and axis with its state and age; NOT_READ for an unknown code or axis.
    QServoValue valueInfo(const QString& funIndex, int axis) const;
    // The raw value when it is known (QServoValue::isKnown); false and nothing otherwise.
    bool curValue(const QString& funIndex, int axis, qint64* raw) const;
    // The raw value; 0 when it is not known (ask hasValue or valueInfo first: 0 is then no value).
    qint64 getCurValue(const QString& funIndex, int axis) const;
    double getScaledCurValue(const QString& funIndex, int axis) const;
    // The shown text of a known value; "" when not read yet (or written and not yet read back), "null"
    // after a failed read.
    QString getScaledCurValueStr(const QString& funIndex, int axis) const;
    // The shown text of the last good value (also of a stale one); "" without one.
    QString lastGoodValueStr(const QString& funIndex, int axis) const;
    // What a table shows for a value: the value when known (also a stale one, which tables draw dim), the
    // value asked for while a write is not read back, "null" after a failed read, and a dash before the
    // first read.
    QString shownValueText(const QString& funIndex, int axis) const;
    // Why a shown value is not plainly current, for its tooltip ("read 12 s ago", "written, not read back
    // yet", "not read yet"); "" for a value read since the drive last answered. Ages come from the stored
    // read times: asking costs no link traffic.
    QString valueStateTip(const QString& funIndex, int axis) const;
    // Whether a read sent at or after sinceMs (ms since 1970-01-01 UTC, the clock of valueStates) answered
    // the value, and nothing has made it doubtful since.
    bool isValueReadSince(const QString& funIndex, int axis, qint64 sinceMs) const
    {
        return m_values.isReadSince(rowOf(funIndex), axis, sinceMs);
    }
    // Values of the drive whose state is stale (every axis counted).
    int staleValueCount() const { return m_values.staleCount(); }
    QServoValueStates& valueStates() { return m_values; }
    QString getScaledDefaultValueStr(const QString& funIndex, int axis) const;
    // Text of a description value (minimum, maximum, default) for display.
    QString getScaledValueString(int showType, int precision, const QString& rawText) const;
    // Text of a raw value of a code.
    QString getShowStr(const tagSubFuncode_Servo* fun, qint64 rawValue) const;
    // Raw value of a shown text of the code (inverse of getShowStr); 0 when it cannot be read.
    qint64 getRawValueByScaledValStr(const QString& funIndex, const QString& scaledText,
                                     bool* ok = nullptr) const;
    // Scaled number (as the editors use it) -> raw value.
    qint64 scaledToRaw(const tagSubFuncode_Servo* fun, double scaled) const;
    double rawToScaled(const tagSubFuncode_Servo* fun, qint64 raw) const;
    virtual int getDecimals(int precision) const;
    static double getResolution(int decimals);
    bool isCurValEqualDef(const QString& funIndex, int axis) const;
    // Whether the value is known (QServoValue::isKnown).
    bool hasValue(const QString& funIndex, int axis) const;
    // One row per setting and axis whose read value differs from the default: number, name, axis,
    // current value text, default value text (QDefaultValueComparer_Servo).
    QList<QStringList> getCompareFuncodeDefault() const;

    // ---- reading (never waits)
    // Queues a read of every axis of the codes; codes already waiting are not queued twice. While the
    // drive connects the reads are kept for when it comes online; an offline drive reads nothing.
    void readFuncode(const QList<tagSubFuncode_Servo*>& list);
    // Online: queues a read of every code. Connecting or offline: the drive is read whole in the
    // background once it is online.
    void readAllFuncode();
    // Drops queued reads of a group (or of a list) for one axis.
    void stopReadFuncode(const QString& groupName, int axis);
    void stopReadValue(const QList<tagSubFuncode_Servo*>& list, int axis);
    int pendingReadCount() const { return m_readQueue.pendingCount(); }
    // True while queued reads wait, a queued read is with the drive, or a whole read runs.
    bool isReadBusy() const;
    // The background whole read: codes read so far and in all (0 and 0 when none runs).
    bool isWholeReadRunning() const { return m_wholeRead->isRunning(); }
    int wholeReadDone() const { return m_wholeRead->doneCount(); }
    int wholeReadTotal() const { return m_wholeRead->totalCount(); }
    // Reads one code of axis X and waits for it; 0 or an enWriteError.
    int readOneFuncode_Synch(const QString& funIndex, qint64& value, int timeoutMs, bool bProcessEvents);

    // ---- writing (waits for the drive, processing events)
    // The drive side of a write: sends the raw value of the axis, waits for the drive to take it, then
    // reads the code and its related codes back (their values before the write are kept: see
    // getReleParamOldValMapByFunIndex). No rule is checked and nothing is recorded here: the pages hand
    // every edit to the plug-in's write road. Returns 0 or an enWriteError (also getLastWriteError);
    // WRITE_ERR_TIMEOUT: not known whether the drive took the value, which stays WRITTEN until a read
    // answers.
    int writeAndReadBack(const QString& funIndex, int axis, qint64 raw, int timeoutMs);
    // Reads the codes of an axis and waits for the answer: 0 or an enWriteError.
    int readNow(const QStringList& funIndexes, int axis, int timeoutMs);
    // For scripts and tests: a value in the editors' units converted to raw once, checked
    // (checkWriteRawValue) and written with writeAndReadBack. No record, no statistics event, no unsaved
    // mark: the pages hand every edit to the plug-in's write road, which does them.
    bool modifyFuncodeValueWithRecord(const QString& funIndex, double value, int axis);
    // Writes a raw value to axis X after checking it, and reads it back; returns 0 or an enWriteError.
    int writeOneFuncode_Synch(const QString& funIndex, qint64 rawValue, int timeoutMs, bool bProcessEvents);
    // Checks a raw value of an axis without writing (right, authority, state, range): 0 or an
    // enWriteError; reason, when given, gets the text of a refusal.
    int checkWriteRawValue(const QString& funIndex, qint64 rawValue, int axis,
                           QString* reason = nullptr) const;
    int getLastWriteError() const { return m_lastWriteError; }
    QString getErrorReasonStr(int error) const;
    // Whether the drive accepts writes in its present state (flag), and why not (reason).
    bool isWritePermitted(QString* reason) const;
    // The write error (enWriteError) of a link error.
    static int linkErrorToWriteError(int linkError);

    // ---- batch writing and reading (the work is QServoBatchEngine's)
    // Plans blocks of consecutive registers for the records; returns the registers to write and read back.
    int calcFuncodeReadWriteTaskMap(const QMap<QString, tagExportFuncodePtr_Servo>& records, bool bAllAxis,
                                    int axis)
    {
        return m_batchEngine->calcTaskMap(records, bAllAxis, axis);
    }
    // Writes the planned values (hub: sigWriteReply per block, sigWriteFinished at the end).
    bool modifyFuncodeValueWithRecord_readAfterWrite() { return m_batchEngine->startWrite(); }
    // Reads the planned values back (hub: sigReadReply per block, sigReadFinished at the end).
    bool readFuncodeByTaskMap() { return m_batchEngine->startRead(); }
    void stopReadWriteTask_batch() { m_batchEngine->stop(); }
    QServoTaskMap getWriteTaskMap() const { return m_batchEngine->writeTaskMap(); }
    QServoBatchEngine* batchEngine() const { return m_batchEngine; }

    // ---- saved state
    void setParamUnsaved(int axis, const QString& funIndex);
    bool isParamUnsaved(const QString& funIndex, int axis) const;
    QString getSavedStr(const QString& funIndex) const;
    QColor getSaveColor(const QString& funIndex) const;
    // Stores every value of the axis through power-off; waits for the drive.
    bool saveAllFuncode(int axis);
    bool resetDevice(int axis);
    // The drive's time stamp (seconds since 1970-01-01 UTC) of the last value written.
    int getSortedModifyTime() const { return m_lastModifyTime; }
    // Whether a code is kept through power-off, so that a changed value needs saving.
    bool needsSaving(const QString& funIndex) const;

    // ---- related parameters
    QStringList getReleParamListByFunIndex(const QString& funIndex) const;
    // Related number -> its shown value just before the code was last written.
    QMap<QString, QString> getReleParamOldValMapByFunIndex(const QString& funIndex) const;

    // ---- monitored list (kept in the user's order, saved with the project)
    bool isSubFuncodeSelected(const QString& funIndex) const;
    void appendSelSubFuncode(const QString& funIndex);
    void removeSelSubFuncode(const QString& funIndex);
    void removeAllSelSubFuncode();
    void upSelSubFuncodeList(const QString& funIndex);
    void downSelSubFuncodeList(const QString& funIndex);
    QStringList getSelSubFuncodeList() const { return m_monitored.list(); }
    void setSelSubFuncodeList(const QStringList& list);

    // ---- oscilloscope
    bool isOsciRunning() const { return m_osciRunning; }
    void setOsciRunning(bool running);
    tagOsciFuncodeIndex getOsciFirstFuncodeIndex() const;
    QStringList getOsciNoEditFuncodes() const;

    // ---- motor type
    QString getDevMotorTypeFuncode() const;
    // The motor type read from the drive; 0 when it is not known (ask isMotorType to compare).
    qint64 getMotorType() const;
    // Whether the drive is known to hold this motor type (an unknown motor type is no match).
    bool isMotorType(qint64 motorType) const;

    // ---- faults
    QList<tagFaultInfoPtr> getCurFaultList() const { return m_faultStore.curFaults(); }
    void readCurFaults();
    bool clearCurFaults();
    // The axis whose faults the pages read, and a new read of the current faults.
    void setFaultAxisIndex(int axis) { m_faultAxis = qBound(0, axis, 2); }
    int getFaultAxisIndex() const { return m_faultAxis; }
    void OnReadFaultFuncode(int axis);
    // Reads the history fault records of the axis; bWait waits for them.
    void readHisFaultFuncode(int axis, bool bWait);
    QList<QByteArray> getHistoryFaultRecords(int axis) const { return m_faultStore.historyRecords(axis); }
    // The history records of the axis, newest first, decoded with the format in use.
    QList<tagHistoryFaultList> getHistoryFaultList(int axis = AXIS_X) const
    {
        return m_faultStore.historyList(axis);
    }
    bool clearHistoryFault(int axis);
    // The history-record format in use (false) or the model's own (true).
    QHisFaultFormatList_Servo getDevHisFaultFormat(bool bModelDefault) const
    {
        return m_faultStore.format(bModelDefault);
    }
    // Takes the format stored for the drive's identity in the configuration database (bFromDatabase)
    // or the model's own; a changed format is announced by SigHistoryFaultChanged.
    void initHisFaultFormat(bool bFromDatabase);

    // ---- presentation helpers
    static QIcon getCheckIcon(bool checked) { return QServoPresentation::checkIcon(checked); }
    static QIcon getRWLevelIcon(int rwLevel) { return QServoPresentation::rwLevelIcon(rwLevel); }
    static QIcon getEffectIcon(int effectStyle) { return QServoPresentation::effectIcon(effectStyle); }
    static QString getEffectStr(int effectStyle) { return QServoPresentation::effectText(effectStyle); }
    static QString getAxisName(int axis) { return QServoPresentation::axisName(axis); }
    static QString getDataTypeStr(int dataType) { return QServoPresentation::dataTypeText(dataType); }
    // A CANopen address ("0x2000:01": index in the high 16 bits, sub-index in the low 16) or a USB code
    // (decimal or "0x" hexadecimal) as an integer for files and reports; 0 when the text holds none.
    static int convertAddr(const QString& addr);
    QIcon getReadWriteStatusIcon(const QString& funIndex) const;
    int getReadWriteStatus(const QString& funIndex) const;

    // Loads the descriptions again (e.g. after the model file changed, or in another language); announced
    // by sigReLoadDeviceCfg. A description of the same codes (another language) changes the records in
    // place, so that pointers to them stay valid.
    void reloadDeviceConfig(const QDriveModelPtr& model);
    // Rebuilds the group maps for the present authority.
    void rebuildGroupMaps();

signals:
    void curFaultsChanged();
    // The background whole read went on: codes read so far and in all; done == total when it ended.
    void wholeReadProgress(int done, int total);

private slots:
    void onReadFinished(quint32 requestId, QDriveValueList items);
    void onWriteFinished(quint32 requestId, QDriveValueList items);
    void onOnlineChanged(bool online);

private:
    void buildRecords();
    bool describesSameCodes(const QDriveModel& model) const;
    void flushReadQueue();
    void sendQueued();
    void startWholeRead();
    QServoWholeRead::Hooks wholeReadHooks();
    QServoStatusPoll::Hooks statusPollHooks();
    void announceMonitoredChange(bool changed);
    int rowOf(const QString& funIndex) const { return m_rowIndex.value(funIndex, -1); }
    void storeReadAnswer(const QDriveValueItem& item, qint64 sentAtMs, QStringList* changed);
    int writeRaw(const QString& funIndex, int axis, qint64 raw, int timeoutMs);
    int readBack(const QStringList& funIndexes, int axis, int timeoutMs);
    void snapshotRelated(const tagSubFuncode_Servo* fun, int axis);
    void noteAnswered(bool answered);
    void makeAllStale();
    void announceChanged(const QStringList& changed);
    int presentAuthority() const;

    QDriveModelPtr m_model;
    QDriveLink* m_link = nullptr;
    std::vector<std::unique_ptr<tagSubFuncode_Servo>> m_records;
    std::vector<std::unique_ptr<tagSubFuncode_Servo>> m_retiredRecords; // kept after a reload
    QHash<QString, int> m_rowIndex;
    QServoValueStates m_values;
    std::vector<quint8> m_rwStatus; // enReadWriteStatus per row
    FuncodeGroupMap m_normalGroups;
    FuncodeGroupMap m_stateGroups;

    QServoReadQueue m_readQueue;
    qint64 m_inFlightSentAtMs = 0; // when the queued read with the drive was sent
    QServoWholeRead* m_wholeRead = nullptr;
    QServoStatusPoll* m_statusPoll = nullptr; // drives on a bus only
    bool m_wholeReadWanted = false;           // asked for while the drive could not be read
    bool m_everOnline = false;                // false while a link connects for the first time
    QServoAnswerWatch m_answers;
    QServoRequestWaiter* m_requests = nullptr; // the answers callers wait for
    qint64 m_lastDriveTime = 0;

    QServoMonitoredList m_monitored;
    QServoUnsavedParams m_unsaved;
    QHash<QString, QMap<QString, QString>> m_relateOldValues;
    bool m_osciRunning = false;
    int m_lastWriteError = WRITE_OK;
    int m_lastModifyTime = 0;
    QServoBatchEngine* m_batchEngine = nullptr;
    QServoFaultStore m_faultStore;
    QServoFaultRequests* m_faults = nullptr; // the fault traffic with the drive
    int m_faultAxis = AXIS_X;
};

// The axis of a value (0 X, 1 Y, 2 Z), by the name the plug-in's interface gives it.
using ServoAxisIndex = QDeviceServo::enAxis;
