#pragma once

#include "QBaseDlg.h"
#include "tagExportFuncode_Servo.h"

#include <QList>
#include <QModelIndex>
#include <QPersistentModelIndex>
#include <QString>
#include <QStringList>

class QButtonGroup;
class QDeviceServo;
class QDownloadTreeModel;
class QDownloadTreeView_Servo;
class QLabel;
class QOkCancel;
class QProgressBar;
class QPushButton;
class QRadioButton;

// Writes function codes read from a file into one drive. The file value of every axis is shown beside
// the drive's value; the codes that differ are preselected. OK writes the checked codes in one batch,
// the motor type first and alone (the scaling of the others depends on it). In the monitored-list
// variant the written codes also replace or extend the drive's monitored list.
//
// The drive is the one selected when the dialog is made; the dialog stays with it.
class QDownloadFunCodeDlg_Servo : public QBaseDlg
{
    Q_OBJECT
public:
    // title: shown after the dialog's name (the drive's device name). The second text is not used.
    QDownloadFunCodeDlg_Servo(const QString& title, const QString& unused,
                              const tagExportFuncodeList_Servo& rows, bool monitored,
                              QWidget* parent = nullptr);
    ~QDownloadFunCodeDlg_Servo() override;

    // Keeps the rows, reads the drive's values (the whole drive when it is online) and shows both.
    void setRows(const tagExportFuncodeList_Servo& rows);
    tagExportFuncodeList_Servo rows() const { return m_rows; }
    QString aliasName() const { return m_alias; }
    bool isMonitoredMode() const { return m_monitored; }
    int checkedCount() const { return m_checkedCount; }
    QList<QPersistentModelIndex> expandedIndexes() const { return m_expanded; }

    QDownloadTreeModel* treeModel() const { return m_model; }
    QDownloadTreeView_Servo* treeView() const { return m_view; }
    QOkCancel* okCancel() const { return m_okCancel; }
    QRadioButton* replaceButton() const { return m_replace; }
    QRadioButton* appendButton() const { return m_append; }
    QRadioButton* differingOnlyButton() const { return m_diffFuncode; }
    QLabel* failedLabel() const { return m_failedLabel; }

signals:
    void sigContinueImport();
    // A monitored-list import changed the drive's monitored list.
    void sigUpdateFocusTable();
    void SigDataMayChangedWithDev(QString oldVal, QString newVal, QString funcodeID, int type, QString);

public slots:
    void slotFinishWrite();
    void OnOk();
    void OnMousePressEvent(QModelIndex index);
    void on_btnSelectDiff_clicked();
    void on_radioButton_allFuncode_clicked();
    void on_radioButton_diffFuncode_clicked();
    // Marks the codes of faultFuncodeList (those that failed) and checks exactly them for another attempt;
    // the tree keeps every row.
    void slotContinueImport(QString aliasName, QStringList faultFuncodeList);
    void slotExpandCurEditItem(QModelIndex index);
    void slotTreeViwExpand(QModelIndex index);
    void slotTreeViwClose(QModelIndex index);
    void OnRefreshFuncode();
    void onRefreshFuncodeVal(QString aliasName, QStringList faultFuncodeList);

private:
    void setUpWidgets();
    QWidget* makeButtonRow();
    void connectWidgets();
    void readCurrentValues();
    void hideMissingAxes();
    void widenToColumns();
    void expandHighlighted();
    void applyShownRows();
    void showFailedCount(int count);
    void updateOk();
    bool askWritePermission(QDeviceServo* device);
    bool writeMotorTypeFirst(QDeviceServo* device, const QMap<QString, tagExportFuncodePtr_Servo>& funcodes);
    void writeBatch(const QMap<QString, tagExportFuncodePtr_Servo>& funcodes);
    void reportWrite(int written, const QStringList& failed);
    void updateMonitoredList(QDeviceServo* device, const QStringList& numbers);
    QDeviceServo* device() const;

    tagExportFuncodeList_Servo m_rows;
    // Group rows the user has expanded; forgotten when the tree is rebuilt.
    QList<QPersistentModelIndex> m_expanded;
    int m_checkedCount = 0;
    bool m_monitored = false;
    QString m_alias;

    QDownloadTreeView_Servo* m_view = nullptr;
    QDownloadTreeModel* m_model = nullptr;
    QOkCancel* m_okCancel = nullptr;
    QPushButton* m_selectDiff = nullptr;
    QPushButton* m_refresh = nullptr;
    QRadioButton* m_allFuncode = nullptr;
    QRadioButton* m_diffFuncode = nullptr;
    QRadioButton* m_replace = nullptr;
    QRadioButton* m_append = nullptr;
    QButtonGroup* m_showGroup = nullptr;
    QButtonGroup* m_focusGroup = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_failedLabel = nullptr;
};
