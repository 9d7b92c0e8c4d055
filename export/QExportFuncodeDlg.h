#pragma once

#include "QBaseDlg.h"
#include "tagExportFuncode_Servo.h"

#include <QList>
#include <QStringList>

class QCheckBox;
class QDeviceServo;
class QDownloadTreeModel;
class QPrinterManager;
class QPushButton;

namespace Ui {
class QExportFuncodeDlg;
}

// Lets the user check function codes of one drive, and other pages of drive information, in a tree, and
// then export them to a csv or xlsx file (mode 1) or print them as a report, with or without preview
// (any other mode). Beside the export button it offers the function-code file of the drive.
class QExportFuncodeDlg : public QBaseDlg
{
    Q_OBJECT
public:
    enum Mode
    {
        MODE_PRINT = 0,
        MODE_EXPORT = 1
    };

    // focusNumbers: restrict the tree to these codes (the monitored list); empty: every code and the pages.
    QExportFuncodeDlg(const QString& aliasName, const QStringList& focusNumbers, int mode,
                      QWidget* parent = nullptr);
    ~QExportFuncodeDlg() override;

    QDownloadTreeModel* model() const { return m_model; }
    int checkedCount() const { return m_checkedCount; }
    // The other pages offered for the selected drive, in their order (translated titles).
    static QStringList otherPageNames();
    // The directory the save dialog starts in: "." until the first export, then the last one chosen.
    static QString lastExportDir();
    static void setLastExportDir(const QString& dir);

public slots:
    void OnOk();
    void OnPrintView();
    void OnPrint();
    void OnMousePressEvent(const QModelIndex& index);
    void OnShowDiff(bool bChecked);
    void OnRefreshFuncode();
    void OnSelectDiff();
    void OnWriteFuncodeFile();
    void onRefreshFuncodeVal(QString aliasName, QStringList faultFuncodeList);

private:
    QStringList headerTexts() const;
    void load();
    void fitColumns(const QDeviceServo* device);
    void addControls(const QDeviceServo* device);
    QPushButton* addButton(const char* objectName, const char* key, void (QExportFuncodeDlg::*slot)());
    void expand();
    void updateButtons();
    QDeviceServo* device() const;
    // The checked records and pages; false (after telling the user) without the drive.
    bool collect(tagExportFuncodeList_Servo* records, QStringList* pages);
    bool writeExport(const QString& path, const tagExportFuncodeList_Servo& records,
                     const QStringList& pages);
    bool tellWriteResult(bool written);
    bool composeReport(QPrinterManager* printer);

    Ui::QExportFuncodeDlg* ui = nullptr;
    QPushButton* m_exportButton = nullptr;
    QPushButton* m_fileButton = nullptr;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_previewButton = nullptr;
    QPushButton* m_selectDiffButton = nullptr;
    QCheckBox* m_diffBox = nullptr;
    int m_mode = MODE_EXPORT;
    QString m_aliasName;
    QDownloadTreeModel* m_model = nullptr;
    int m_checkedCount = 0;
    bool m_firstLoad = true;
    QStringList m_focusNumbers;
};
