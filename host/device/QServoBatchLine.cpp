#include "QServoBatchLine.h"

#include "QServoBatchDriveSteps.h"
#include "QServoBatchTransfer.h"

#include <QPointer>
#include <QTimer>
#include <algorithm>

struct QServoBatchLine::Drive
{
    QString alias;
    QString bus;
    QMap<QString, tagExportFuncodePtr_Servo> records;
    std::unique_ptr<QServoBatchTransfer> transfer;
    bool transferSucceeded = false;
};

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
    static QServoBatchDriveSteps defaults;
    const QServoBatchDriveSteps* steps = m_steps ? m_steps : &defaults;
    m_busOf.clear();
    for (const QString& alias : aliases) {
        m_busOf.insert(alias, steps->busOf(alias));
    }
    m_pending = aliases;
    m_records = records;
    m_allAxis = bAllAxis;
    m_axis = axis;
    m_finished = 0;
    m_failed.clear();
    m_errors.clear();
    m_busyBuses.clear();
    m_announced = false;
    ++m_run;
    startMore();
    announceIfDone();
    return true;
}

void QServoBatchLine::stop()
{
    m_pending.clear();
    m_queue.clear();
    m_busyBuses.clear();
    m_announced = true;
    for (const auto& drive : m_running) {
        if (drive->transfer) {
            drive->transfer->stop();
        }
    }
    // A step waiting for its drive finds the drive gone when it returns.
    m_running.clear();
}

QStringList QServoBatchLine::runningDrives() const
{
    QStringList aliases;
    for (const auto& drive : m_running) {
        aliases << drive->alias;
    }
    return aliases;
}

const QServoBatchTransfer* QServoBatchLine::transferOf(const QString& aliasName) const
{
    const Drive* drive = find(aliasName);
    return drive ? drive->transfer.get() : nullptr;
}

QServoBatchLine::Drive* QServoBatchLine::find(const QString& alias) const
{
    const auto it = std::find_if(m_running.begin(), m_running.end(),
                                 [&alias](const auto& drive) { return drive->alias == alias; });
    return it == m_running.end() ? nullptr : it->get();
}

// ---------------------------------------------------------------- starting drives

// The first waiting drives whose wires are free, in the order given.
void QServoBatchLine::startMore()
{
    for (int i = 0; i < m_pending.size() && int(m_running.size()) < m_concurrency;) {
        const QString bus = m_busOf.value(m_pending.at(i));
        if (!bus.isEmpty() && m_busyBuses.contains(bus)) {
            ++i;
            continue;
        }
        startDrive(m_pending.takeAt(i));
    }
}

void QServoBatchLine::startDrive(const QString& alias)
{
    auto drive = std::make_unique<Drive>();
    drive->alias = alias;
    drive->bus = m_busOf.value(alias);
    if (!m_steps) {
        drive->records = m_records;
    } else {
        // The drive's own copy: its steps may turn the values into its own raw values.
        for (auto it = m_records.cbegin(); it != m_records.cend(); ++it) {
            if (it.value()) {
                drive->records.insert(it.key(), tagExportFuncodePtr_Servo::create(*it.value()));
            }
        }
    }
    if (!drive->bus.isEmpty()) {
        m_busyBuses.insert(drive->bus);
    }
    m_running.push_back(std::move(drive));
    m_queue.append({alias, STEP_PREPARE});
    schedulePump();
    emit driveStarted(alias);
}

// ---------------------------------------------------------------- steps, one at a time

void QServoBatchLine::schedulePump()
{
    if (m_pumpScheduled) {
        return;
    }
    m_pumpScheduled = true;
    QTimer::singleShot(0, this, &QServoBatchLine::pump);
}

// Runs from the event loop, outside every drive's signals. A step that waits for its drive runs the event
// loop: a pump that comes meanwhile leaves the other steps queued until it has returned.
void QServoBatchLine::pump()
{
    m_pumpScheduled = false;
    QPointer<QServoBatchLine> guard(this);
    while (guard && !m_inStep && !m_queue.isEmpty()) {
        const Step step = m_queue.takeFirst();
        if (!find(step.alias)) {
            continue;
        }
        if (step.kind == STEP_PREPARE) {
            prepare(step.alias);
        } else {
            complete(step.alias);
        }
    }
}

void QServoBatchLine::prepare(const QString& alias)
{
    QString error;
    bool ready = true;
    if (m_steps) {
        QPointer<QServoBatchLine> guard(this);
        const int run = m_run;
        m_inStep = true;
        ready = m_steps->prepare(alias, &find(alias)->records, &error);
        if (!guard) {
            return;
        }
        m_inStep = false;
        schedulePump();
        if (run != m_run) {
            return; // stopped meanwhile, and another run began
        }
    }
    Drive* drive = find(alias);
    if (!drive) {
        return; // stopped meanwhile
    }
    if (!ready) {
        endDrive(alias, false, error);
        return;
    }
    startTransfer(drive);
}

void QServoBatchLine::startTransfer(Drive* drive)
{
    drive->transfer = std::make_unique<QServoBatchTransfer>();
    QServoBatchTransfer* transfer = drive->transfer.get();
    const QString alias = drive->alias;
    connect(transfer, &QServoBatchTransfer::progressChanged, this,
            [this, alias](int done, int total) { emit driveProgress(alias, done, total); });
    // The verdict is taken from inside the transfer's signal: the drive ends from the event loop.
    connect(transfer, &QServoBatchTransfer::finished, this, [this, alias, transfer](bool succeeded) {
        Drive* drive = find(alias);
        if (drive && drive->transfer.get() == transfer) {
            drive->transferSucceeded = succeeded;
            m_queue.append({alias, STEP_COMPLETE});
            schedulePump();
        }
    });
    QPointer<QServoBatchLine> guard(this);
    const bool started = transfer->start(alias, drive->records, m_allAxis, m_axis);
    if (guard && !started && find(alias)) {
        endDrive(alias, false, transfer->errorText());
    }
}

void QServoBatchLine::complete(const QString& alias)
{
    bool succeeded = find(alias)->transferSucceeded;
    QString error;
    if (succeeded && m_steps) {
        QPointer<QServoBatchLine> guard(this);
        const int run = m_run;
        m_inStep = true;
        succeeded = m_steps->complete(alias, &error);
        if (!guard) {
            return;
        }
        m_inStep = false;
        schedulePump();
        if (run != m_run || !find(alias)) {
            return;
        }
    }
    const QServoBatchTransfer* transfer = transferOf(alias);
    if (error.isEmpty() && transfer) {
        error = transfer->errorText();
    }
    endDrive(alias, succeeded, error);
}

// ---------------------------------------------------------------- ending drives

void QServoBatchLine::endDrive(const QString& alias, bool succeeded, const QString& error)
{
    ++m_finished;
    if (!succeeded) {
        m_failed.append(alias);
    }
    if (!error.isEmpty()) {
        m_errors.insert(alias, error);
    }
    QPointer<QServoBatchLine> guard(this);
    emit driveFinished(alias, succeeded);
    if (!guard) {
        return;
    }
    const auto it = std::find_if(m_running.begin(), m_running.end(),
                                 [&alias](const auto& drive) { return drive->alias == alias; });
    if (it == m_running.end()) {
        return; // stopped from the signal
    }
    m_busyBuses.remove((*it)->bus);
    m_running.erase(it);
    startMore();
    announceIfDone();
}

void QServoBatchLine::announceIfDone()
{
    if (!isFinished() || m_announced) {
        return;
    }
    m_announced = true;
    emit finished(m_failed.isEmpty());
}
