#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

class QDeviceServo;

// The cell editors of the history-record format table: the row number (one or two digits from 1, or a
// range "a~b"), the display name, the data type, the byte length and the parameter. An edit that
// breaks a rule is refused with a message and the cell keeps its value: a number that is not complete,
// byte lengths that add up to more than 128, a parameter the drive does not know (FAULTCODE and
// RESERVE, in any case, are always allowed).
class QHisFormatTableDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    enum Column
    {
        COL_NUMBER = 0,
        COL_NAME,
        COL_DATA_TYPE,
        COL_BYTE_LEN,
        COL_PARAM,
        COLUMN_COUNT
    };
    static const int kMaxRecordBytes = 128;

    // device: the drive whose codes a parameter must name (the selected drive when null).
    explicit QHisFormatTableDelegate(QDeviceServo* device, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // "3:int16", "4:uint16", "7:int32", "8:uint32", "15:int64".
    static QStringList dataTypeItems();
    // The item of a data type code, or the bare code when no item has it.
    static QString dataTypeText(int dataType);
    // The code before ":" of a cell text.
    static int dataTypeCode(const QString& text);
    static bool isKeyword(const QString& param);
    static bool isValidNumber(const QString& number);

private:
    bool acceptNumber(const QString& text) const;
    bool acceptByteLength(const QAbstractItemModel* model, const QModelIndex& index, int length) const;
    bool acceptParam(const QString& text) const;
    void refuse(const char* textKey) const;

    QPointer<QDeviceServo> m_device;
    // While a refusal is shown the editor loses focus and would commit again: ignored meanwhile.
    mutable bool m_refusing = false;
};
