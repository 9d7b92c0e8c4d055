#include "QDevAlarmWidget.h"

#include "QCommToolButton.h"
#include "QCurFaultView.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QHistoryFaultTreeWidget_Servo.h"
#include "QMyMessageBox.h"
#include "QProjectCore.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const int kClearRefreshes = 3;

} // namespace

QDevAlarmWidget::QDevAlarmWidget(QWidget* parent)
    : QBaseStyleWidget(parent), m_splitter(new QSplitter(Qt::Vertical, this)),
      m_curFaultView(new QCurFaultView(this)), m_historyTree(new QHistoryFaultTreeWidget_Servo(this)),
      m_clearButton(new QCommToolButton(this)), m_axisBox(new QComboBox(this)),
      m_clearRefreshTimer(new QTimer(this))
{
    m_splitter->addWidget(makeGroup(tr("STR_CURRENT_FAULT"), m_curFaultView));
    m_splitter->addWidget(makeGroup(tr("STR_HIS_FAULT_RECORD"), m_historyTree));
    setAttribute(Qt::WA_TranslucentBackground);
    m_splitter->setSizes({2000, 6000});
    m_splitter->setStyleSheet(QStringLiteral("QSplitter::handle { background-color: transparent }"));
    setObjectName(QStringLiteral("TAB_WIDGET"));
    setWindowTitle(tr("STR_ALARM_HISTORYMONITORING"));
    initClearButton();

    m_axisBox->setObjectName(QStringLiteral("AXIS_COMBOBOX"));
    m_axisBox->setCursor(Qt::PointingHandCursor);
    m_axisBox->hide();
    auto* bar = new QHBoxLayout;
    bar->addWidget(m_clearButton);
    bar->addWidget(m_axisBox);
    bar->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(m_splitter, 1);

    m_clearRefreshTimer->setInterval(1000);
    connect(m_clearRefreshTimer, &QTimer::timeout, this, &QDevAlarmWidget::onClearRefreshTimeout);
    connect(m_clearButton, &QToolButton::clicked, this, &QDevAlarmWidget::onClearHisFaultRecord);
    connect(m_historyTree, &QHistoryFaultTreeWidget_Servo::sigClearHisFaultRecord, this,
            &QDevAlarmWidget::onClearHisFaultRecord);
    connect(QProjectCore::self()->getDevMgr(), &QDeviceManager::SigDevChange, this,
            &QDevAlarmWidget::onCurDevChanged);
    connect(m_axisBox, QOverload<int>::of(&QComboBox::activated), this, [this](int axis) {
        applyAxis(axis);
        m_curFaultView->OnRefresh();
        m_historyTree->OnRefresh();
    });
    const QDeviceServo* device = QProjectCore::selectedServo();
    fillAxisBox(device ? device->getAxisNum() : 1);
}

QWidget* QDevAlarmWidget::makeGroup(const QString& title, QWidget* content)
{
    auto* group = new QGroupBox(title, m_splitter);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(content);
    return group;
}

void QDevAlarmWidget::initClearButton()
{
    m_clearButton->setObjectName(QStringLiteral("TOOLBTN"));
    m_clearButton->setBtnType(1);
    m_clearButton->setTitle(tr("STR_CLEAR_HIS_FAULT"));
    m_clearButton->setImgPath(QStringLiteral(":/img/Servo/clear"));
    m_clearButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void QDevAlarmWidget::setFaultAxisIndex(int axis)
{
    const QDeviceServo* device = QProjectCore::selectedServo();
    const int axisNum = device ? device->getAxisNum() : 1;
    applyAxis(axis >= 0 && axis < axisNum ? axis : 0);
}

void QDevAlarmWidget::applyAxis(int axis)
{
    m_axis = axis;
    m_curFaultView->setFaultAxisIndex(axis);
    m_historyTree->setFaultAxisIndex(axis);
    if (m_axisBox->currentIndex() != axis && axis < m_axisBox->count()) {
        const QSignalBlocker blocker(m_axisBox);
        m_axisBox->setCurrentIndex(axis);
    }
}

void QDevAlarmWidget::fillAxisBox(int axisNum)
{
    static const char* const keys[] = {"STR_AXIS_X", "STR_AXIS_Y", "STR_AXIS_Z"};
    const int count = qBound(1, axisNum, 3);
    if (m_axisBox->count() != count) {
        const QSignalBlocker blocker(m_axisBox);
        m_axisBox->clear();
        for (int axis = 0; axis < count; ++axis) {
            m_axisBox->addItem(tr(keys[axis]));
        }
    }
    m_axisBox->setVisible(count > 1);
    applyAxis(m_axis < count ? m_axis : 0);
}

void QDevAlarmWidget::setClearRefreshInterval(int ms)
{
    m_clearRefreshTimer->setInterval(qMax(0, ms));
}

QString QDevAlarmWidget::getWindowTitleFormatText()
{
    return tr("STR_ALARM_HISTORYMONITORING") + QStringLiteral(" (%1)");
}

void QDevAlarmWidget::onCurDevChanged()
{
    const QDeviceServo* device = QProjectCore::selectedServo();
    if (!device) {
        return;
    }
    fillAxisBox(device->getAxisNum());
    m_curFaultView->OnRefresh();
    m_historyTree->OnRefresh();
    setWindowTitle(getWindowTitleFormatText().arg(device->getAliasName()));
}

void QDevAlarmWidget::onClearHisFaultRecord()
{
    if (QMyMessageBox::question(this, tr("STR_FUNCODE"), tr("STR_SURE_TO_CLEAR_FUNCODE")) != 1) {
        return;
    }
    QDeviceServo* device = QProjectCore::selectedServo();
    if (device && device->isDeviceOnline()) {
        device->clearHistoryFault(m_axis);
    }
    // The drive may take a while to empty its history: look again three times.
    m_refreshesLeft = kClearRefreshes;
    m_clearRefreshTimer->start();
}

void QDevAlarmWidget::onClearRefreshTimeout()
{
    m_historyTree->OnRefresh();
    if (--m_refreshesLeft <= 0) {
        m_clearRefreshTimer->stop();
    }
}

void QDevAlarmWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        static_cast<QGroupBox*>(m_splitter->widget(0))->setTitle(tr("STR_CURRENT_FAULT"));
        static_cast<QGroupBox*>(m_splitter->widget(1))->setTitle(tr("STR_HIS_FAULT_RECORD"));
        setWindowTitle(tr("STR_ALARM_HISTORYMONITORING"));
        m_clearButton->setTitle(tr("STR_CLEAR_HIS_FAULT"));
    }
    QBaseStyleWidget::changeEvent(event);
}
