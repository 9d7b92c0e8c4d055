#include "QImportFuncodeSelectorWidget.h"

#include "QBaseTreeView.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFunOperationModel.h"
#include "QProjectCore.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

QImportFuncodeSelectorWidget::QImportFuncodeSelectorWidget(QWidget* parent) : QWidget(parent)
{
    buildUi();
    retranslate();
    fillDevices();
    QDeviceManager* devMgr = QProjectCore::self()->getDevMgr();
    connect(devMgr, &QDeviceManager::SigAddDev, this, &QImportFuncodeSelectorWidget::fillDevices);
    connect(devMgr, &QDeviceManager::SigDelDev, this, &QImportFuncodeSelectorWidget::fillDevices);
}

QImportFuncodeSelectorWidget::~QImportFuncodeSelectorWidget() = default;

// ---------------------------------------------------------------- building

void QImportFuncodeSelectorWidget::buildUi()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildSourceRow());
    layout->addWidget(buildSelectRow());
    m_view = new QBaseTreeView(this);
    m_view->setObjectName(QStringLiteral("treeViewFuncode"));
    m_view->header()->setDefaultSectionSize(160);
    m_view->header()->setSectionResizeMode(QHeaderView::Interactive);
    layout->addWidget(m_view, 1);
}

QWidget* QImportFuncodeSelectorWidget::buildSourceRow()
{
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    m_fileRadio = new QRadioButton(box);
    m_fileRadio->setObjectName(QStringLiteral("radioButton_sourceFile"));
    m_deviceRadio = new QRadioButton(box);
    m_deviceRadio->setObjectName(QStringLiteral("radioButton_sourceDevice"));
    m_sourceGroup = new QButtonGroup(this);
    m_sourceGroup->addButton(m_fileRadio, SOURCE_FILE);
    m_sourceGroup->addButton(m_deviceRadio, SOURCE_DEVICE);
    m_fileRadio->setChecked(true);
    m_pathEdit = new QLineEdit(box);
    m_pathEdit->setObjectName(QStringLiteral("lineEdit_filePath"));
    m_pathEdit->setReadOnly(true);
    m_browseButton = new QPushButton(box);
    m_browseButton->setObjectName(QStringLiteral("pushButton_filePath"));
    m_deviceCombo = new QComboBox(box);
    m_deviceCombo->setObjectName(QStringLiteral("comboBox_sourceDevice"));
    m_readButton = new QPushButton(box);
    m_readButton->setObjectName(QStringLiteral("pushButton_readDevice"));
    grid->addWidget(m_fileRadio, 0, 0);
    grid->addWidget(m_pathEdit, 0, 1);
    grid->addWidget(m_browseButton, 0, 2);
    grid->addWidget(m_deviceRadio, 1, 0);
    grid->addWidget(m_deviceCombo, 1, 1);
    grid->addWidget(m_readButton, 1, 2);
    grid->setColumnStretch(1, 1);
    connect(m_browseButton, &QPushButton::clicked, this, &QImportFuncodeSelectorWidget::onBrowse);
    connect(m_readButton, &QPushButton::clicked, this, &QImportFuncodeSelectorWidget::onReadDevice);
    connect(m_fileRadio, &QRadioButton::toggled, this, &QImportFuncodeSelectorWidget::onSourceToggled);
    onSourceToggled();
    return box;
}

QWidget* QImportFuncodeSelectorWidget::buildSelectRow()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    m_summary = new QLabel(box);
    m_summary->setObjectName(QStringLiteral("labelSourceSummary"));
    m_allButton = new QPushButton(box);
    m_noneButton = new QPushButton(box);
    m_diffButton = new QPushButton(box);
    row->addWidget(m_summary, 1);
    row->addWidget(m_allButton);
    row->addWidget(m_noneButton);
    row->addWidget(m_diffButton);
    connect(m_allButton, &QPushButton::clicked, this, [this]() { m_model->setAllChecked(true); });
    connect(m_noneButton, &QPushButton::clicked, this, [this]() { m_model->setAllChecked(false); });
    connect(m_diffButton, &QPushButton::clicked, this, [this]() { m_model->selectDiffering(); });
    return box;
}

void QImportFuncodeSelectorWidget::initSelector()
{
    if (m_model) {
        return;
    }
    m_model = createModel();
    m_model->setParent(this);
    m_view->setModel(m_model);
    connect(m_model, &QFunOperationModel::checkedCountChanged, this,
            &QImportFuncodeSelectorWidget::onCheckedCountChanged);
    initTreeModelData();
    resetColumnWidth();
}

void QImportFuncodeSelectorWidget::retranslate()
{
    m_fileRadio->setText(tr("STR_BATCH_SOURCE_FILE"));
    m_deviceRadio->setText(tr("STR_BATCH_SOURCE_DEVICE"));
    m_browseButton->setText(tr("STR_BROWSE"));
    m_readButton->setText(tr("STR_READ"));
    m_allButton->setText(tr("STR_BATCH_SELECT_ALL"));
    m_noneButton->setText(tr("STR_BATCH_SELECT_NONE"));
    m_diffButton->setText(tr("STR_SELECT_DIFF_FUNCODE"));
    updateSummary();
}

void QImportFuncodeSelectorWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QWidget::changeEvent(event);
}

void QImportFuncodeSelectorWidget::fillDevices()
{
    QString current = m_deviceCombo->currentData().toString();
    if (current.isEmpty()) {
        // The first time: the drive selected in the project.
        const QDeviceServo* selected = QProjectCore::self()->getDevMgr()->getSelectServo();
        current = selected ? selected->getAliasName() : QString();
    }
    m_deviceCombo->clear();
    const auto devices = QProjectCore::self()->getDevMgr()->getDevListOrderByShowName();
    for (const auto& device : devices) {
        if (const auto* dev = qobject_cast<const QDeviceServo*>(device.data())) {
            m_deviceCombo->addItem(QStringLiteral("%1 (%2)").arg(dev->getAliasName(), dev->getDevName()),
                                   dev->getAliasName());
        }
    }
    const int index = m_deviceCombo->findData(current);
    m_deviceCombo->setCurrentIndex(index >= 0 ? index : 0);
}

// ---------------------------------------------------------------- sources

QFunOperationModel* QImportFuncodeSelectorWidget::createModel()
{
    return new QFunOperationModel(this);
}

void QImportFuncodeSelectorWidget::initTreeModelData()
{
    m_model->setParentItemTitle(tr("STR_FUNCODE"));
    m_model->load(m_units);
    m_view->expandToDepth(0);
}

void QImportFuncodeSelectorWidget::resetColumnWidth()
{
    m_view->setColumnWidth(0, 180);
    m_view->setColumnWidth(1, 220);
}

bool QImportFuncodeSelectorWidget::readFileData(const QString& path)
{
    Q_UNUSED(path)
    return false;
}

bool QImportFuncodeSelectorWidget::readDeviceData(const QString& alias)
{
    Q_UNUSED(alias)
    return false;
}

bool QImportFuncodeSelectorWidget::loadFile(const QString& path)
{
    if (path.isEmpty() || !readFileData(path)) {
        return false;
    }
    m_fileRadio->setChecked(true);
    m_pathEdit->setText(path);
    return true;
}

bool QImportFuncodeSelectorWidget::loadDevice(const QString& alias)
{
    if (alias.isEmpty() || !readDeviceData(alias)) {
        return false;
    }
    m_deviceRadio->setChecked(true);
    const int index = m_deviceCombo->findData(alias);
    if (index >= 0) {
        m_deviceCombo->setCurrentIndex(index);
    }
    return true;
}

void QImportFuncodeSelectorWidget::setSourceData(int kind, const QString& key, const QString& devName,
                                                 const QString& devVersion,
                                                 const QList<FunOperationDataUnitPtr>& units)
{
    m_sourceKind = kind;
    m_sourceKey = key;
    m_devName = devName;
    m_devVersion = devVersion;
    m_units = units;
    if (m_model) {
        initTreeModelData();
        resetColumnWidth();
    }
    updateSummary();
    emit sigSourceChanged();
}

QList<FunOperationDataUnitPtr> QImportFuncodeSelectorWidget::getDownloadFuncode() const
{
    return m_model ? m_model->checkedUnits() : QList<FunOperationDataUnitPtr>();
}

void QImportFuncodeSelectorWidget::onBrowse()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("STR_OPEN"), QString(), tr("Funcode File(*.csv *.xlsx *.funcodeservo);;All File(*.*)"));
    loadFile(path);
}

void QImportFuncodeSelectorWidget::onReadDevice()
{
    loadDevice(m_deviceCombo->currentData().toString());
}

void QImportFuncodeSelectorWidget::onSourceToggled()
{
    const bool file = m_fileRadio->isChecked();
    m_pathEdit->setEnabled(file);
    m_browseButton->setEnabled(file);
    m_deviceCombo->setEnabled(!file);
    m_readButton->setEnabled(!file);
}

void QImportFuncodeSelectorWidget::setLocked(bool locked)
{
    for (QWidget* w : {static_cast<QWidget*>(m_fileRadio), static_cast<QWidget*>(m_deviceRadio),
                       static_cast<QWidget*>(m_allButton), static_cast<QWidget*>(m_noneButton),
                       static_cast<QWidget*>(m_diffButton), static_cast<QWidget*>(m_view)}) {
        w->setEnabled(!locked);
    }
    if (locked) {
        for (QWidget* w : {static_cast<QWidget*>(m_pathEdit), static_cast<QWidget*>(m_browseButton),
                           static_cast<QWidget*>(m_deviceCombo), static_cast<QWidget*>(m_readButton)}) {
            w->setEnabled(false);
        }
        return;
    }
    onSourceToggled();
}

void QImportFuncodeSelectorWidget::onCheckedCountChanged(int count)
{
    updateSummary();
    emit sigCheckedCountChanged(count);
}

void QImportFuncodeSelectorWidget::updateSummary()
{
    if (m_sourceKind == SOURCE_NONE) {
        m_summary->setText(tr("STR_BATCH_NO_SOURCE"));
        return;
    }
    const int checked = m_model ? m_model->checkedCount() : 0;
    m_summary->setText(
        tr("STR_BATCH_SOURCE_SUMMARY").arg(m_devName, m_devVersion).arg(checked).arg(m_units.size()));
}
