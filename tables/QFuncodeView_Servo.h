#pragma once

#include "QBaseFuncodeView_Servo.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QTimer>

class QFuncodeModel_Servo;

// The table of one function-code group of the selected drive. While it is shown it asks the device, on a
// timer with the device's refresh interval, to read the rows in view (one row above the first visible row
// to one row below the page, without the row being edited; the whole group when it fits on a page).
// Hidden, it reads nothing.
class QFuncodeView_Servo : public QBaseFuncodeView_Servo
{
    Q_OBJECT
public:
    explicit QFuncodeView_Servo(QWidget* parent = nullptr);
    ~QFuncodeView_Servo() override;

    // Shows another group; the reads queued for the old group are dropped.
    void setModelGroup(QString group);
    // The device's groups (the group widget hands over a map holding only this view's group).
    void onInitModelData(QMap<QString, QList<tagSubFuncode_Servo*>> map);
    // Forgets the group and its rows (used when no device is selected).
    void clearModelGroup();
    QString getFunGroup() const { return m_group; }
    QFuncodeModel_Servo* getModel() const { return m_model; }
    // The periodic-read timer (active while the view is shown and the interval is above 0).
    const QTimer* getReadTimer() const { return &m_timer; }

public slots:
    // Reads the visible rows once.
    void OnRefresh();
    // One tick of periodic reading.
    void OnReadFuncode();
    void OnWritingStatusUpdate();
    // The device's refresh interval changed: a running timer takes the new interval.
    void onRefreshIntervalChanged();

protected:
    // F1: help; Up / Down without modifiers: move the current row; other keys go to the host base.
    void keyPressEvent(QKeyEvent* event) override;
    void readFuncode() override;
    void stopReadFuncode() override;

private:
    void initRightMenu();

    QString m_group;
    QTimer m_timer;
    QFuncodeModel_Servo* m_model = nullptr;
};
