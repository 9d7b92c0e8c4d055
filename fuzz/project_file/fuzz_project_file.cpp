// Project files (*.servoproj): every entry the reader accepts is one a device can be made from, with its
// numbers in range; every refusal and every skipped entry comes with a message.
#include "FuzzRegistry.h"
#include "QProjectFileReader.h"

namespace {
bool entryHolds(const tagProjectDevice& device)
{
    if (device.model.isEmpty() || device.entry < 1) {
        return false;
    }
    if (device.hasTimeout && (device.timeoutMs < QProjectFileReader::kMinTimeoutMs ||
                              device.timeoutMs > QProjectFileReader::kMaxTimeoutMs)) {
        return false;
    }
    if (device.hasRefreshInterval &&
        (device.refreshInterval < 0 || device.refreshInterval > QProjectFileReader::kMaxRefreshIntervalMs)) {
        return false;
    }
    return !device.hasReplyDelay ||
           (device.replyDelayMs >= 0 && device.replyDelayMs <= QProjectFileReader::kMaxReplyDelayMs);
}
} // namespace

SERVO_FUZZ_TARGET(project_file)
{
    QProjectFileReader reader;
    if (!reader.read(data, QStringLiteral("fuzz.servoproj"))) {
        return !reader.error().isEmpty();
    }
    for (const QString& problem : reader.problems()) {
        if (problem.isEmpty()) {
            return false;
        }
    }
    for (const tagProjectDevice& device : reader.devices()) {
        if (!entryHolds(device)) {
            return false;
        }
    }
    return true;
}
