// Comma-separated function-code files, read against the shipped drive models so that the values are
// also checked against their descriptions.
#include "FuzzRegistry.h"
#include "QDriveCatalogue.h"
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
} // namespace

SERVO_FUZZ_TARGET(csv)
{
    for (const bool requireMark : {true, false}) {
        QFuncodeCsvReader_Servo reader(requireMark, shippedModel);
        tagExportDevInfo_Servo info;
        if (reader.readBytes(data, &info) == 0 && !resultHolds(info)) {
            return false;
        }
    }
    return true;
}
