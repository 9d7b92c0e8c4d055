#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

// The progress of one batch run: a modal progress dialog with a title, a line of text and a Cancel
// button, shown only when the run lasts longer than a moment. Without a window (kind other than 0) it
// only counts and can still be cancelled through cancel().
class QBatchProgress_Servo : public QObject
{
    Q_OBJECT
public:
    enum enKind
    {
        KIND_DIALOG = 0,
        KIND_SILENT = 1
    };

    QBatchProgress_Servo(const QString& title, QWidget* parent, int kind);
    ~QBatchProgress_Servo() override;

    // Starts a phase of total steps with its text ("%1" / "%2": steps done / total).
    void start(const QString& text, int total);
    void advance(int steps);
    // Sets the steps done and the total of the phase at once.
    void setProgress(int done, int total);
    bool isCancelled() const { return m_cancelled; }
    void cancel();
    // Forgets an earlier cancel, for the next run.
    void reset() { m_cancelled = false; }
    // Closes the dialog; the object can start again.
    void finish();
    bool hasWindow() const { return m_kind == KIND_DIALOG; }
    // Whether the dialog is on screen (it takes the user's input then).
    bool isShown() const;
    // How long a run must last before the dialog shows (ms).
    static void setMinimumDuration(int ms) { s_minimumDuration = ms; }

signals:
    void cancelled();

private:
    void ensureDialog();
    void updateLabel();

    QString m_title;
    QPointer<QWidget> m_parent;
    int m_kind = KIND_DIALOG;
    QPointer<QProgressDialog> m_dialog;
    QString m_text;
    int m_total = 0;
    int m_done = 0;
    bool m_cancelled = false;
    static int s_minimumDuration;
};
