#pragma once

#include "DeviceInfo.h"
#include "QBaseStyleWidget.h"
#include "tagModifyFuncode_Servo.h"
#include "tagSubFuncode_Servo.h"
#include "tagTreeDataSet.h"

#include <QPersistentModelIndex>
#include <QPointer>
#include <memory>

class QBaseTableView;
class QComboBox;
class QDefaultCompareFuncodeView;
class QDevAlarmWidget;
class QFunCodeDetailTable;
class QFuncodeDetailInfoWidget;
class QFuncodeGroupWidget_Servo;
class QMenu;
class QModifyFunModel_Servo;
class QMultiDevCurFaultDlg;
class QSelFunCodeView_Servo;
class QSortedModifyFunModel_Servo;
class QSortedModifyFunView_Servo;
class QTabWidget;

// The tabbed area under the function-code tool bar. It owns every page that the project tree opens for
// a servo drive (group tables, monitored codes, modification records and statistics, comparison with
// defaults, alarms) and the window of current faults of all drives. One drive is current: the last one
// clicked in the tree; opening a page of another drive, or after the authority changed, first closes
// the pages of the previous one. Every page writes through the write road (QFuncodeWriteRoad_Servo),
// which stores each change; the workspace puts it at the top of the modification records.
class QFunValueWidget_Servo : public QBaseStyleWidget
{
    Q_OBJECT
public:
    explicit QFunValueWidget_Servo(QWidget* parent = nullptr);
    ~QFunValueWidget_Servo() override;

    // Brings one function code into view: opens the group tables when needed, makes its group current
    // and selects its row.
    void showFuncode(QString alias, QString dev, QString ver, QString subCode);
    // Reads the visible table (group table or monitored list) again.
    void refreshVisibleView();
    // Forgets the current drive, closes every page and empties the window of current faults.
    void clearWorkspace();

    // Whether the monitored page is the one being shown.
    bool isMonitoredPageVisible() const;
    // Moves the selected monitored code up or down (also while the page is hidden).
    void upMoveMonitored();
    void downMoveMonitored();
    // Numbers of the codes the monitored list holds, in its order.
    QStringList monitoredFuncodes() const;

    QString currentAlias() const { return m_curAlias; }
    QTabWidget* tabWidget() const { return m_tabWidget; }
    QFuncodeGroupWidget_Servo* groupWidget() const { return m_groupWidget; }
    QSelFunCodeView_Servo* selFunCodeView() const { return m_selView; }
    QSortedModifyFunView_Servo* statisticsView() const { return m_sortedView; }
    QBaseTableView* recordView() const { return m_recordView; }
    QModifyFunModel_Servo* recordModel() const { return m_recordModel.get(); }
    QDefaultCompareFuncodeView* defaultCompareView() const { return m_defaultView; }
    QDevAlarmWidget* alarmWidget() const { return m_alarmWidget; }
    QMultiDevCurFaultDlg* multiDevFaultWindow() const { return m_multiFaultDlg; }
    QFuncodeDetailInfoWidget* infoWindow() const { return m_infoWidget; }
    QComboBox* axisBox() const { return m_axisBox; }
    QMenu* tabMenu() const { return m_tabMenu; }
    QMenu* recordMenu() const { return m_recordMenu; }
    int currentAxis() const { return m_curAxis; }
    // The page a tree node of this kind opens, or null.
    QWidget* pageOfKind(int subId) const;

    // A stored record turned into the related-parameter values of a code now: the values recorded for
    // its related codes when there are some, otherwise their current values.
    tagModifyFuncode_Servo currentRelateRecord(const QString& funIndex) const;
    bool hasRelateParam(const QString& funIndex) const;

signals:
    void SigHelp();
    void SigStatusButtonActionTriggered();
    // The monitored page was shown (true) or hidden (false).
    void SigServoSelFuncodeShow(bool show);

public slots:
    void OnClickItem(const DeviceInfo* info, const tagTreeDataSet& treeDataSet);
    void OnCloseTab(int index);
    // Stores a change seen by a page as its texts (through the road, which announces it to the records).
    void OnDataChanged(QString oldVal, QString newVal, tagSubFuncodePtr_Servo fun, int axisIndex);
    void OnRightMenuClicked(QPoint pos);
    void OnDevStatus(QString aliasName, int stat);
    void OnClearRecord();
    // "Restore the old value" of the record chosen in the records page, through the write road.
    void restoreOldValue();
    void rightMenuClicked();
    void slotShowFaultWindow();
    void SlotCurFaultHasClear(QString aliasName);
    void OnTabClick(int index);
    void onUpdateFocusModal();
    void onShowAxis();
    void onHideAxis();

private slots:
    void onScrollMoved(int value);
    void OnCloseOne();
    void OnCloseAll();
    void OnCloseOther();
    void OnDelDev(QString dev);
    void slotOnViewDoubleClicked(QModelIndex index);
    void slotOnViewClicked(QModelIndex index, QPoint point);
    void onAxisChanged(int axisIndex);
    void onModelSetData(QString oldVal, QVariant newVal, tagSubFuncodePtr_Servo fun, int axisIndex);
    void onDeleteFuncodeDetailWidget();
    void onUpdateModel(QString aliasName);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void createTabWidget();
    void createAxisBox();
    void createGroupWidget();
    void createMonitoredView();
    void createStatisticsPage();
    void createRecordPage();
    void createOtherPages();
    void createMenus();
    void connectHost();
    void placeAxisBox();
    // The title of the tab of a page, as the project tree names it; empty for a kind without a page.
    static QString pageTitle(int subId);

    void openPage(QWidget* page, const tagTreeDataSet& treeDataSet);
    void initDeviceViews(const QString& alias);
    void loadModifyRecords();
    void removeAllTabs();
    void hideInfoWindow();
    void adaptAxisColumns();

    void openDetailFromStatistics(const QModelIndex& index);
    void openDetailFromTable(const QModelIndex& index, bool fromDefaultPage);
    void openDetailFromRecords(const QModelIndex& index);
    void runDetail(QFunCodeDetailTable* dialog);
    bool isAxisColumn(int column) const;

    QTabWidget* m_tabWidget = nullptr;
    QMenu* m_tabMenu = nullptr;
    QMenu* m_recordMenu = nullptr;
    QString m_curAlias;
    int m_authority = 0;
    QSelFunCodeView_Servo* m_selView = nullptr;
    QDefaultCompareFuncodeView* m_defaultView = nullptr;
    QSortedModifyFunView_Servo* m_sortedView = nullptr;
    QSortedModifyFunModel_Servo* m_sortedModel = nullptr;
    QBaseTableView* m_recordView = nullptr;
    std::unique_ptr<QModifyFunModel_Servo> m_recordModel;
    QDevAlarmWidget* m_alarmWidget = nullptr;
    QMultiDevCurFaultDlg* m_multiFaultDlg = nullptr;
    int m_curAxis = 0;
    int m_menuTab = -1;
    QComboBox* m_axisBox = nullptr;
    QPointer<QFunCodeDetailTable> m_detailDlg;
    QPersistentModelIndex m_doubleClickedIndex;
    QFuncodeGroupWidget_Servo* m_groupWidget = nullptr;
    QFuncodeDetailInfoWidget* m_infoWidget = nullptr;
};
