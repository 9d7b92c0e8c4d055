#include "QWriteNoticeLabel.h"

#include "QDeviceServo.h"
#include "QSignalManager.h"

namespace {
// Long enough to read a sentence, short enough not to outlive the edit it is about.
const int kShownMs = 8000;
} // namespace

QWriteNoticeLabel::QWriteNoticeLabel(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("WRITE_NOTICE"));
    setWordWrap(true);
    setStyleSheet(QStringLiteral("color: #b00020; background: #fff4e5; padding: 3px;"));
    hide();
    m_hide.setSingleShot(true);
    m_hide.setInterval(kShownMs);
    connect(&m_hide, &QTimer::timeout, this, &QWidget::hide);
    connect(QSignalManager::self(), &QSignalManager::SigFuncodeWriteFailed, this,
            [this](const QString&, const QString& funIndex, int axisIndex, const QString& reason) {
                showNotice(funIndex, axisIndex, reason);
            });
}

void QWriteNoticeLabel::showNotice(const QString& funIndex, int axisIndex, const QString& reason)
{
    setText(tr("STR_WRITE_NOTICE").arg(funIndex, QDeviceServo::getAxisName(axisIndex), reason));
    show();
    m_hide.start();
}

void QWriteNoticeLabel::mousePressEvent(QMouseEvent* event)
{
    Q_UNUSED(event)
    m_hide.stop();
    hide();
}
