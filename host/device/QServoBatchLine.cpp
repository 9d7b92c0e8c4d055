#include "QServoBatchLine.h"

#include "QServoBatchTransfer.h"

#include <QPointer>
#include <QTimer>
#include <algorithm>

QServoBatchLine::QServoBatchLine(QObject* parent) : QObject(parent) {}

QServoBatchLine::~QServoBatchLine() = default;

void QServoBatchLine::setConcurrency(int drives)
{
    m_concurrency = qBound(1, drives, kMaxConcurrency);
}

bool QServoBatchLine::start(const QStringList& aliases,
                            const QMap<QString, tagExportFuncodePtr_Servo>& records, bool bAllAxis, int axis)
{
    if (!isFinished()) {
        return false;
    }
    m_aliases = aliases;
    m_records = records;
    m_allAxis = bAllAxis;
    m_axis = axis;
    m_next = 0;
    m_finished = 0;
    m_failed.clear();
    m_announced = false;
    startMore();
    return true;
}

void QServoBatchLine::stop()
{
    m_next = m_aliases.size();
    m_announced = true;
    for (const auto& transfer : m_running) {
        transfer->stop();
    }
    m_running.clear();
}

void QServoBatchLine::startMore()
{
    QPointer<QServoBatchLine> guard(this);
    while (guard && int(m_running.size()) < m_concurrency && m_next < m_aliases.size()) {
        const QString alias = m_aliases.at(m_next++);
        auto transfer = std::make_unique<QServoBatchTransfer>();
        QServoBatchTransfer* raw = transfer.get();
        connect(raw, &QServoBatchTransfer::finished, this,
                [this, raw](bool succeeded) { onTransferFinished(raw, succeeded); });
        m_running.push_back(std::move(transfer));
        emit driveStarted(alias);
        // A drive that cannot start (no such drive) ends here; one that refuses ends through finished().
        if (guard && !raw->start(alias, m_records, m_allAxis, m_axis)) {
            onTransferFinished(raw, false);
        }
    }
    if (guard && isFinished() && !m_announced) {
        m_announced = true;
        emit finished(m_failed.isEmpty());
    }
}

void QServoBatchLine::onTransferFinished(QServoBatchTransfer* transfer, bool succeeded)
{
    const auto it = std::find_if(m_running.begin(), m_running.end(),
                                 [transfer](const auto& running) { return running.get() == transfer; });
    if (it == m_running.end()) {
        return;
    }
    const QString alias =
        transfer->aliasName().isEmpty() ? m_aliases.value(m_next - 1) : transfer->aliasName();
    // The transfer is inside its own signal: it goes once that has returned.
    it->release()->deleteLater();
    m_running.erase(it);
    ++m_finished;
    if (!succeeded) {
        m_failed.append(alias);
    }
    QPointer<QServoBatchLine> guard(this);
    emit driveFinished(alias, succeeded);
    if (guard) {
        // The next drive starts from the event loop, not from inside the signal that ended this one.
        QTimer::singleShot(0, this, &QServoBatchLine::startMore);
    }
}
