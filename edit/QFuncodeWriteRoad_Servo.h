#pragma once

#include "QServoValueStates.h"
#include "tagModifyFuncode_Servo.h"
#include "tagSubFuncode_Servo.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QVariant>

class QDeviceServo;

// The one road of every edit to a drive, whatever page or dialog it comes from (group tables, monitored
// list, statistics, records, detail window, import tree, the hexadecimal and menu-parameter dialogs
// behind the table editors). The pages keep their own setData and hand the value over here; the road
//   1. converts the value to raw once and checks the write rules on it (range, right, state, authority,
//      oscilloscope): a refusal sends nothing;
//   2. writes it and reads it back (QDeviceServo::writeAndReadBack);
//   3. compares what the drive holds with what was asked;
//   4. when the value changed: stores the modification record and the statistics event, and marks the
//      code unsaved when the drive holds the new value and the code is kept through power-off;
//   5. announces the code on the hub (SigFuncodeChanged_Servo), and any refusal or failure with its
//      reason (SigFuncodeWriteFailed), which the status bar and the page show.
// A write whose answer does not come in time is not known: the road reads the code again (at once, then
// with the drive's reads until one answers) and settles it then, recording the change and marking it
// unsaved when the drive holds the asked value, reporting the write as failed only when it does not.
class QFuncodeWriteRoad_Servo : public QObject
{
    Q_OBJECT
public:
    enum enOutcome
    {
        OUTCOME_DONE = 0, // the drive holds the value asked for
        OUTCOME_REFUSED,  // a rule refused it before anything was sent
        OUTCOME_FAILED,   // sent, and the drive does not hold it
        OUTCOME_NOT_KNOWN // sent, without an answer in time: settled when the code is read again
    };

    struct Result
    {
        int outcome = OUTCOME_REFUSED;
        int error = 0;        // QDeviceServo::enWriteError
        QString reason;       // why it was refused, failed or is not known, for people
        QString oldText;      // the shown value before ("" when it was not known)
        QString newText;      // the shown value the drive holds after
        bool changed = false; // the drive's value changed: a record was stored

        bool isDone() const { return outcome == OUTCOME_DONE; }
    };

    // The road of the process (made on first use on the GUI thread).
    static QFuncodeWriteRoad_Servo* self();
    explicit QFuncodeWriteRoad_Servo(QObject* parent = nullptr);
    ~QFuncodeWriteRoad_Servo() override;

    // A value as an editor hands it: a number in the editors' units (shown units for decimal codes, the
    // raw value otherwise; an integer is taken as it is). Anything else is refused.
    Result writeEditorValue(QDeviceServo* device, const QString& funIndex, int axis, const QVariant& value);
    // A shown text (as the import tree holds it), read by the code's show type.
    Result writeText(QDeviceServo* device, const QString& funIndex, int axis, const QString& text);
    Result writeRaw(QDeviceServo* device, const QString& funIndex, int axis, qint64 raw);

    // Puts a value back that a change replaced: refused with the reason when the drive is offline, the
    // value is out of range now, the code is read-only or the drive already holds it; otherwise written
    // as a new change.
    Result restoreValue(QDeviceServo* device, const QString& funIndex, int axis, qint64 raw);
    // The old value of a record as the records page shows it, on the record's axis.
    Result restoreShown(QDeviceServo* device, const QString& funIndex, int axis, const QString& oldText);

    // Stores a change given as shown texts (as a page saw it) and announces it with sigChangeRecorded.
    tagModifyFuncode_Servo recordChange(QDeviceServo* device, const tagSubFuncode_Servo* fun, int axis,
                                        const QString& oldText, const QString& newText);

    // Writes not known yet (their answer did not come in time).
    int unsettledCount() const { return m_unsettled.size(); }
    // How often the codes of unsettled writes are read again.
    void setRetryInterval(int ms) { m_retry.setInterval(ms); }

signals:
    // A change was stored in the record database (the records page shows it first).
    void sigChangeRecorded(QString aliasName, tagModifyFuncode_Servo record);
    // An edit of the code ended, at once or later when it was not known: the pages repaint it.
    void sigWriteSettled(QString aliasName, QString funIndex, int axisIndex, int outcome);

private slots:
    void onFuncodeChanged(QString aliasName, QStringList funIndexList);
    void readUnsettledAgain();

private:
    // A write on its way: what was asked and what the drive held before.
    struct Write
    {
        QPointer<QDeviceServo> device;
        QString alias;
        QString funIndex;
        int axis = 0;
        qint64 asked = 0;
        QServoValue before;
        QString oldText;
        qint64 sentAtMs = 0;
        QMap<QString, QString> relatedBefore;
    };

    Result refuse(const QString& alias, const QString& funIndex, int axis, int error, const QString& reason);
    Result fail(const Write& write, int error, const QString& reason);
    // Compares what the drive holds now with what was asked and does the bookkeeping.
    Result settle(const Write& write);
    Result keepUnsettled(const Write& write);
    void storeChange(const Write& write, const QServoValue& now);
    tagModifyFuncode_Servo makeRecord(QDeviceServo* device, const tagSubFuncode_Servo* fun, int axis,
                                      const QString& oldText, const QString& newText,
                                      const QMap<QString, QString>& relatedBefore) const;
    void announceFailure(const QString& alias, const QString& funIndex, int axis, const QString& reason);

    QList<Write> m_unsettled;
    QTimer m_retry;
};
