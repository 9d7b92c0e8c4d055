#pragma once

#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

// One function code as written to or read from a function-code file and handed to batch operations.
struct tagExportFuncode_Servo
{
    int canopenAddr = 0;
    int usbCode = 0;
    QString groupName;
    QString funIndex;
    QString funName;
    std::array<qint64, 3> curValue{{0, 0, 0}}; // raw value per axis X, Y, Z
    int dataType = 0;
    QStringList valueTexts; // scaled value text per axis, as exported or read from a file
    int axisNum = 1;
    int authority = 0;
    QStringList curValueTexts; // current value text per axis read back from the drive ("null": failed)
    QString minText;
    QString maxText;
    QString defaultText;
    QString unitText;
    QString remarkText;
    // Read from a file: bit n set when axis n's raw value and text disagreed and the raw value was made
    // from the text (a person edits the text in a spreadsheet).
    quint8 textTakenAxes = 0;
    // Bit n set when axis n's value is not known (a drive's value never read or whose read failed, a
    // file's empty or "null" text): curValue holds no number there.
    quint8 unknownAxes = 0;

    bool isKnown(int axis) const { return !(unknownAxes & (1u << axis)); }
};

typedef QSharedPointer<tagExportFuncode_Servo> tagExportFuncodePtr_Servo;

// The records of a file or a drive: held in one array (a QList would allocate each shared pointer apart).
//
// The last owner of a list lets its records go in order while the records a few places ahead, and the heads
// of the number and name texts they share with a drive model, are brought into the cache: freed one by one,
// a record waited on those two heads (lying all over the heap) for most of the time its freeing took.
class tagExportFuncodeList_Servo : public QVector<tagExportFuncodePtr_Servo>
{
public:
    using QVector<tagExportFuncodePtr_Servo>::QVector;
    tagExportFuncodeList_Servo() = default;
    tagExportFuncodeList_Servo(const QVector<tagExportFuncodePtr_Servo>& other)
        : QVector<tagExportFuncodePtr_Servo>(other)
    {
    }
    tagExportFuncodeList_Servo(QVector<tagExportFuncodePtr_Servo>&& other) noexcept
        : QVector<tagExportFuncodePtr_Servo>(std::move(other))
    {
    }
    tagExportFuncodeList_Servo(const tagExportFuncodeList_Servo& other) = default;
    tagExportFuncodeList_Servo(tagExportFuncodeList_Servo&& other) noexcept = default;
    ~tagExportFuncodeList_Servo() { releaseRecords(); }

    // The records given up here go through the destructor of the list that takes them over.
    tagExportFuncodeList_Servo& operator=(const tagExportFuncodeList_Servo& other)
    {
        if (!isSharedWith(other)) {
            tagExportFuncodeList_Servo copy(other);
            swap(copy);
        }
        return *this;
    }
    tagExportFuncodeList_Servo& operator=(tagExportFuncodeList_Servo&& other) noexcept
    {
        tagExportFuncodeList_Servo moved(std::move(other));
        swap(moved);
        return *this;
    }

private:
    void releaseRecords()
    {
        if (isEmpty() || !isDetached()) {
            return;
        }
        // Far enough ahead for a record to arrive before it is freed, near enough for it to stay.
        const int recordsAhead = 12;
        const int textsAhead = 6;
        tagExportFuncodePtr_Servo* records = data();
        const int count = size();
        for (int i = 0; i < count; ++i) {
#if defined(__GNUC__)
            if (i + recordsAhead < count && records[i + recordsAhead]) {
                // The record and its counts just before it, a cache line at a time.
                const quintptr record = reinterpret_cast<quintptr>(records[i + recordsAhead].data());
                for (int at = -16; at < int(sizeof(tagExportFuncode_Servo)); at += 48) {
                    __builtin_prefetch(reinterpret_cast<const void*>(record + quintptr(qintptr(at))));
                }
            }
            if (i + textsAhead < count && records[i + textsAhead]) {
                tagExportFuncode_Servo* record = records[i + textsAhead].data();
                __builtin_prefetch(record->funIndex.data_ptr());
                __builtin_prefetch(record->funName.data_ptr());
            }
#endif
            records[i].reset();
        }
    }
};
