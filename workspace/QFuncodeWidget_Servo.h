#pragma once

#include "QBaseStyleWidget.h"

#include <memory>

namespace Ui {
class QFuncodeWidget_Servo;
}
class QFindFuncodeDialog_Servo;
class QFunToolWidget_Servo;
class QFunValueWidget_Servo;
class QLabel;

// The widget the plug-in hands to the host: the command tool bar, the value workspace and a legend of
// the read/write and effect icons, stacked vertically. It turns the tool bar's command ids (54 to 64,
// see QButtonManager::enServoButtonId) into the plug-in's commands and answers the host's requests to
// show a function code, back up or recover the codes, and forget a removed device. Every command is
// ignored while no servo drive is selected.
class QFuncodeWidget_Servo : public QBaseStyleWidget
{
    Q_OBJECT
public:
    explicit QFuncodeWidget_Servo(QWidget* parent = nullptr);
    ~QFuncodeWidget_Servo() override;

    QFunToolWidget_Servo* toolWidget() const;
    QFunValueWidget_Servo* valueWidget() const;
    QFindFuncodeDialog_Servo* findDialog() const { return m_findDialog; }
    // Import (57) of a chosen file: reads it, checks it against the selected drive and opens the import
    // dialog, or says why the file cannot be imported.
    void importFile(const QString& path);

public slots:
    // Runs the command of a tool-bar button id; ids outside 54 to 64 are ignored.
    void OnButtonClicked(int id);
    // A function code was picked elsewhere: bring it into view and put its number into the find field.
    void OnSelectCodeServo(QString alias, QString dev, QString ver, QString subCode);
    // A device left the project: the workspace forgets its pages.
    void OnRemoveDevice();
    void OnDelDev(QString devAlias);
    // The selected device changed: the find dialog, which searches one drive, is dropped.
    void slotDevChanged();
    // The host asks for a recovery (true: the import command) or a backup (false: the export command).
    void onFuncodeBackupOrRecovery(bool bRecorvery);
    // The host's print preview: the print dialog of the selected drive, its preview shown at once.
    void onFuncodePrintPreview();

signals:
    void SigHelp();

protected:
    void changeEvent(QEvent* event) override;

private:
    void connectHost();
    void fillLegend();
    void wrapLegend();
    void retranslateLegend();

    // Commands whose dialogs are not offered yet.
    void openBatchDownload();
    // Import (57): asks for a file, then importFile.
    void importFuncodeFile();
    void exportFuncode(int mode, bool previewAtOnce = false);
    void openCompareDialog();

    // Find (63): the dialog is made at the first use and kept until the selected drive changes.
    void findFuncode();
    void forgetFindDialog();

    std::unique_ptr<Ui::QFuncodeWidget_Servo> ui;
    // Created by the first find, kept until the selected device changes.
    QFindFuncodeDialog_Servo* m_findDialog = nullptr;
};
