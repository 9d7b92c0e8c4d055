#include "QServoBatchDownloadHelper.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QProjectCore.h"

QServoBatchDownloadHelper::QServoBatchDownloadHelper(QObject* parent)
    : QObject(parent), m_transfer(new QServoBatchTransfer(this))
{
    connect(m_transfer, &QServoBatchTransfer::finished, this, &QServoBatchDownloadHelper::sigFinishWrite);
    connect(m_transfer, &QServoBatchTransfer::progressChanged, this,
            &QServoBatchDownloadHelper::sigProgressValue);
}

QServoBatchDownloadHelper::~QServoBatchDownloadHelper() = default;

void QServoBatchDownloadHelper::startWrite(const QString& aliasName,
                                           const QMap<QString, tagExportFuncodePtr_Servo>& records,
                                           bool bRecompute)
{
    const QDeviceServo* dev = QProjectCore::self()->getDevMgr()->getDeviceServo(aliasName);
    if (!dev) {
        m_errorText = tr("STR_NO_EXIST_DEVICE");
        return;
    }
    m_records.clear();
    // A copy: recomputing must not change the caller's records.
    for (auto it = records.cbegin(); it != records.cend(); ++it) {
        if (it.value()) {
            m_records.insert(it.key(), tagExportFuncodePtr_Servo::create(*it.value()));
        }
    }
    if (bRecompute) {
        recompute(dev, m_records);
    }
    m_errorText.clear();
    m_transfer->start(aliasName, m_records, true, QDeviceServo::AXIS_X);
}

void QServoBatchDownloadHelper::recompute(const QDeviceServo* dev,
                                          const QMap<QString, tagExportFuncodePtr_Servo>& records)
{
    for (const tagExportFuncodePtr_Servo& record : records) {
        const int texts = qMin(record->valueTexts.size(), 3);
        for (int axis = 0; axis < texts; ++axis) {
            bool ok = false;
            const qint64 raw =
                dev->getRawValueByScaledValStr(record->funIndex, record->valueTexts.at(axis), &ok);
            if (ok && raw != record->curValue[static_cast<size_t>(axis)]) {
                record->curValue[static_cast<size_t>(axis)] = raw;
            }
        }
    }
}

void QServoBatchDownloadHelper::stop()
{
    m_transfer->stop();
}

void QServoBatchDownloadHelper::slotOnReadReply(QString aliasName, int addr, int len, bool bSucceed)
{
    Q_UNUSED(addr)
    Q_UNUSED(bSucceed)
    m_transfer->onReadReply(aliasName, len);
}

void QServoBatchDownloadHelper::slotOnWriteReply(QString aliasName, int addr, int len, bool bSucceed)
{
    Q_UNUSED(addr)
    Q_UNUSED(bSucceed)
    m_transfer->onWriteReply(aliasName, len);
}

void QServoBatchDownloadHelper::slotReadFinished(QString aliasName, int val)
{
    Q_UNUSED(val)
    m_transfer->onReadFinished(aliasName);
}

void QServoBatchDownloadHelper::soltWriteFinished(QString aliasName, int val)
{
    Q_UNUSED(val)
    m_transfer->onWriteFinished(aliasName);
}

void QServoBatchDownloadHelper::slotDevStatus(QString aliasName, int iStatus)
{
    m_transfer->onDevStatus(aliasName, iStatus);
}
