// The libFuzzer entry of a fuzz executable: makes the application object once, silences the logs and
// hands every input to the one target linked in. An entry that reports a broken promise aborts, which
// libFuzzer records as a crash with the input that caused it.
#include "FuzzRegistry.h"
#include "QLibLogger.h"

#ifdef SERVO_FUZZ_GUI
#include <QApplication>
using FuzzApplication = QApplication;
#else
#include <QCoreApplication>
using FuzzApplication = QCoreApplication;
#endif

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static FuzzApplication app(*argc, *argv);
    qInstallMessageHandler(dropMessage);
    QLibLogger::self()->getDefaultLogger().setLogLevel(log4cplus::OFF_LOG_LEVEL);
    if (FuzzRegistry::targets().size() != 1) {
        std::fprintf(stderr, "A fuzz executable must register exactly one target.\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    if (!FuzzRegistry::targets().constFirst().entry(input)) {
        std::fprintf(stderr, "The reader broke a promise on this input.\n");
        std::abort();
    }
    return 0;
}
