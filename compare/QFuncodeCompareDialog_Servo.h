#pragma once

#include "QBaseDlg.h"
#include "QFuncodeComparer_Servo.h"
#include "tagCompareSource_Servo.h"

#include <QList>
#include <QMap>
#include <QStringList>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QStatusBar;
class QFuncodeCompareReport_Servo;
class QFuncodeCompareTreeModel_Servo;
class QFuncodeCompareTreeView_Servo;

namespace Ui {
class QFuncodeCompareDialog_Servo;
}

// Compares the function codes of two sources (two drives, a drive and a file, two files) and shows,
// exports (csv) or prints the result. The main widget shows it without blocking for free use; the
// batch download runs it modally with a preset comparison (presetComparison before exec).
class QFuncodeCompareDialog_Servo : public QBaseDlg
{
    Q_OBJECT
public:
    // The order of the sources; the dialog's own radio buttons use 3, 1 and 0.
    enum enCompareKind
    {
        COMPARE_TWO_FILES = 0,
        COMPARE_DEVICE_FILE = 1, // drive A against file B
        COMPARE_FILE_DEVICE = 2, // file A against drive B
        COMPARE_TWO_DEVICES = 3
    };

    explicit QFuncodeCompareDialog_Servo(QWidget* parent = nullptr);
    ~QFuncodeCompareDialog_Servo() override;

    // Runs one comparison at once and shows its result, with the kind and source choice hidden and
    // without the compare, print and export buttons. keyA and keyB are drive aliases or file paths as the
    // kind says; presenceFilter is a QFuncodeComparer_Servo::enPresenceFilter (which codes to keep).
    void presetComparison(const QString& keyA, const QString& keyB, int kind, int presenceFilter);

    // The last result (empty before the first comparison).
    QList<tagCompareFuncode_Servo*> allRecords() const;
    QList<tagCompareFuncode_Servo*> differingRecords() const;
    QStringList modelHeader() const { return m_modelHeader; }
    QFuncodeCompareTreeModel_Servo* treeModel() const { return m_model; }
    QFuncodeCompareTreeView_Servo* treeView() const { return m_view; }

    // Any axis box changed: shows the columns of the checked boxes. (Not a slot: the boxes are connected
    // by hand, while the form connects the on_<object>_<signal> slots below by name.)
    void on_checkBox(int check);

public slots:
    void on_radioButton_comp2Devices_clicked();
    void on_radioButton_comp2Files_clicked();
    void on_radioButton_compDeviceVsFile_clicked();
    void on_radioButton_allFuncode_clicked();
    void on_radioButton_diffFuncode_clicked();
    void OnSelectFont(int idx);
    void OnSelectFont1(int idx);
    void OnSelectFont2(int idx);
    void on_pushButton_filePath_clicked();
    void on_pushButton_openFile1_clicked();
    void on_pushButton_openFile2_clicked();
    void on_btnCompFuncode_clicked();
    void on_btnPreview_clicked();
    void on_btnPrint_clicked();
    void on_btnExport_clicked();

protected:
    void changeEvent(QEvent* event) override;

private:
    enum enSide
    {
        SIDE_A = 0,
        SIDE_B = 1
    };
    // Pages of the kind choice.
    enum enKindPage
    {
        PAGE_TWO_DEVICES = 0,
        PAGE_TWO_FILES = 1,
        PAGE_DEVICE_FILE = 2
    };

    void setUpWidgets();
    void connectWidgets();
    void fillDeviceList();
    void refreshDeviceChoice();
    void fillDeviceCombo(QComboBox* combo, const QString& keep, const QString& except = QString());
    void fillPartnerCombo();
    void showKindPage(int page);
    bool confirmModels(const QString& nameA, const QString& modelA, const QString& nameB,
                       const QString& modelB);
    static QString modelOfDrive(const QString& alias);
    static QString modelOfSource(const tagCompareSource_Servo& source);
    static QString canonicalModel(const QString& model);
    void onDeviceChosen(QComboBox* combo, int side);
    void setSideAxisCount(int side, int axisNum);
    void setSideAxesFromDevText(int side, const QString& devText);
    void applyColumns();
    // The column of an axis box shows when its source has the axis and the box is ticked.
    bool isAxisShown(int box) const;
    void chooseFile(QLineEdit* edit);
    void clearResult();
    // Loads both sources (drives read first when read) and compares them; remembered for compareAgain.
    bool runComparison(int kind, const QString& keyA, const QString& keyB, bool read = true);
    // The shown comparison once more from the values the drives hold, with the texts of the present
    // language.
    void compareAgain();
    bool loadDrive(int side, const QString& alias, bool read);
    bool loadFile(int side, const QString& path);
    bool compareSources();
    void showResult();
    void showRecords();
    QList<int> checkedColumns() const;
    std::unique_ptr<QFuncodeCompareReport_Servo> makeReport();
    void print(bool preview);
    void setBusy(bool busy);

    std::unique_ptr<Ui::QFuncodeCompareDialog_Servo> ui;
    QFuncodeCompareTreeModel_Servo* m_model = nullptr;
    QFuncodeCompareTreeView_Servo* m_view = nullptr;
    QLabel* m_fingerprints = nullptr; // one line per source
    QStatusBar* m_statusBar = nullptr;
    QStringList m_modelHeader;
    tagCompareSource_Servo m_sources[2];
    QString m_labelA;
    QString m_labelB;
    QFuncodeComparer_Servo::Result m_result;
    QMap<QString, int> m_driveAxes;                                          // alias -> axis count
    QList<QCheckBox*> m_axisBoxes;                                           // X1, Y1, Z1, X2, Y2, Z2
    std::array<bool, 6> m_axisOffered{{true, true, true, true, true, true}}; // the source has the axis
    int m_presenceFilter = QFuncodeComparer_Servo::PRESENCE_NONE;
    bool m_preset = false;
    bool m_busy = false;
    int m_lastKind = -1; // of the comparison shown, with its two sources
    QString m_lastKeyA;
    QString m_lastKeyB;
};
