#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>
#include <QTemporaryDir>

#include <zip.h>

// Builds zip archives by hand with minizip, as another program would write them.
namespace ZipFixture {

typedef QList<QPair<QString, QByteArray>> Entries;

inline bool makeZip(const QString& path, const Entries& entries)
{
    QFile::remove(path);
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    if (!zip) {
        return false;
    }
    bool ok = true;
    for (const auto& entry : entries) {
        zip_fileinfo info = {};
        ok = ok &&
             zipOpenNewFileInZip(zip, entry.first.toUtf8().constData(), &info, nullptr, 0, nullptr, 0,
                                 nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION) == ZIP_OK &&
             zipWriteInFileInZip(zip, entry.second.constData(), static_cast<unsigned>(entry.second.size())) ==
                 ZIP_OK &&
             zipCloseFileInZip(zip) == ZIP_OK;
    }
    return zipClose(zip, nullptr) == ZIP_OK && ok;
}

const QByteArray kXmlDeclaration = "<?xml version=\"1.0\"?>";
const QByteArray kRelationshipTypes = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const QByteArray kSpreadsheet = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const QByteArray kSheetStart = kXmlDeclaration + "<worksheet xmlns=\"" + kSpreadsheet + "\"><sheetData>";
const QByteArray kSheetEnd = "</sheetData></worksheet>";

// A relationships part; each relationship is {id, type (last part of its name), target}.
inline QByteArray relationships(const QList<QByteArrayList>& list)
{
    QByteArray xml = kXmlDeclaration +
                     "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (const QByteArrayList& r : list) {
        xml += "<Relationship Id=\"" + r.at(0) + "\" Type=\"" + kRelationshipTypes + '/' + r.at(1) +
               "\" Target=\"" + r.at(2) + "\"/>";
    }
    return xml + "</Relationships>";
}

// The parts every workbook has, around the given sheet and shared strings (the reader takes no content
// types), the workbook in a namespace prefix of its own and the code sheet named by an absolute target.
inline Entries workbookParts(const QByteArray& sheetXml, const QByteArray& sharedStringsXml)
{
    return {{"_rels/.rels", relationships({{"rId1", "officeDocument", "xl/workbook.xml"}})},
            {"xl/workbook.xml",
             kXmlDeclaration + "<x:workbook xmlns:x=\"" + kSpreadsheet + "\" xmlns:r=\"" +
                 kRelationshipTypes +
                 "\"><x:sheets><x:sheet name=\"Notes\" sheetId=\"1\" r:id=\"rId7\"/><x:sheet name=\"Codes\" "
                 "sheetId=\"2\" r:id=\"rId8\"/></x:sheets></x:workbook>"},
            {"xl/_rels/workbook.xml.rels", relationships({{"rId7", "worksheet", "worksheets/notes.xml"},
                                                          {"rId8", "worksheet", "/xl/worksheets/codes.xml"},
                                                          {"rId9", "sharedStrings", "strings.xml"}})},
            {"xl/worksheets/notes.xml",
             kSheetStart + "<row><c t=\"inlineStr\"><is><t>A note</t></is></c></row>" + kSheetEnd},
            {"xl/worksheets/codes.xml", sheetXml},
            {"xl/strings.xml", sharedStringsXml}};
}

// The bytes of such an archive.
inline QByteArray zipBytes(const Entries& entries)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("archive.zip"));
    return makeZip(file.fileName(), entries) && file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                               : QByteArray();
}

inline QByteArray sharedStrings(const QList<QByteArray>& items)
{
    QByteArray xml = kXmlDeclaration + "<sst xmlns=\"" + kSpreadsheet + "\">";
    for (const QByteArray& item : items) {
        xml += "<si>" + item + "</si>";
    }
    return xml + "</sst>";
}

inline QByteArray inlineCell(const QByteArray& text)
{
    return "<c t=\"inlineStr\"><is><t xml:space=\"preserve\">" + text + "</t></is></c>";
}

inline QByteArray numberCell(const QByteArray& value)
{
    return "<c><v>" + value + "</v></c>";
}

// The two codes of the comma-separated files of the suites on the second sheet, as another program writes
// them: the import mark as formatted runs of a shared string, inline strings, numbers in other notations,
// rows and cells without references, a cell reached by reference only.
inline QByteArray foreignCodeSheet()
{
    QByteArray rows;
    rows += "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>";
    rows += "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>1</v></c><c r=\"B2\"><v>3</v></c>" +
            inlineCell("Simulated") + "</row>";
    rows += "<row r=\"3\">" + inlineCell("CANopen") + inlineCell("USB") + "</row>";
    rows += "<row>" + numberCell("131072") + numberCell("0") + inlineCell("P00 Basic") +
            inlineCell("P00.00") + "<c t=\"s\"><v>2</v></c>" + numberCell("0") + numberCell("4") +
            numberCell("3") + numberCell("1") + numberCell("3") + numberCell("5") +
            "<c t=\"s\"><v>3</v></c>" + inlineCell("3:80 mm flange, 750 W, 2500 rpm") +
            "<c t=\"str\"><f>CONCAT(\"5:130\",\"\")</f><v>5:130 mm flange, 1 kW, 2000 rpm</v></c></row>";
    rows += "<row>" + numberCell("1.31073E5") + numberCell("1") + inlineCell("P00 Basic") +
            inlineCell("P00.01") + inlineCell("Rated current, peak,") + numberCell("0") + numberCell("4") +
            numberCell("3") + numberCell("1.5E2") + numberCell("151") + numberCell("152") +
            numberCell("1.5") + numberCell("1.51") + "<c r=\"N5\"><v>1.52</v></c></row>";
    rows += "<row r=\"7\"></row>";
    return kSheetStart + rows + kSheetEnd;
}

inline QList<QByteArray> foreignStringItems()
{
    return {"<r><rPr><b/></rPr><t>Function-code file</t></r><r><t xml:space=\"preserve\"> for "
            "import_9786345324_</t></r><rPh><t>x</t></rPh>",
            "<t>FCM3_1.00</t>", "<t>Motor type, frame, power</t>", "<t>1:60 mm flange, 200 W, 3000 rpm</t>"};
}

inline Entries foreignWorkbook()
{
    return workbookParts(foreignCodeSheet(), sharedStrings(foreignStringItems()));
}

} // namespace ZipFixture
