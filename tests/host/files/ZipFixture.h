#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>

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

// The parts every workbook has, around the given sheet and shared strings.
inline Entries workbookParts(const QByteArray& sheetXml, const QByteArray& sharedStringsXml)
{
    Entries entries;
    entries.append(qMakePair<QString, QByteArray>(
        "[Content_Types].xml",
        "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
        "content-types\"/>"));
    entries.append(qMakePair<QString, QByteArray>(
        "_rels/.rels",
        "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/"
        "2006/relationships\"><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
        "officeDocument/2006/relationships/officeDocument\" Target=\"xl/workbook.xml\"/>"
        "</Relationships>"));
    entries.append(qMakePair<QString, QByteArray>(
        "xl/workbook.xml",
        "<?xml version=\"1.0\"?><x:workbook xmlns:x=\"http://schemas.openxmlformats.org/"
        "spreadsheetml/2006/main\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships\"><x:sheets><x:sheet name=\"Notes\" sheetId=\"1\" r:id=\"rId7\"/>"
        "<x:sheet name=\"Codes\" sheetId=\"2\" r:id=\"rId8\"/></x:sheets></x:workbook>"));
    entries.append(qMakePair<QString, QByteArray>(
        "xl/_rels/workbook.xml.rels",
        "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/"
        "2006/relationships\"><Relationship Id=\"rId7\" Type=\"http://schemas.openxmlformats.org/"
        "officeDocument/2006/relationships/worksheet\" Target=\"worksheets/notes.xml\"/>"
        "<Relationship Id=\"rId8\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/worksheet\" Target=\"/xl/worksheets/codes.xml\"/>"
        "<Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/sharedStrings\" Target=\"strings.xml\"/></Relationships>"));
    entries.append(qMakePair<QString, QByteArray>(
        "xl/worksheets/notes.xml",
        "<?xml version=\"1.0\"?><worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/"
        "2006/main\"><sheetData><row><c t=\"inlineStr\"><is><t>A note</t></is></c></row>"
        "</sheetData></worksheet>"));
    entries.append(qMakePair<QString, QByteArray>("xl/worksheets/codes.xml", sheetXml));
    entries.append(qMakePair<QString, QByteArray>("xl/strings.xml", sharedStringsXml));
    return entries;
}

} // namespace ZipFixture
