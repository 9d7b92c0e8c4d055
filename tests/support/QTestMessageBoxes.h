#pragma once

#include "QMyMessageBox.h"

#include <functional>

// Answers the host's message boxes (QMyMessageBox) through its test hook for as long as it lives: no box is
// shown, each box gets the answer (1: OK, Yes or the first button; 2: the second button; 0: closed), and
// every box asked for is recorded. On destruction boxes are shown again and the record is forgotten.
// Header only: include it from suites that link ViewComposite. Typical use, as a member of the suite or a
// local of one test function:
//     QTestMessageBoxes boxes;            // every box answered with 1
//     boxes.setAnswer(0);                 // ... now closed
//     QCOMPARE(boxes.count(), 1);
//     QCOMPARE(boxes.calls().constLast().kind, QMyMessageBox::Warning);
class QTestMessageBoxes
{
public:
    explicit QTestMessageBoxes(int answer = 1)
    {
        QMyMessageBox::clearRecordedCalls();
        setAnswer(answer);
    }
    ~QTestMessageBoxes()
    {
        QMyMessageBox::setTestHook(nullptr);
        QMyMessageBox::clearRecordedCalls();
    }
    QTestMessageBoxes(const QTestMessageBoxes&) = delete;
    QTestMessageBoxes& operator=(const QTestMessageBoxes&) = delete;

    void setAnswer(int answer)
    {
        QMyMessageBox::setTestHook([answer](const QMyMessageBox::Call&) { return answer; });
    }
    // Answers each box by what it asks (its kind, title, text or buttons).
    void setAnswer(const std::function<int(const QMyMessageBox::Call&)>& answer)
    {
        QMyMessageBox::setTestHook(answer);
    }

    // The boxes asked for since construction or clear(), first to last.
    QList<QMyMessageBox::Call> calls() const { return QMyMessageBox::recordedCalls(); }
    int count() const { return calls().size(); }
    // The texts of those boxes.
    QStringList texts() const
    {
        QStringList all;
        for (const QMyMessageBox::Call& call : calls()) {
            all << call.text;
        }
        return all;
    }
    void clear() { QMyMessageBox::clearRecordedCalls(); }
};
