#pragma once

#include "QBaseDlg.h"

#include <QList>
#include <QStringList>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The host's modal message boxes. Titles and texts arrive translated; the boxes' own buttons are
// translated here. Each static function returns the answer:
//  - information, warning, success: 1 when OK was pressed, 0 when the box was closed;
//  - question (3 arguments): 1 when accepted (Yes), 0 otherwise;
//  - question (5 arguments): 1 for the first button, 2 for the second, 0 when closed.
// Tests set a hook: then no box is shown, the hook's answer is returned, and every call is recorded.
class QMyMessageBox : public QBaseDlg
{
    Q_OBJECT
public:
    enum Kind
    {
        Information,
        Question,
        Success,
        Warning
    };

    // One box as asked for: what a hook receives and what is recorded.
    struct Call
    {
        Kind kind = Information;
        QString title;
        QString text;
        QString detail;      // success: the expandable detail (for example the path of a written file)
        QStringList buttons; // button texts, first to last (translated)
    };

    static int information(QWidget* parent, const QString& title, const QString& text);
    static int question(QWidget* parent, const QString& title, const QString& text);
    static int question(QWidget* parent, const QString& title, const QString& text,
                        const QString& firstButtonText, const QString& secondButtonText);
    static int success(QWidget* parent, const QString& title, const QString& text, const QString& detail);
    static int warning(QWidget* parent, const QString& title, const QString& text);

    // With a hook set, boxes are not shown: the hook answers them. Pass nullptr to show boxes again
    // (the record is kept until cleared).
    static void setTestHook(std::function<int(const QMyMessageBox::Call&)> hook);
    static bool hasTestHook();
    static QList<Call> recordedCalls();
    static void clearRecordedCalls();

    // The answer of a box that was run (exec) directly.
    int answer() const { return m_answer; }

    QMyMessageBox(QWidget* parent, const Call& call, const QList<int>& answers);
    ~QMyMessageBox() override;

private slots:
    void onToggleDetail();

private:
    static int run(QWidget* parent, const Call& call, const QList<int>& answers);
    QWidget* makeIconLabel(Kind kind);

    QList<int> m_answers;
    int m_answer = 0;
    QPlainTextEdit* m_detail = nullptr;
    QPushButton* m_detailButton = nullptr;
};
