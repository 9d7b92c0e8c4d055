#pragma once

#include "QBaseDlg.h"
#include "tagHisFaultFormat_Servo.h"

#include <QPointer>

class QDeviceServo;
class QPushButton;
class QTableWidget;

// Edits the history-record format of a drive's model: one table row per format row (number, display
// name, data type, byte length, parameter), checked cell by cell, saved into the configuration
// database under the drive's identity. Every drive of that identity then decodes its history with it.
class QEditHisFaultRecordDlg : public QBaseDlg
{
    Q_OBJECT
public:
    QEditHisFaultRecordDlg(QDeviceServo* device, QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    QPushButton* addButton() const { return m_addButton; }
    QPushButton* deleteButton() const { return m_deleteButton; }
    QPushButton* saveButton() const { return m_saveButton; }
    // The rows as the table holds them now, and as they were loaded or last saved.
    QHisFaultFormatList_Servo tableRows() const;
    QHisFaultFormatList_Servo loadedRows() const { return m_loaded; }

public slots:
    void onBtnAddRowClicked();
    void onBtnDeleteRowClicked();
    void onBtnSaveClicked();

private:
    void initTable();
    void loadRows();
    void setRow(int row, const tagHisFaultFormat_Servo& format);
    // The first row without number or parameter, or -1.
    int incompleteRow() const;
    void reloadDrivesOfIdentity();
    void restoreDefaultFormat();
    int totalBytes() const;

    QPointer<QDeviceServo> m_device;
    QTableWidget* m_table = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QString m_identText1;
    QString m_identText2;
    int m_identNumber = 0;
    QHisFaultFormatList_Servo m_loaded;
};
