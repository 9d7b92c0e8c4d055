// Workbooks (xlsx): every sheet of the archive read cell by cell, then the function-code reader over the
// same bytes.
#include "FuzzRegistry.h"
#include "QFuncodeXlsxFile_Servo.h"
#include "QXlsxWorkbookReader.h"

namespace {
// No row is wider than the reader's column limit, whatever the cell references say.
bool sheetsHold(QXlsxWorkbookReader& reader)
{
    bool holds = true;
    for (int sheet = 0; sheet < reader.sheetCount(); ++sheet) {
        reader.readSheet(sheet, [&holds](int, const QXlsxWorkbookReader::Cells& cells) {
            holds = holds && cells.size() <= QXlsxWorkbookReader::kMaxColumns;
            return holds;
        });
    }
    return holds;
}
} // namespace

SERVO_FUZZ_TARGET(xlsx)
{
    QXlsxWorkbookReader reader;
    if (reader.openBytes(data) == 0 && !sheetsHold(reader)) {
        return false;
    }
    QFuncodeXlsxFile_Servo file;
    tagExportDevInfo_Servo info;
    if (file.readBytes(data, &info) != 0) {
        return true;
    }
    for (const tagExportFuncodePtr_Servo& funcode : info.funcodes) {
        if (!funcode) {
            return false;
        }
    }
    return !info.funcodes.isEmpty();
}
