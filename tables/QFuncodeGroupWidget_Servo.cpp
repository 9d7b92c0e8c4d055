#include "QFuncodeGroupWidget_Servo.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeView_Servo.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"

#include <QGridLayout>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>

QFuncodeGroupWidget_Servo::QFuncodeGroupWidget_Servo(QWidget* parent) : QBaseStyleWidget(parent)
{
    setObjectName(QStringLiteral("MENUWID"));
    resize(400, 300);
    auto* layout = new QGridLayout(this);
    layout->setSpacing(6);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tabWidget = new QTabWidget(this);
    m_tabWidget->setMouseTracking(true);
    m_tabWidget->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_tabWidget, 0, 0);

    QTabBar* bar = m_tabWidget->tabBar();
    bar->setCursor(Qt::PointingHandCursor);
    bar->setContextMenuPolicy(Qt::CustomContextMenu);
    bar->setStyleSheet(QStringLiteral("QTabBar::tab{min-height: 30px; min-width: 60px;}"));

    init();
    connect(QProjectCore::self()->getDevMgr(), &QDeviceManager::SigDevChange, this,
            &QFuncodeGroupWidget_Servo::slotDevChanged);
    connect(m_tabWidget, &QTabWidget::currentChanged, this,
            &QFuncodeGroupWidget_Servo::onTableWidgetCurrentChange);
}

QFuncodeGroupWidget_Servo::~QFuncodeGroupWidget_Servo() = default;

QStringList QFuncodeGroupWidget_Servo::getSubFuncodeName() const
{
    QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return {};
    }
    return QDeviceServo::orderGroupName(device->getNormalFuncodeGroupMap().keys());
}

QFuncodeView_Servo* QFuncodeGroupWidget_Servo::createTable()
{
    auto* table = new QFuncodeView_Servo(this);
    table->setMouseTracking(true);
    // Not shown until its tab makes it current: a table that is shown reads from the device.
    table->hide();
    connect(table, &QBaseFuncodeView_Servo::SigDataChanged, this, &QFuncodeGroupWidget_Servo::SigDataChanged);
    connect(table, &QAbstractItemView::doubleClicked, this, &QFuncodeGroupWidget_Servo::doubleClicked);
    connect(table, &QBaseFuncodeView_Servo::SigSelChanged, this, &QFuncodeGroupWidget_Servo::SigSelChanged);
    connect(table, &QBaseTableView::SigLeftButtonClick, this, &QFuncodeGroupWidget_Servo::sigLeftButtonClick);
    m_tables.append(table);
    return table;
}

void QFuncodeGroupWidget_Servo::init()
{
    const QStringList names = getSubFuncodeName();
    while (m_tables.size() < names.size()) {
        createTable();
    }
    // The same drive's group shown stays shown when its title changes (another language): it is known
    // by its code.
    QDeviceServo* device = QProjectCore::selectedServo();
    const QFuncodeView_Servo* shown = getCurrentFuncodeView();
    const QString shownCode = shown && device && device->getAliasName() == m_alias
                                  ? shown->getFunGroup().section(QLatin1Char(' '), 0, 0)
                                  : QString();
    m_alias = device ? device->getAliasName() : QString();
    m_tabWidget->clear();
    if (!device) {
        // Hidden tables let go of the rows of a device that may be gone.
        for (QFuncodeView_Servo* table : qAsConst(m_tables)) {
            table->hide();
            table->clearModelGroup();
        }
        return;
    }
    const QDeviceServo::FuncodeGroupMap& map = device->getNormalFuncodeGroupMap();
    for (int i = 0; i < names.size(); ++i) {
        const QString& name = names.at(i);
        QFuncodeView_Servo* table = m_tables.at(i);
        QMap<QString, QList<tagSubFuncode_Servo*>> own;
        own.insert(name, map.value(name));
        table->setModelGroup(name);
        table->onInitModelData(own);
        table->updateAxisColumns();
        m_tabWidget->insertTab(i, table, name.section(QLatin1Char(' '), 0, 0));
        m_tabWidget->setTabToolTip(i, name);
    }
    for (int i = names.size(); i < m_tables.size(); ++i) {
        m_tables.at(i)->hide();
        m_tables.at(i)->clearModelGroup();
    }
    const int again =
        names.indexOf(QRegularExpression(QStringLiteral("^%1 ").arg(QRegularExpression::escape(shownCode))));
    if (m_tabWidget->count() > 0) {
        m_tabWidget->setCurrentIndex(qMax(0, again));
    }
}

QFuncodeView_Servo* QFuncodeGroupWidget_Servo::getCurrentFuncodeView() const
{
    const int index = m_tabWidget->currentIndex();
    if (index < 0 || index >= m_tables.size()) {
        return nullptr;
    }
    return qobject_cast<QFuncodeView_Servo*>(m_tabWidget->widget(index));
}

void QFuncodeGroupWidget_Servo::setCurrentFuncodeGroup(QString name)
{
    for (int i = 0; i < m_tabWidget->count(); ++i) {
        auto* table = qobject_cast<QFuncodeView_Servo*>(m_tabWidget->widget(i));
        if (table && !table->getFunGroup().isEmpty() && name.startsWith(table->getFunGroup())) {
            m_tabWidget->setCurrentIndex(i);
            return;
        }
    }
}

void QFuncodeGroupWidget_Servo::slotDevChanged()
{
    init();
}

void QFuncodeGroupWidget_Servo::onTableWidgetCurrentChange(int index)
{
    Q_UNUSED(index)
    emit QSoftCore::getCore()->getSignalManager()->SigFuncodeDetailDelete();
}
