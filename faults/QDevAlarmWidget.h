#pragma once

#include "QBaseStyleWidget.h"

class QLabel;

// The alarm page of a drive: its current faults and its fault history. The workspace creates it and
// passes the chosen axis on. The fault tables arrive with the fault work; until then the page only
// says so.
class QDevAlarmWidget : public QBaseStyleWidget
{
    Q_OBJECT
public:
    explicit QDevAlarmWidget(QWidget* parent = nullptr);

    void setFaultAxisIndex(int axis);
    int faultAxisIndex() const { return m_axis; }

public slots:
    void onCurDevChanged();
    void onClearHisFaultRecord();
    QString getWindowTitleFormatText();

private:
    QLabel* m_label = nullptr;
    int m_axis = 0;
};
