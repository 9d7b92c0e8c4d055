#pragma once

#include "QDriveLink.h"

// Watches whether an online drive still answers: a few requests in a row without an answer make it "not
// answering" (its values go stale and the pages say so); the first answer after that makes it answer
// again. A refusal or an error is an answer: the drive is there.
class QServoAnswerWatch
{
public:
    enum Change
    {
        NO_CHANGE,
        FELL_SILENT,
        ANSWERS_AGAIN
    };
    static constexpr int kSilentRequests = 3;

    // Whether the link error means that the drive did not answer (timeout, or the drive went away).
    static bool isNoAnswer(int linkError);
    // Whether any item of a finished request was answered (a request without items counts as answered).
    static bool anyAnswered(const QDriveValueList& items);

    // One request finished, answered or not, while the drive is online or not.
    Change note(bool answered, bool online);
    void reset();
    bool isSilent() const { return m_silent; }

private:
    int m_unanswered = 0; // requests in a row that got no answer
    bool m_silent = false;
};
