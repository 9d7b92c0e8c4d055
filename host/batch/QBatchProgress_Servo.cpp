#include "QBatchProgress_Servo.h"

#include <QProgressDialog>

int QBatchProgress_Servo::s_minimumDuration = 250;

QBatchProgress_Servo::QBatchProgress_Servo(const QString& title, QWidget* parent, int kind)
    : m_title(title), m_parent(parent), m_kind(kind == KIND_DIALOG ? KIND_DIALOG : KIND_SILENT)
{
}

QBatchProgress_Servo::~QBatchProgress_Servo()
{
    finish();
}

void QBatchProgress_Servo::start(const QString& text, int total)
{
    m_text = text;
    m_total = qMax(0, total);
    m_done = 0;
    if (!hasWindow()) {
        return;
    }
    ensureDialog();
    m_dialog->setMaximum(qMax(1, m_total));
    m_dialog->setValue(0);
    updateLabel();
}

void QBatchProgress_Servo::ensureDialog()
{
    if (m_dialog) {
        return;
    }
    m_dialog = new QProgressDialog(m_parent);
    m_dialog->setObjectName(QStringLiteral("BatchProgressDialog"));
    m_dialog->setWindowTitle(m_title);
    m_dialog->setCancelButtonText(tr("STR_CANCEL"));
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setMinimumDuration(s_minimumDuration);
    m_dialog->setMinimumWidth(360);
    connect(m_dialog.data(), &QProgressDialog::canceled, this, &QBatchProgress_Servo::cancel);
}

void QBatchProgress_Servo::advance(int steps)
{
    m_done = qMin(m_total, m_done + qMax(0, steps));
    if (!m_dialog) {
        return;
    }
    updateLabel();
    // setValue shows the dialog once the minimum duration has passed.
    m_dialog->setValue(qMin(m_done, m_dialog->maximum()));
}

void QBatchProgress_Servo::setProgress(int done, int total)
{
    m_total = qMax(0, total);
    m_done = 0;
    if (m_dialog) {
        m_dialog->setMaximum(qMax(1, m_total));
    }
    advance(done);
}

void QBatchProgress_Servo::updateLabel()
{
    m_dialog->setLabelText(QString(m_text).arg(m_done).arg(m_total));
}

bool QBatchProgress_Servo::isShown() const
{
    return m_dialog && m_dialog->isVisible();
}

void QBatchProgress_Servo::cancel()
{
    if (m_cancelled) {
        return;
    }
    m_cancelled = true;
    emit cancelled();
}

void QBatchProgress_Servo::finish()
{
    if (!m_dialog) {
        return;
    }
    QProgressDialog* dialog = m_dialog;
    m_dialog = nullptr;
    dialog->disconnect(this);
    // A run quicker than the minimum duration leaves the dialog's show timer running, and the deletion
    // below may wait for an outer event loop: without the reset the dialog would show up later, at 100 %,
    // over whatever dialog comes next.
    dialog->reset();
    dialog->hide();
    dialog->deleteLater();
}
