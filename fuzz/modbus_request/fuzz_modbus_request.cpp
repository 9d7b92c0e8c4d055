// Bytes a simulated drive receives on its Modbus front ends: cut into TCP and RTU request frames, and every
// frame handed to the drive's server. Each step takes bytes or waits for more (the reader never stalls
// on a buffer it could shorten), and every reply fits one frame.
#include "FuzzRegistry.h"
#include "QDriveModel.h"
#include "QModbusDriveServer.h"
#include "QModbusFrameCodec.h"

namespace {
const char kModel[] = R"({"format": 1, "model": "FZ", "axisNum": 2, "groups": [
 {"name": {"en": "P0 Mixed", "zh_CN": "P0 Mixed（中）"}, "codes": [
  {"index": "P0.00", "name": {"en": "a", "zh_CN": "a（中）"}, "showType": 0, "min": "-100", "max": "100", "default": "1", "rw": 1, "dataType": 3},
  {"index": "P0.01", "name": {"en": "b", "zh_CN": "b（中）"}, "showType": 0, "min": "0", "max": "60000", "default": "1", "rw": 0, "dataType": 4},
  {"index": "P0.02", "name": {"en": "c", "zh_CN": "c（中）"}, "showType": 0, "min": "-100000", "max": "100000", "default": "1", "rw": 1, "dataType": 7},
  {"index": "P0.03", "name": {"en": "d", "zh_CN": "d（中）"}, "showType": 0, "min": "0", "max": "100000", "default": "1", "rw": 1, "dataType": 15}]}]})";

QModbusDriveServer& server()
{
    static QModbusDriveServer drives;
    if (drives.drives().isEmpty()) {
        drives.addDrive(QDriveModel::fromJson(QByteArray(kModel), nullptr), 1);
    }
    return drives;
}

using Taker = QModbusFrameCodec::enResult (*)(QByteArray*, QModbusFrameCodec::Request*);

// tcp: garbage ends the connection, so the bytes after it are never read.
bool framesHold(QByteArray buffer, Taker take, bool tcp)
{
    for (;;) {
        const int before = buffer.size();
        QModbusFrameCodec::Request request;
        const QModbusFrameCodec::enResult result = take(&buffer, &request);
        if (result == QModbusFrameCodec::NeedMore) {
            return buffer.size() == before;
        }
        if (result == QModbusFrameCodec::Garbage && tcp) {
            return true;
        }
        if (buffer.size() >= before) {
            return false; // a frame or garbage must use up bytes
        }
        if (result != QModbusFrameCodec::Frame) {
            continue;
        }
        const QModbusDriveServer::Reply reply = server().handle(request.unit, request.pdu);
        if (reply.pdu.size() > QModbusFrameCodec::kMaxPdu) {
            return false;
        }
    }
}
} // namespace

SERVO_FUZZ_TARGET(modbus_request)
{
    return framesHold(data, &QModbusFrameCodec::takeTcpRequest, true) &&
           framesHold(data, &QModbusFrameCodec::takeRtuRequest, false);
}
