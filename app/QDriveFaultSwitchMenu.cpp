#include "QDriveFaultSwitchMenu.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QProjectCore.h"
#include "QSimulatedDriveLink.h"

#include <QEvent>
#include <QInputDialog>
#include <QMessageBox>

namespace {
const int kMaxCount = 100000;
} // namespace

QDriveFaultSwitchMenu::QDriveFaultSwitchMenu(QWidget* parent) : QMenu(parent)
{
    setObjectName(QStringLiteral("MENU_SIM_FAULTS"));
    m_dropAction = addSwitch(&QDriveFaultSwitchMenu::askDropEvery);
    m_lateAction = addSwitch(&QDriveFaultSwitchMenu::askLateEvery);
    m_refuseAction = addSwitch(&QDriveFaultSwitchMenu::askRefuseWrites);
    m_failAction = addSwitch(&QDriveFaultSwitchMenu::askFailCode);
    m_offlineAfterAction = addSwitch(&QDriveFaultSwitchMenu::askOfflineAfter);
    addSeparator();
    m_clearAction = addAction(QString(), this, &QDriveFaultSwitchMenu::clearSwitches);
    connect(this, &QMenu::aboutToShow, this, &QDriveFaultSwitchMenu::updateActions);
    retranslate();
}

QAction* QDriveFaultSwitchMenu::addSwitch(void (QDriveFaultSwitchMenu::*ask)())
{
    QAction* action = addAction(QString());
    action->setCheckable(true);
    // The check shows the drive's state; the dialog decides what it becomes.
    connect(action, &QAction::triggered, this, [this, ask]() {
        (this->*ask)();
        updateActions();
    });
    return action;
}

void QDriveFaultSwitchMenu::retranslate()
{
    setTitle(tr("STR_MENU_SIM_FAULTS"));
    m_dropAction->setText(tr("STR_MENU_SIM_DROP_EVERY"));
    m_lateAction->setText(tr("STR_MENU_SIM_LATE_EVERY"));
    m_refuseAction->setText(tr("STR_MENU_SIM_REFUSE_WRITES"));
    m_failAction->setText(tr("STR_MENU_SIM_FAIL_CODE"));
    m_offlineAfterAction->setText(tr("STR_MENU_SIM_OFFLINE_AFTER"));
    m_clearAction->setText(tr("STR_MENU_SIM_CLEAR_SWITCHES"));
}

void QDriveFaultSwitchMenu::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QMenu::changeEvent(event);
}

QSimulatedDriveLink* QDriveFaultSwitchMenu::selectedLink()
{
    const QDeviceServo* device = QProjectCore::self()->getDevMgr()->getSelectServo();
    return device ? QProjectCore::self()->simulatedLink(device->getAliasName()) : nullptr;
}

void QDriveFaultSwitchMenu::updateActions()
{
    const QSimulatedDriveLink* link = selectedLink();
    const QDriveFaultSwitches s = link ? link->faultSwitches() : QDriveFaultSwitches();
    const QList<QPair<QAction*, bool>> states = {{m_dropAction, s.dropEvery > 0},
                                                 {m_lateAction, s.lateEvery > 0},
                                                 {m_refuseAction, s.refuseWrites},
                                                 {m_failAction, !s.failCode.isEmpty()},
                                                 {m_offlineAfterAction, s.offlineAfter >= 0}};
    for (const auto& state : states) {
        state.first->setEnabled(link);
        state.first->setChecked(state.second);
    }
    m_clearAction->setEnabled(link && !s.isClear());
}

bool QDriveFaultSwitchMenu::askCount(const QString& title, const QString& label, int current, int* value)
{
    bool ok = false;
    *value = QInputDialog::getInt(parentWidget(), title, label, current, 0, kMaxCount, 1, &ok);
    return ok;
}

void QDriveFaultSwitchMenu::apply(const QDriveFaultSwitches& switches)
{
    if (QSimulatedDriveLink* link = selectedLink()) {
        link->setFaultSwitches(switches);
    }
}

void QDriveFaultSwitchMenu::askDropEvery()
{
    const QSimulatedDriveLink* link = selectedLink();
    if (!link) {
        return;
    }
    QDriveFaultSwitches s = link->faultSwitches();
    if (askCount(tr("STR_MENU_SIM_DROP_EVERY"), tr("STR_SIM_COUNT_LABEL"), qMax(s.dropEvery, 3),
                 &s.dropEvery)) {
        apply(s);
    }
}

void QDriveFaultSwitchMenu::askLateEvery()
{
    const QSimulatedDriveLink* link = selectedLink();
    if (!link) {
        return;
    }
    QDriveFaultSwitches s = link->faultSwitches();
    if (!askCount(tr("STR_MENU_SIM_LATE_EVERY"), tr("STR_SIM_COUNT_LABEL"), qMax(s.lateEvery, 3),
                  &s.lateEvery)) {
        return;
    }
    // Later than the link waits, so that the late answer really comes after the timeout.
    s.lateByMs = qMax(s.lateByMs, link->timeout() * 2);
    apply(s);
}

QString QDriveFaultSwitchMenu::askText(const QString& title, const QString& label, const QString& text,
                                       bool* ok)
{
    QInputDialog dialog(parentWidget());
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setTextValue(text);
    // The whole proposed text is seen at once: a line edit of the default width shows only its end.
    if (auto* edit = dialog.findChild<QLineEdit*>()) {
        const QFontMetrics metrics(edit->font());
        edit->setMinimumWidth(metrics.horizontalAdvance(text) + 4 * metrics.averageCharWidth());
        edit->setCursorPosition(0);
    }
    *ok = dialog.exec() == QDialog::Accepted;
    return dialog.textValue();
}

void QDriveFaultSwitchMenu::askRefuseWrites()
{
    const QSimulatedDriveLink* link = selectedLink();
    if (!link) {
        return;
    }
    QDriveFaultSwitches s = link->faultSwitches();
    if (s.refuseWrites) {
        s.refuseWrites = false;
        apply(s);
        return;
    }
    bool ok = false;
    const QString reason = askText(tr("STR_MENU_SIM_REFUSE_WRITES"), tr("STR_SIM_REFUSE_REASON_LABEL"),
                                   tr("STR_SIM_REFUSE_REASON_DEFAULT"), &ok);
    if (!ok) {
        return;
    }
    s.refuseWrites = true;
    s.refuseReason = reason.trimmed();
    apply(s);
}

void QDriveFaultSwitchMenu::askFailCode()
{
    const QSimulatedDriveLink* link = selectedLink();
    if (!link) {
        return;
    }
    QDriveFaultSwitches s = link->faultSwitches();
    bool ok = false;
    const QString code =
        QInputDialog::getText(parentWidget(), tr("STR_MENU_SIM_FAIL_CODE"), tr("STR_SIM_FAIL_CODE_LABEL"),
                              QLineEdit::Normal, s.failCode, &ok)
            .trimmed();
    if (!ok) {
        return;
    }
    if (!code.isEmpty() && link->model()->indexOf(code) < 0) {
        QMessageBox::warning(parentWidget(), tr("STR_MENU_SIM_FAIL_CODE"),
                             tr("STR_SIM_UNKNOWN_CODE").arg(code));
        return;
    }
    s.failCode = code;
    apply(s);
}

void QDriveFaultSwitchMenu::askOfflineAfter()
{
    const QSimulatedDriveLink* link = selectedLink();
    if (!link) {
        return;
    }
    QDriveFaultSwitches s = link->faultSwitches();
    int count = 0;
    if (!askCount(tr("STR_MENU_SIM_OFFLINE_AFTER"), tr("STR_SIM_OFFLINE_AFTER_LABEL"),
                  qMax(s.offlineAfter, 2), &count)) {
        return;
    }
    s.offlineAfter = count;
    apply(s);
}

void QDriveFaultSwitchMenu::clearSwitches()
{
    apply(QDriveFaultSwitches());
}
