// Workbooks (xlsx): every sheet of the archive read cell by cell, then the function-code reader over the
// same bytes. Bytes that are no archive are also scanned as the XML of a part, so that mutations reach the
// scanner without passing through the compression of an archive.
#include "FuzzRegistry.h"
#include "QFuncodeXlsxFile_Servo.h"
#include "QXlsxWorkbookReader.h"
#include "QXlsxXmlScanner.h"

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

// The scanner ends at the end of the document or fails with a reason, whatever the bytes.
bool scanEnds(const QByteArray& data)
{
    QXlsxXmlScanner xml(data);
    QString item;
    QXlsxXmlScanner::Span text;
    for (QXlsxXmlScanner::Token token = xml.next(); token != QXlsxXmlScanner::END_OF_DOCUMENT;
         token = xml.next()) {
        if (token == QXlsxXmlScanner::INVALID) {
            return !xml.errorDetail().isEmpty();
        }
        if (token == QXlsxXmlScanner::START_ELEMENT && xml.isElement("si")) {
            xml.appendStringItem(&item);
        } else if (token == QXlsxXmlScanner::START_ELEMENT && xml.isElement("v")) {
            xml.readElementText(&text);
        }
    }
    return true;
}
} // namespace

SERVO_FUZZ_TARGET(xlsx)
{
    if (!data.startsWith("PK") && !scanEnds(data)) {
        return false;
    }
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
