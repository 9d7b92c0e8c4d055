#pragma once

#include "QBaseStyleWidget.h"
#include "tagSubFuncode_Servo.h"

#include <QList>
#include <QModelIndex>
#include <QPoint>
#include <QStringList>

class QFuncodeView_Servo;
class QTabWidget;

// All function-code groups of the selected drive as tabs, one group table per tab, in group order
// (numbers before the first blank compared by their last run of digits, "PtP" groups last). It rebuilds
// itself when the selected device changes, reusing the tables it already has (surplus ones stay hidden),
// and forwards the tables' signals. Only the current tab's table is visible, so only it reads.
class QFuncodeGroupWidget_Servo : public QBaseStyleWidget
{
    Q_OBJECT
public:
    explicit QFuncodeGroupWidget_Servo(QWidget* parent = nullptr);
    ~QFuncodeGroupWidget_Servo() override;

    // Rebuilds the tabs for the selected device.
    void init();
    // Group names of the selected device in display order; empty without a device.
    QStringList getSubFuncodeName() const;
    // The table of the current tab, or null.
    QFuncodeView_Servo* getCurrentFuncodeView() const;
    // Makes current the first table whose group name is a prefix of name.
    void setCurrentFuncodeGroup(QString name);
    QList<QFuncodeView_Servo*> getpFuncodeGroup() const { return m_tables; }
    int getpFuncodeGroupNum() const { return m_tables.size(); }
    QTabWidget* getTabWidget() const { return m_tabWidget; }

signals:
    void SigDataChanged(QString oldVal, QString newVal, tagSubFuncodePtr_Servo fun, int axisIndex);
    void doubleClicked(QModelIndex index);
    void sigLeftButtonClick(QModelIndex index, QPoint point);
    void SigHelp();
    void valueChanged(int value);
    void SigSelChanged();

protected slots:
    void slotDevChanged();

private slots:
    void onTableWidgetCurrentChange(int index);

private:
    QFuncodeView_Servo* createTable();

    QList<QFuncodeView_Servo*> m_tables;
    QString m_alias; // of the drive whose groups are shown
    QTabWidget* m_tabWidget = nullptr;
};
