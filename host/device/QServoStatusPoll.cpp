#include "QServoStatusPoll.h"

QServoStatusPoll::QServoStatusPoll(const Hooks& hooks, int periodMs, QObject* parent)
    : QObject(parent), m_hooks(hooks), m_periodMs(periodMs)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &QServoStatusPoll::onQuiet);
}

void QServoStatusPoll::setActive(bool active)
{
    m_active = active;
    if (!active) {
        m_timer.stop();
        return;
    }
    m_timer.start(m_periodMs);
}

void QServoStatusPoll::noteReply(bool answered)
{
    if (!m_active) {
        return;
    }
    m_timer.start(answered ? m_periodMs : 0);
}

void QServoStatusPoll::onQuiet()
{
    // The period starts again in any case; a reply to the read starts it again too.
    m_timer.start(m_periodMs);
    if (m_hooks.canSend()) {
        m_hooks.send();
    }
}
