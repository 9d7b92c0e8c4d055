#pragma once

#include <QAbstractTableModel>
#include <QString>

class QDeviceServo;
struct tagSubFuncode_Servo;

// One row per axis of a drive for one function code: axis name, current value, default and an edit cell.
// Cells are computed from the device on each call (looked up by alias, so a removed drive only empties
// the cells). The model never writes to the drive: an edit of the value cell is handed on as
// sigValueEdited and whoever owns the model decides what to do with it.
class QFunCodeAxisValueModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        COL_AXIS = 0,
        COL_CUR_VALUE,
        COL_DEFAULT,
        COL_EDIT,
        COL_COUNT
    };

    explicit QFunCodeAxisValueModel(QObject* parent = nullptr);

    // Shows the code of the drive; no rows when the drive or the code is unknown.
    void setFuncode(const QString& alias, const QString& funIndex);
    QString aliasName() const { return m_alias; }
    QString funIndex() const { return m_funIndex; }
    // The device and the code, or null when either is gone.
    QDeviceServo* device() const;
    tagSubFuncode_Servo* funcode() const;

    // Allows or forbids editing as a whole; the code's own right and show type still apply.
    void setModifyEnabled(bool enabled);
    bool isModifyEnabled() const { return m_modifyEnabled; }
    // Whether the code itself may be edited here: known, writable right, a show type with an editor.
    bool isCodeEditable() const;

    // Tells the views that the values may have changed (after a read or a write).
    void refreshValues();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Edit role on the edit cell: emits sigValueEdited for the row's axis and returns true; the value
    // shown does not change until the drive reports it.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    void sigValueEdited(int axisIndex, const QVariant& value);

private:
    QVariant displayText(int axis, int column) const;
    QVariant toolTip(int axis, int column) const;
    QVariant foreground(int axis, int column) const;

    QString m_alias;
    QString m_funIndex;
    int m_rows = 0;
    bool m_modifyEnabled = true;
};
