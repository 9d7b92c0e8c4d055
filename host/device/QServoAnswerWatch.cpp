#include "QServoAnswerWatch.h"

bool QServoAnswerWatch::isNoAnswer(int linkError)
{
    return linkError == QDriveLink::LINK_ERR_TIMEOUT || linkError == QDriveLink::LINK_ERR_OFFLINE;
}

bool QServoAnswerWatch::anyAnswered(const QDriveValueList& items)
{
    if (items.isEmpty()) {
        return true;
    }
    for (const QDriveValueItem& item : items) {
        if (!isNoAnswer(item.error)) {
            return true;
        }
    }
    return false;
}

QServoAnswerWatch::Change QServoAnswerWatch::note(bool answered, bool online)
{
    if (answered) {
        m_unanswered = 0;
        const bool wasSilent = m_silent;
        m_silent = false;
        return wasSilent ? ANSWERS_AGAIN : NO_CHANGE;
    }
    if (!online || m_silent || ++m_unanswered < kSilentRequests) {
        return NO_CHANGE;
    }
    m_silent = true;
    return FELL_SILENT;
}

void QServoAnswerWatch::reset()
{
    m_unanswered = 0;
    m_silent = false;
}
