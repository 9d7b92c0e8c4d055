#pragma once

#include "FunOperationDataUnit.h"
#include "QBaseDlg.h"
#include "QServoBatchDriveSteps.h"

#include <QHash>
#include <QStringList>

class QBatchTargetModel;
class QCheckBox;
class QImportFuncodeSelectorWidget;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QServoBatchLine;
class QSpinBox;
class QSplitter;
class QTableView;

// The batch-download window: the source and the codes to download (a selector widget set by the
// subclass), the drives of the project of the source's model with check boxes, the progress of the whole
// download, a log with levels and time stamps, Start and Stop, how many drives are written at once (kept
// in the settings), and "save and reset after download". The checked drives are written by a
// QServoBatchLine: several at once, drives on one wire one after another; each shows its progress in the
// list and ends as succeeded, failed or stopped in the list and the log, and a failed drive never stops
// the others. Stop starts no other drive and ends the running ones at once, as stopped: the block with
// the drive is answered, nothing more is sent, and what the drive confirmed stays.
//
// What is done per drive is the subclass's: prepare (a QServoBatchDriveSteps step, run before each
// drive's transfer) readies a drive, finishWriteOneDevice writes its log, batchSaveAndReset saves and
// resets drives, showCompareFuncode compares a drive with the source.
class QFuncodeBatchDownloadDlg : public QBaseDlg, protected QServoBatchDriveSteps
{
    Q_OBJECT
public:
    enum enLogLevel
    {
        LOG_INFO = 0,
        LOG_ERROR = 1,
        LOG_WARNING = 2,
        LOG_SUCCESS = 3
    };

    explicit QFuncodeBatchDownloadDlg(QWidget* parent = nullptr);
    ~QFuncodeBatchDownloadDlg() override;

    // Takes the selector (the dialog owns it) and builds its tree.
    void setFuncodeSelectorWidget(QImportFuncodeSelectorWidget* selector);
    QImportFuncodeSelectorWidget* funcodeSelectorWidget() const { return m_selector; }
    QList<FunOperationDataUnitPtr> getDownloadFuncode() const;

    QBatchTargetModel* targetModel() const { return m_targets; }
    QServoBatchLine* line() const { return m_line; }
    bool isRunning() const { return m_running; }
    // How many drives are written at once.
    int drivesAtOnce() const;
    void setDrivesAtOnce(int drives);
    // The log as shown, one line per message.
    QStringList logLines() const { return m_logLines; }
    bool isSaveAndResetChecked() const;
    void setSaveAndResetChecked(bool checked);

public slots:
    // Writes the checked drives, drivesAtOnce() at a time.
    void onStart();
    void onStop();
    void onWriteLogMsg(const QString& text, int level);

signals:
    // Every drive has been handled (and saved and reset when asked).
    void sigBatchFinished();

protected:
    virtual void showCompareFuncode(const QString& alias);
    virtual void batchSaveAndReset(const QStringList& aliases);
    // Logs a drive's outcome (the line still holds its transfer, line()->transferOf).
    virtual void finishWriteOneDevice(const QString& alias, bool bSucceed);
    // Checks the download list before the first drive; false stops the batch before it starts.
    virtual bool checkDownloadList(const QList<FunOperationDataUnitPtr>& list);

    void reject() override;
    void changeEvent(QEvent* event) override;

private:
    void buildUi();
    QWidget* buildTargetPane();
    QWidget* buildButtonRow();
    void retranslate();
    void onSourceChanged();
    void updateButtons();
    void onDriveStarted(const QString& alias);
    void onDriveProgress(const QString& alias, int done, int total);
    void onDriveFinished(const QString& alias, bool succeeded);
    void showOverallProgress();
    void finishBatch();
    void onCompareClicked();
    QString selectedTarget() const;
    static QString levelText(int level);
    static QString levelColor(int level);

    QImportFuncodeSelectorWidget* m_selector = nullptr;
    QSplitter* m_splitter = nullptr;
    QBatchTargetModel* m_targets = nullptr;
    QTableView* m_targetView = nullptr;
    QLabel* m_targetLabel = nullptr;
    QPushButton* m_targetsAll = nullptr;
    QPushButton* m_targetsNone = nullptr;
    QPushButton* m_compareButton = nullptr;
    QLabel* m_progressLabel = nullptr;
    QProgressBar* m_progress = nullptr;
    QPlainTextEdit* m_log = nullptr;
    QCheckBox* m_saveReset = nullptr;
    QLabel* m_drivesAtOnceLabel = nullptr;
    QSpinBox* m_drivesAtOnce = nullptr;
    QPushButton* m_startButton = nullptr;
    QPushButton* m_stopButton = nullptr;
    QPushButton* m_closeButton = nullptr;

    QServoBatchLine* m_line = nullptr;
    QHash<QString, int> m_percent; // of the drives running
    bool m_running = false;
    int m_runCount = 0;
    QStringList m_logLines;
};
