#pragma once

#include "tagHistoryFaultList.h"

#include <QTreeWidget>

class QAction;
class QDeviceServo;
class QMenu;

// The fault history of the selected drive: one top-level row per record (its number and its faults)
// and below it the parameters the drive stored with the record, each with its value and unit. A new
// list is written into the existing items, so the tree keeps its scroll position and expanded rows.
class QHistoryFaultTreeWidget_Servo : public QTreeWidget
{
    Q_OBJECT
public:
    // Texts of one record as shown: label, tool tip and one (name, value, unit) per parameter.
    struct RecordTexts
    {
        QString label;
        QString toolTip;
        QList<QStringList> params;
    };

    explicit QHistoryFaultTreeWidget_Servo(QWidget* parent = nullptr);

    QMenu* contextMenu() const { return m_menu; }
    QList<QAction*> menuActions() const;
    QString lastAlias() const { return m_alias; }
    void setFaultAxisIndex(int axis) { m_axis = axis; }
    int faultAxisIndex() const { return m_axis; }
    // Shows these records (built when the tree is empty, updated in place otherwise).
    void showRecords(const QList<RecordTexts>& records);
    void rebuild(const QList<RecordTexts>& records);
    // The records of a drive's axis as this tree shows them.
    static QList<RecordTexts> recordTextsOf(const QDeviceServo* device, int axis);

signals:
    void SigShow();
    void SigHide();
    void sigClearHisFaultRecord();

public slots:
    void OnRefresh();
    void OnHistoryFaultChanged(QString aliasName);
    void rightMenuClicked(QPoint point);
    void onEditHisFaultFormat();
    void onClearHisFaultRecord();
    void slotHistoryFaultaExportBtn();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void initMenu();
    void initTree();
    void setHeaders();
    void updateInPlace(const QList<RecordTexts>& records);
    void fillRecordItem(QTreeWidgetItem* item, const RecordTexts& record);
    static void fillParamItem(QTreeWidgetItem* item, const QStringList& texts);

    QMenu* m_menu = nullptr;
    QAction* m_refreshAction = nullptr;
    QAction* m_clearAction = nullptr;
    QAction* m_exportAction = nullptr;
    QAction* m_formatAction = nullptr;
    QString m_alias;
    int m_axis = 0;
};
