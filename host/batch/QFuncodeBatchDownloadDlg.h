#pragma once

#include "FunOperationDataUnit.h"
#include "QBaseDlg.h"

#include <QStringList>

class QBatchTargetModel;
class QCheckBox;
class QImportFuncodeSelectorWidget;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTableView;

// The batch-download window: the source and the codes to download (a selector widget set by the
// subclass), the drives of the project of the source's model with check boxes, one progress bar for the
// drive being written, a log with levels and time stamps, Start and Stop, and "save and reset after
// download". The checked drives are written one after another; each ends as succeeded, failed or
// stopped in the list and the log, and a failed drive never stops the others. Stop ends the running
// drive as stopped and starts no other.
//
// What is done per drive is the subclass's: prepareWriteOneDevice starts a drive (its outcome comes
// back through onFinishWriteOneDevice), finishWriteOneDevice writes its log, batchSaveAndReset saves and
// resets drives, showCompareFuncode compares a drive with the source.
class QFuncodeBatchDownloadDlg : public QBaseDlg
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
    bool isRunning() const { return m_running; }
    QString runningAlias() const { return m_current; }
    // The log as shown, one line per message.
    QStringList logLines() const { return m_logLines; }
    bool isSaveAndResetChecked() const;
    void setSaveAndResetChecked(bool checked);

public slots:
    // Writes the checked drives one after another.
    void onStart();
    void onStop();
    // The outcome of the drive being written; a second outcome for the same drive is ignored.
    void onFinishWriteOneDevice(bool bSucceed);
    void onUpdateProgress(int nValue, int total);
    void onWriteLogMsg(const QString& text, int level);

signals:
    // Every drive has been handled (and saved and reset when asked).
    void sigBatchFinished();

protected:
    virtual void showCompareFuncode(const QString& alias);
    virtual void batchSaveAndReset(const QStringList& aliases);
    // Starts one drive; false when it could not start (then no outcome comes).
    virtual bool prepareWriteOneDevice(const QString& alias);
    virtual void finishWriteOneDevice(const QString& alias, bool bSucceed);
    // Checks the download list before the first drive; false stops the batch before it starts.
    virtual bool checkDownloadList(const QList<FunOperationDataUnitPtr>& list);
    // Ends the work on the drive being written (Stop).
    virtual void stopWriteOneDevice(const QString& alias);

    void reject() override;
    void changeEvent(QEvent* event) override;

private:
    void buildUi();
    QWidget* buildTargetPane();
    QWidget* buildButtonRow();
    void retranslate();
    void onSourceChanged();
    void updateButtons();
    void startNextDevice();
    void endCurrent(int runState);
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
    QPushButton* m_startButton = nullptr;
    QPushButton* m_stopButton = nullptr;
    QPushButton* m_closeButton = nullptr;

    QStringList m_queue;
    QString m_current;
    bool m_currentDone = true;
    bool m_running = false;
    int m_doneCount = 0;
    int m_runCount = 0;
    QStringList m_logLines;
};
