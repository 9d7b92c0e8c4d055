#pragma once

#include "QBaseTableModel.h"
#include "tagSubFuncode_Servo.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class QDeviceServo;

// The table model behind every function-code table: twenty fixed columns rendered on demand from a row's
// tagSubFuncode_Servo and from the selected servo device. Derived models only decide which codes form
// the rows. Nothing but the row lists is kept: every text, icon and colour is asked of the device when a
// view paints, and only visible changed rows are announced.
class QFuncodeModelBase_Servo : public QBaseTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        COL_NUMBER = 0,
        COL_COMMON,
        COL_NAME,
        COL_RW_STATE,
        COL_AXIS_X,
        COL_AXIS_Y,
        COL_AXIS_Z,
        COL_UNIT,
        COL_SAVE_STATE,
        COL_MIN,
        COL_MAX,
        COL_DEFAULT,
        COL_EFFECT,
        COL_STORE,
        COL_RELATE_F,
        COL_RELATE_P,
        COL_RELATE_S,
        COL_RELATE_T,
        COL_RELATE_PARAM,
        COL_REMARK,
        COLUMN_COUNT
    };

    // setData with role AXIS_ROLE_BASE + axis writes the value of that axis whatever the column
    // (a detail window edits through the cell it was opened from).
    static constexpr int AXIS_ROLE_BASE = 10000;

    explicit QFuncodeModelBase_Servo(QObject* parent = nullptr);
    ~QFuncodeModelBase_Servo() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The one-letter columns F, P, S and T explain themselves in their tool tips.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Edit role on an axis column (4..6), or AXIS_ROLE_BASE + axis on any column: hands the value to the
    // write road for the selected device and emits SigDataChanged when the drive's value changed (the road
    // has recorded it). Check-state role on
    // column 0: adds the code to / removes it from the device's monitored list.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Whether the value cells of a row may be edited (right, oscilloscope state).
    bool isEditable(int row) const;
    // Announces the rows of the changed codes that lie in the visible window (firstRow, visibleCount),
    // leaving out the row being edited. A notice for another device announces nothing.
    void onFuncodeChanged(const QString& aliasName, const QStringList& funIndexList, int firstRow,
                          int visibleCount);
    // Row whose editor is open, -1 when none.
    int editingRow() const { return m_editRow; }

    // ---- what the derived models provide
    // Rebuilds the row list from the host; the base resets the model.
    virtual void reloadRows();
    // Moves a code one place up / down in an ordered list; the base does nothing.
    virtual void moveRowUp(const QString& funIndex);
    virtual void moveRowDown(const QString& funIndex);
    // The record of a row, null when the row is out of range.
    virtual tagSubFuncode_Servo* getSubFuncode(int row) const;
    virtual QString groupOf(const QModelIndex& index) const;
    virtual int rowOf(const QModelIndex& index) const;
    virtual void setGroup(const QString& name);
    virtual void setGroupMap(const QMap<QString, QList<tagSubFuncode_Servo*>>& map);
    virtual QList<tagSubFuncode_Servo*> allFuncodes() const;
    // Row of a code, -1 when absent (or when the notice is about another device).
    virtual int rowOfFuncode(const QString& funIndex, const QString& aliasName) const;
    // The numbers of the list that are rows of this model, in row order.
    virtual QStringList funcodesInModel(const QStringList& funIndexList, const QString& aliasName) const;

public slots:
    void onSelectAll();
    void onDeselectAll();
    void OnEditting(int row, bool isEdit);

signals:
    void SigDataChanged(QString oldVal, QString newVal, tagSubFuncodePtr_Servo fun, int axisIndex);
    void SigBeginSelChanged();
    void SigSelChanged();

protected:
    QStringList headerTexts() const override;
    static QDeviceServo* selectedDevice();
    // Model resets that may nest (select all rebuilds rows inside its own reset): only the outermost
    // pair reaches the views.
    void beginRowsReset();
    void endRowsReset();

private:
    QVariant displayData(const tagSubFuncode_Servo* fun, int column, QDeviceServo* device) const;
    QVariant toolTipData(const tagSubFuncode_Servo* fun, int column, QDeviceServo* device) const;
    QVariant decorationData(const tagSubFuncode_Servo* fun, int column, QDeviceServo* device) const;
    QVariant backgroundData(const tagSubFuncode_Servo* fun, int column, QDeviceServo* device) const;
    QVariant foregroundData(int row, int column) const;
    QVariant fontData(const tagSubFuncode_Servo* fun, int column, QDeviceServo* device) const;
    QVariant checkStateData(const tagSubFuncode_Servo* fun, int column, QDeviceServo* device) const;
    bool writeValue(const QModelIndex& index, tagSubFuncode_Servo* fun, const QVariant& value, int axis);
    bool changeSelection(const QModelIndex& index, const tagSubFuncode_Servo* fun, const QVariant& value);
    void changeAllSelections(bool select);
    void announceRows(int first, int last);

    int m_editRow = -1;
    int m_resetDepth = 0;
};
