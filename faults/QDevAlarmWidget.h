#pragma once

#include "QBaseStyleWidget.h"

class QComboBox;
class QCommToolButton;
class QCurFaultView;
class QHistoryFaultTreeWidget_Servo;
class QSplitter;
class QTimer;

// The alarm page of a drive: its current faults above, its fault history below, a button that clears the
// history and, for a drive of several axes, the axis whose history is shown. It follows the selected
// drive; an axis the drive does not have falls back to X.
class QDevAlarmWidget : public QBaseStyleWidget
{
    Q_OBJECT
public:
    explicit QDevAlarmWidget(QWidget* parent = nullptr);

    // Shows the faults of that axis of the selected drive (X when it has no such axis).
    void setFaultAxisIndex(int axis);
    int faultAxisIndex() const { return m_axis; }
    QComboBox* axisBox() const { return m_axisBox; }
    QCurFaultView* curFaultView() const { return m_curFaultView; }
    QHistoryFaultTreeWidget_Servo* historyTree() const { return m_historyTree; }
    QCommToolButton* clearButton() const { return m_clearButton; }
    QSplitter* splitter() const { return m_splitter; }
    // Time between the three refreshes of the history after a clear (1000 ms).
    void setClearRefreshInterval(int ms);
    // Refreshes still to come after the last clear.
    int pendingClearRefreshes() const { return m_refreshesLeft; }

public slots:
    void onCurDevChanged();
    void onClearHisFaultRecord();
    QString getWindowTitleFormatText();

private slots:
    void onClearRefreshTimeout();

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* makeGroup(const QString& title, QWidget* content);
    void initClearButton();
    // The axes offered are the selected drive's; a remembered axis beyond them is forgotten.
    void fillAxisBox(int axisNum);
    void applyAxis(int axis);

    QSplitter* m_splitter = nullptr;
    QCurFaultView* m_curFaultView = nullptr;
    QHistoryFaultTreeWidget_Servo* m_historyTree = nullptr;
    QCommToolButton* m_clearButton = nullptr;
    QComboBox* m_axisBox = nullptr;
    QTimer* m_clearRefreshTimer = nullptr;
    int m_refreshesLeft = 0;
    int m_axis = 0;
};
