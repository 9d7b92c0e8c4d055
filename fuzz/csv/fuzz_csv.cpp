// Comma-separated function-code files, read against the shipped drive models so that the values are
// also checked against their descriptions.
#include "FuzzRegistry.h"
#include "QDriveCatalogue.h"
#include "QFuncodeCsvParts.h"
#include "QFuncodeCsvReader_Servo.h"

namespace {
QDriveModelPtr shippedModel(const QString& name)
{
    static QDriveCatalogue* catalogue = [] {
        auto* loaded = new QDriveCatalogue;
        loaded->loadDirectory(QDriveCatalogue::defaultDirectory());
        return loaded;
    }();
    return catalogue->model(name);
}

// What the reader accepts is a device with codes, every one of them there.
bool resultHolds(const tagExportDevInfo_Servo& info)
{
    if (info.funcodes.isEmpty()) {
        return false;
    }
    for (const tagExportFuncodePtr_Servo& funcode : info.funcodes) {
        if (!funcode) {
            return false;
        }
    }
    return true;
}

bool readHolds(const QByteArray& bytes)
{
    for (const bool requireMark : {true, false}) {
        QFuncodeCsvReader_Servo reader(requireMark, shippedModel);
        tagExportDevInfo_Servo info;
        if (reader.readBytes(bytes, &info) == 0 && !resultHolds(info)) {
            return false;
        }
    }
    return true;
}
} // namespace

// The input alone, and one input in eight also twice with empty lines between: large enough to be cut
// into parts read on two threads, each copy in a part of its own (reading 64 kB of lines costs as much as
// a hundred small inputs).
SERVO_FUZZ_TARGET(csv)
{
    if (!readHolds(data)) {
        return false;
    }
    const QByteArray gap(QFuncodeCsvParts::kMinBytes, '\n');
    return data.size() % 8 != 0 || readHolds(data + gap + data);
}
