#pragma once

#include "QFunOperationModel.h"

// The batch-download tree of servo function codes: number, name, one value column per axis of the source
// (the file's values, or a source drive's current values) and, when asked, the default value. A code is
// highlighted when axis X differs from the current drive, and each axis cell that differs is marked.
class QServoFunOperationModel : public QFunOperationModel
{
    Q_OBJECT
public:
    explicit QServoFunOperationModel(QObject* parent = nullptr);

    // Sets the headers for a source: values from a file ("import value") or from a drive ("current
    // value"), axisNum value columns, and a last column of defaults when showDefault is set.
    void setSourceLayout(bool fromDevice, int axisNum, bool showDefault);
    int axisCount() const { return m_axisNum; }
    bool showsDefault() const { return m_showDefault; }

protected:
    QVariant itemData(const FunTreeItem* item, int column, int role) const override;

private:
    int m_axisNum = 1;
    bool m_showDefault = false;
};
