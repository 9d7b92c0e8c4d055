#pragma once

#include "QBaseStyleWidget.h"

class QCommToolButton;
class QCurFaultView;
class QHistoryFaultTreeWidget_Servo;
class QSplitter;
class QTimer;

// The alarm page of a drive: its current faults above, its fault history below, and a button that
// clears the history. It follows the selected drive; the workspace passes the chosen axis on.
class QDevAlarmWidget : public QBaseStyleWidget
{
    Q_OBJECT
public:
    explicit QDevAlarmWidget(QWidget* parent = nullptr);

    void setFaultAxisIndex(int axis);
    int faultAxisIndex() const { return m_axis; }
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

    QSplitter* m_splitter = nullptr;
    QCurFaultView* m_curFaultView = nullptr;
    QHistoryFaultTreeWidget_Servo* m_historyTree = nullptr;
    QCommToolButton* m_clearButton = nullptr;
    QTimer* m_clearRefreshTimer = nullptr;
    int m_refreshesLeft = 0;
    int m_axis = 0;
};
