#include "QFuncodeBatchDownloadDlg.h"

#include "QBatchTargetModel.h"
#include "QImportFuncodeSelectorWidget.h"
#include "QLibSetting.h"
#include "QMyMessageBox.h"
#include "QServoBatchLine.h"
#include "QSystemSetting.h"

#include <QCheckBox>
#include <QDateTime>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

QFuncodeBatchDownloadDlg::QFuncodeBatchDownloadDlg(QWidget* parent) : QBaseDlg(parent)
{
    setObjectName(QStringLiteral("QFuncodeBatchDownloadDlg"));
    showMaxBtn(true);
    setPermitDefaultResize(true);
    m_targets = new QBatchTargetModel(this);
    m_line = new QServoBatchLine(this);
    m_line->setSteps(this);
    connect(m_line, &QServoBatchLine::driveStarted, this, &QFuncodeBatchDownloadDlg::onDriveStarted);
    connect(m_line, &QServoBatchLine::driveProgress, this, &QFuncodeBatchDownloadDlg::onDriveProgress);
    connect(m_line, &QServoBatchLine::driveFinished, this, &QFuncodeBatchDownloadDlg::onDriveFinished);
    connect(m_line, &QServoBatchLine::finished, this, &QFuncodeBatchDownloadDlg::finishBatch);
    buildUi();
    retranslate();
    connect(m_targets, &QBatchTargetModel::checkedChanged, this, &QFuncodeBatchDownloadDlg::updateButtons);
    resize(1200, 760);
    updateButtons();
}

QFuncodeBatchDownloadDlg::~QFuncodeBatchDownloadDlg() = default;

// ---------------------------------------------------------------- building

void QFuncodeBatchDownloadDlg::buildUi()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, TitleHeight + 4, 10, 10);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(buildTargetPane());
    layout->addWidget(m_splitter, 1);
    layout->addWidget(buildButtonRow());
}

QWidget* QFuncodeBatchDownloadDlg::buildTargetPane()
{
    auto* pane = new QWidget(this);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    m_targetLabel = new QLabel(pane);
    m_targetView = new QTableView(pane);
    m_targetView->setObjectName(QStringLiteral("tableViewTargets"));
    m_targetView->setModel(m_targets);
    m_targetView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_targetView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_targetView->verticalHeader()->hide();
    m_targetView->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_targetView->horizontalHeader()->setStretchLastSection(true);
    auto* row = new QHBoxLayout;
    m_targetsAll = new QPushButton(pane);
    m_targetsNone = new QPushButton(pane);
    m_compareButton = new QPushButton(pane);
    m_compareButton->setObjectName(QStringLiteral("btnCompareTarget"));
    row->addWidget(m_targetsAll);
    row->addWidget(m_targetsNone);
    row->addStretch(1);
    row->addWidget(m_compareButton);
    m_progressLabel = new QLabel(pane);
    m_progress = new QProgressBar(pane);
    m_progress->setObjectName(QStringLiteral("progressBarRun"));
    m_progress->setValue(0);
    m_log = new QPlainTextEdit(pane);
    m_log->setObjectName(QStringLiteral("plainTextEditLog"));
    m_log->setReadOnly(true);
    m_log->setMaximumBlockCount(5000);
    layout->addWidget(m_targetLabel);
    layout->addWidget(m_targetView, 2);
    layout->addLayout(row);
    layout->addWidget(m_progressLabel);
    layout->addWidget(m_progress);
    layout->addWidget(m_log, 3);
    connect(m_targetsAll, &QPushButton::clicked, this, [this]() { m_targets->setAllChecked(true); });
    connect(m_targetsNone, &QPushButton::clicked, this, [this]() { m_targets->setAllChecked(false); });
    connect(m_compareButton, &QPushButton::clicked, this, &QFuncodeBatchDownloadDlg::onCompareClicked);
    connect(m_targetView, &QTableView::doubleClicked, this, &QFuncodeBatchDownloadDlg::onCompareClicked);
    connect(m_targetView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &QFuncodeBatchDownloadDlg::updateButtons);
    return pane;
}

QWidget* QFuncodeBatchDownloadDlg::buildButtonRow()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    m_saveReset = new QCheckBox(box);
    m_saveReset->setObjectName(QStringLiteral("checkBoxSaveAndReset"));
    m_drivesAtOnceLabel = new QLabel(box);
    m_drivesAtOnce = new QSpinBox(box);
    m_drivesAtOnce->setObjectName(QStringLiteral("spinBoxDrivesAtOnce"));
    m_drivesAtOnce->setRange(1, QServoBatchLine::kMaxConcurrency);
    const int chosen = QLibSetting::self()->getSystemSetting()->getBatchDrivesAtOnce();
    m_drivesAtOnce->setValue(chosen > 0 ? chosen : QServoBatchLine::kDefaultConcurrency);
    m_drivesAtOnceLabel->setBuddy(m_drivesAtOnce);
    m_startButton = new QPushButton(box);
    m_startButton->setObjectName(QStringLiteral("btnStart"));
    m_stopButton = new QPushButton(box);
    m_stopButton->setObjectName(QStringLiteral("btnStop"));
    m_closeButton = new QPushButton(box);
    row->addWidget(m_saveReset);
    row->addStretch(1);
    row->addWidget(m_drivesAtOnceLabel);
    row->addWidget(m_drivesAtOnce);
    row->addSpacing(12);
    row->addWidget(m_startButton);
    row->addWidget(m_stopButton);
    row->addWidget(m_closeButton);
    connect(m_startButton, &QPushButton::clicked, this, &QFuncodeBatchDownloadDlg::onStart);
    connect(m_stopButton, &QPushButton::clicked, this, &QFuncodeBatchDownloadDlg::onStop);
    connect(m_closeButton, &QPushButton::clicked, this, &QFuncodeBatchDownloadDlg::reject);
    // A running download takes the new number for the drives it starts next.
    connect(m_drivesAtOnce, QOverload<int>::of(&QSpinBox::valueChanged), this, [this](int drives) {
        m_line->setConcurrency(drives);
        QLibSetting::self()->getSystemSetting()->setBatchDrivesAtOnce(drives);
    });
    return box;
}

void QFuncodeBatchDownloadDlg::retranslate()
{
    setTitle(tr("STR_BATCH_DOWNLOAD"));
    m_targetLabel->setText(tr("STR_BATCH_TARGETS"));
    m_targetsAll->setText(tr("STR_BATCH_SELECT_ALL"));
    m_targetsNone->setText(tr("STR_BATCH_SELECT_NONE"));
    m_compareButton->setText(tr("STR_BATCH_COMPARE_WITH_SOURCE"));
    m_saveReset->setText(tr("STR_BATCH_SAVE_AND_RESET"));
    m_drivesAtOnceLabel->setText(tr("STR_BATCH_DRIVES_AT_ONCE"));
    m_startButton->setText(tr("STR_BATCH_START"));
    m_stopButton->setText(tr("STR_BATCH_STOP"));
    m_closeButton->setText(tr("STR_CLOSE"));
}

void QFuncodeBatchDownloadDlg::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QBaseDlg::changeEvent(event);
}

void QFuncodeBatchDownloadDlg::setFuncodeSelectorWidget(QImportFuncodeSelectorWidget* selector)
{
    if (!selector || selector == m_selector) {
        return;
    }
    delete m_selector;
    m_selector = selector;
    m_splitter->insertWidget(0, selector);
    m_splitter->setStretchFactor(0, 3);
    m_splitter->setStretchFactor(1, 2);
    selector->initSelector();
    connect(selector, &QImportFuncodeSelectorWidget::sigSourceChanged, this,
            &QFuncodeBatchDownloadDlg::onSourceChanged);
    connect(selector, &QImportFuncodeSelectorWidget::sigCheckedCountChanged, this,
            &QFuncodeBatchDownloadDlg::updateButtons);
    onSourceChanged();
}

QList<FunOperationDataUnitPtr> QFuncodeBatchDownloadDlg::getDownloadFuncode() const
{
    return m_selector ? m_selector->getDownloadFuncode() : QList<FunOperationDataUnitPtr>();
}

bool QFuncodeBatchDownloadDlg::isSaveAndResetChecked() const
{
    return m_saveReset->isChecked();
}

void QFuncodeBatchDownloadDlg::setSaveAndResetChecked(bool checked)
{
    m_saveReset->setChecked(checked);
}

int QFuncodeBatchDownloadDlg::drivesAtOnce() const
{
    return m_drivesAtOnce->value();
}

void QFuncodeBatchDownloadDlg::setDrivesAtOnce(int drives)
{
    m_drivesAtOnce->setValue(drives);
}

void QFuncodeBatchDownloadDlg::onSourceChanged()
{
    m_targets->setModelFilter(m_selector ? m_selector->devName() : QString());
    // A source drive is not written with its own values.
    if (m_selector && m_selector->sourceKind() == QImportFuncodeSelectorWidget::SOURCE_DEVICE) {
        const int row = m_targets->aliases().indexOf(m_selector->sourceKey());
        if (row >= 0) {
            m_targets->setData(m_targets->index(row, QBatchTargetModel::COL_ALIAS), Qt::Unchecked,
                               Qt::CheckStateRole);
        }
    }
    updateButtons();
}

QString QFuncodeBatchDownloadDlg::selectedTarget() const
{
    const QModelIndexList rows = m_targetView->selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : m_targets->aliasAt(rows.first().row());
}

void QFuncodeBatchDownloadDlg::updateButtons()
{
    const bool hasSource =
        m_selector && m_selector->sourceKind() != QImportFuncodeSelectorWidget::SOURCE_NONE;
    m_startButton->setEnabled(!m_running && hasSource && !m_targets->checkedAliases().isEmpty());
    m_stopButton->setEnabled(m_running);
    m_compareButton->setEnabled(!m_running && hasSource && !selectedTarget().isEmpty());
    m_saveReset->setEnabled(!m_running);
}

// ---------------------------------------------------------------- running

void QFuncodeBatchDownloadDlg::onStart()
{
    if (m_running) {
        return;
    }
    const QList<FunOperationDataUnitPtr> list = getDownloadFuncode();
    if (list.isEmpty()) {
        QMyMessageBox::information(this, tr("STR_BATCH_DOWNLOAD"), tr("STR_BATCH_NO_FUNCODE"));
        return;
    }
    const QStringList targets = m_targets->checkedAliases();
    if (targets.isEmpty()) {
        QMyMessageBox::information(this, tr("STR_BATCH_DOWNLOAD"), tr("STR_BATCH_NO_TARGET"));
        return;
    }
    if (!checkDownloadList(list)) {
        return;
    }
    m_running = true;
    m_runCount = targets.size();
    m_percent.clear();
    for (const QString& alias : m_targets->aliases()) {
        m_targets->setRunState(alias, targets.contains(alias) ? QBatchTargetModel::RUN_WAITING
                                                              : QBatchTargetModel::RUN_IDLE);
    }
    m_targets->setLocked(true);
    m_selector->setLocked(true);
    updateButtons();
    onWriteLogMsg(tr("STR_BATCH_LOG_STARTED").arg(list.size()).arg(targets.size()), LOG_INFO);
    showOverallProgress();
    QMap<QString, tagExportFuncodePtr_Servo> records;
    for (const FunOperationDataUnitPtr& unit : list) {
        records.insert(unit->funIndex, unit->toExportFuncode());
    }
    m_line->setConcurrency(drivesAtOnce());
    m_line->start(targets, records, true, 0);
}

void QFuncodeBatchDownloadDlg::onDriveStarted(const QString& alias)
{
    m_percent.insert(alias, 0);
    m_targets->setRunState(alias, QBatchTargetModel::RUN_RUNNING);
    onWriteLogMsg(tr("STR_BATCH_LOG_DEVICE_START").arg(alias), LOG_INFO);
    showOverallProgress();
}

void QFuncodeBatchDownloadDlg::onDriveProgress(const QString& alias, int done, int total)
{
    const int percent = total > 0 ? int(qint64(done) * 100 / total) : 0;
    if (!m_running || m_percent.value(alias, -1) == percent) {
        return;
    }
    m_percent.insert(alias, percent);
    m_targets->setProgress(alias, percent);
    showOverallProgress();
}

void QFuncodeBatchDownloadDlg::onDriveFinished(const QString& alias, bool succeeded)
{
    if (!m_running) {
        return;
    }
    m_percent.remove(alias);
    finishWriteOneDevice(alias, succeeded);
    m_targets->setRunState(alias,
                           succeeded ? QBatchTargetModel::RUN_SUCCEEDED : QBatchTargetModel::RUN_FAILED);
    showOverallProgress();
}

// The whole download in hundredths of a drive: the drives that ended, and how far the running ones are.
void QFuncodeBatchDownloadDlg::showOverallProgress()
{
    int hundredths = m_line->finishedCount() * 100;
    for (const int percent : qAsConst(m_percent)) {
        hundredths += percent;
    }
    m_progress->setRange(0, qMax(1, m_runCount * 100));
    m_progress->setValue(hundredths);
    m_progressLabel->setText(
        tr("STR_BATCH_PROGRESS_OVERALL").arg(m_line->finishedCount()).arg(m_runCount).arg(m_percent.size()));
}

void QFuncodeBatchDownloadDlg::finishBatch()
{
    if (!m_running) {
        return;
    }
    const QStringList succeeded = m_targets->aliasesInState(QBatchTargetModel::RUN_SUCCEEDED);
    if (isSaveAndResetChecked() && !succeeded.isEmpty()) {
        onWriteLogMsg(tr("STR_BATCH_LOG_SAVE_RESET").arg(succeeded.join(QStringLiteral(", "))), LOG_INFO);
        batchSaveAndReset(succeeded);
    }
    const int failed = m_targets->aliasesInState(QBatchTargetModel::RUN_FAILED).size();
    onWriteLogMsg(tr("STR_BATCH_LOG_FINISHED").arg(succeeded.size()).arg(failed),
                  failed == 0 ? LOG_SUCCESS : LOG_WARNING);
    m_running = false;
    m_targets->setLocked(false);
    m_selector->setLocked(false);
    updateButtons();
    emit sigBatchFinished();
}

void QFuncodeBatchDownloadDlg::onStop()
{
    if (!m_running) {
        return;
    }
    m_running = false;
    const QStringList running = m_line->runningDrives();
    m_line->stop();
    m_percent.clear();
    for (const QString& alias : running) {
        m_targets->setRunState(alias, QBatchTargetModel::RUN_STOPPED);
        onWriteLogMsg(tr("STR_BATCH_LOG_DEVICE_STOPPED").arg(alias), LOG_WARNING);
    }
    for (const QString& alias : m_targets->aliasesInState(QBatchTargetModel::RUN_WAITING)) {
        m_targets->setRunState(alias, QBatchTargetModel::RUN_IDLE);
    }
    onWriteLogMsg(tr("STR_BATCH_LOG_STOPPED"), LOG_WARNING);
    m_targets->setLocked(false);
    m_selector->setLocked(false);
    updateButtons();
    emit sigBatchFinished();
}

void QFuncodeBatchDownloadDlg::reject()
{
    onStop();
    QBaseDlg::reject();
}

// ---------------------------------------------------------------- log

QString QFuncodeBatchDownloadDlg::levelText(int level)
{
    switch (level) {
    case LOG_ERROR:
        return tr("STR_LOG_LEVEL_ERROR");
    case LOG_WARNING:
        return tr("STR_LOG_LEVEL_WARNING");
    case LOG_SUCCESS:
        return tr("STR_LOG_LEVEL_SUCCESS");
    default:
        return tr("STR_LOG_LEVEL_INFO");
    }
}

QString QFuncodeBatchDownloadDlg::levelColor(int level)
{
    switch (level) {
    case LOG_ERROR:
        return QStringLiteral("#c00000");
    case LOG_WARNING:
        return QStringLiteral("#b06000");
    case LOG_SUCCESS:
        return QStringLiteral("#007a00");
    default:
        return QStringLiteral("#303030");
    }
}

void QFuncodeBatchDownloadDlg::onWriteLogMsg(const QString& text, int level)
{
    const QString line =
        QStringLiteral("[%1] %2  %3")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss")), levelText(level), text);
    m_logLines.append(line);
    m_log->appendHtml(
        QStringLiteral("<span style=\"color:%1\">%2</span>").arg(levelColor(level), line.toHtmlEscaped()));
}

// ---------------------------------------------------------------- per drive (subclasses)

void QFuncodeBatchDownloadDlg::onCompareClicked()
{
    const QString alias = selectedTarget();
    if (alias.isEmpty() || m_running) {
        return;
    }
    showCompareFuncode(alias);
}

void QFuncodeBatchDownloadDlg::showCompareFuncode(const QString& alias)
{
    Q_UNUSED(alias)
}

void QFuncodeBatchDownloadDlg::batchSaveAndReset(const QStringList& aliases)
{
    Q_UNUSED(aliases)
}

void QFuncodeBatchDownloadDlg::finishWriteOneDevice(const QString& alias, bool bSucceed)
{
    onWriteLogMsg(tr(bSucceed ? "STR_BATCH_LOG_DEVICE_SUCCEEDED" : "STR_BATCH_LOG_DEVICE_FAILED").arg(alias),
                  bSucceed ? LOG_SUCCESS : LOG_ERROR);
}

bool QFuncodeBatchDownloadDlg::checkDownloadList(const QList<FunOperationDataUnitPtr>& list)
{
    return !list.isEmpty();
}
