#include "QXlsxWorkbookWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <zip.h>

namespace {
const int kMaxTextLength = 32767; // the longest text a cell may hold
const int kMaxRows = 1048576;
const int kMaxColumns = 16384;
const qint64 kMaxExactInteger = 9007199254740992LL; // 2^53: every integer up to it is exact as a double
// The sheet's XML goes to the archive in pieces of this size, so that a sheet is never held whole.
const int kFlushBytes = 1 << 16;
// Deflate's fastest level: a function-code sheet is repetitive XML that level 1 already shrinks about
// tenfold, and the default level costs four times the time for a few per cent.
const int kCompressionLevel = 1;

bool isNumber(const QVariant& value, double* number)
{
    switch (static_cast<QMetaType::Type>(value.type())) {
    case QMetaType::Int:
    case QMetaType::UInt:
        *number = value.toDouble();
        return true;
    case QMetaType::LongLong: // judged as an integer: 2^53 + 1 becomes 2^53 as a double
        *number = value.toDouble();
        return value.toLongLong() >= -kMaxExactInteger && value.toLongLong() <= kMaxExactInteger;
    case QMetaType::ULongLong:
        *number = value.toDouble();
        return value.toULongLong() <= kMaxExactInteger;
    case QMetaType::Double:
        *number = value.toDouble();
        return std::isfinite(*number) && std::fabs(*number) <= double(kMaxExactInteger);
    default:
        return false;
    }
}

// Text width in character units: wide (East Asian) characters count twice.
int textWidth(const QString& text)
{
    int width = 0;
    for (const QChar c : text) {
        width += c.unicode() >= 0x1100 ? 2 : 1;
    }
    return width;
}

// Integers (the most cells of a function-code sheet) are measured without making their text.
int cellWidth(const QVariant& value)
{
    switch (static_cast<QMetaType::Type>(value.type())) {
    case QMetaType::Int:
    case QMetaType::LongLong: {
        const qint64 number = value.toLongLong();
        quint64 magnitude = number < 0 ? quint64(0) - quint64(number) : quint64(number);
        int width = number < 0 ? 2 : 1;
        while (magnitude >= 10) {
            magnitude /= 10;
            ++width;
        }
        return width;
    }
    case QMetaType::QString:
        return textWidth(*static_cast<const QString*>(value.constData()));
    default:
        return textWidth(value.toString());
    }
}

QList<int> columnWidths(const QXlsxWorkbookWriter::Rows& rows, int headerRow)
{
    QList<int> widths;
    for (int r = 0; r < rows.size(); ++r) {
        // Rows above the header (the import mark of a function-code sheet) may run into empty cells.
        if (r < headerRow) {
            continue;
        }
        const QVariantList& row = rows.at(r);
        for (int c = 0; c < row.size() && c < kMaxColumns; ++c) {
            while (widths.size() <= c) {
                widths.append(6);
            }
            widths[c] = qMax(widths.at(c), cellWidth(row.at(c)) + 2);
        }
    }
    for (int& width : widths) {
        width = qMin(width, 60);
    }
    return widths;
}

// Escapes text for XML content or a double-quoted attribute. Characters XML 1.0 cannot hold (controls but
// tab and line feed) are written in the workbook's own escape, _xHHHH_.
void appendEscaped(QByteArray* xml, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        switch (c) {
        case '&':
            xml->append("&amp;");
            break;
        case '<':
            xml->append("&lt;");
            break;
        case '>':
            xml->append("&gt;");
            break;
        case '"':
            xml->append("&quot;");
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') {
                char escape[8];
                std::snprintf(escape, sizeof escape, "_x%04X_", static_cast<unsigned char>(c));
                xml->append(escape);
            } else {
                xml->append(c);
            }
        }
    }
}

// "A1"-style reference of a cell.
void appendReference(QByteArray* xml, int row, int column)
{
    char letters[4];
    int count = 0;
    for (int c = column + 1; c > 0; c = (c - 1) / 26) {
        letters[count++] = static_cast<char>('A' + (c - 1) % 26);
    }
    while (count > 0) {
        xml->append(letters[--count]);
    }
    xml->append(QByteArray::number(row + 1));
}

// The shortest text that reads back as the same double, whatever the program's locale is.
void appendNumber(QByteArray* xml, double number)
{
    char digits[32];
    const std::to_chars_result result = std::to_chars(digits, digits + sizeof digits, number);
    xml->append(digits, static_cast<int>(result.ptr - digits));
}

void appendCell(QByteArray* xml, int row, int column, const QVariant& value, bool bold)
{
    double number = 0;
    const bool numeric = isNumber(value, &number);
    const QString text = numeric                            ? QString()
                         : value.type() == QVariant::String ? *static_cast<const QString*>(value.constData())
                                                            : value.toString();
    if (!numeric && text.isEmpty()) {
        return;
    }
    xml->append("<c r=\"");
    appendReference(xml, row, column);
    xml->append(bold ? "\" s=\"1\"" : "\"");
    if (numeric) {
        xml->append("><v>");
        appendNumber(xml, number);
        xml->append("</v></c>");
        return;
    }
    xml->append(" t=\"inlineStr\"><is><t xml:space=\"preserve\">");
    appendEscaped(xml, text.left(kMaxTextLength));
    xml->append("</t></is></c>");
}

const char kContentTypesHead[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>";

const char kPackageRels[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/></Relationships>";

// Style 0 is the default cell, style 1 the bold header.
const char kStyles[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<fonts count=\"2\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
    "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font></fonts>"
    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
    "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
    "<cellXfs count=\"2\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
    "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/></cellXfs>"
    "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
    "</styleSheet>";

const char kSheetHead[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                          "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                          "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">";

// One part of the archive being written: opened on construction, closed by close().
class ZipPart
{
public:
    ZipPart(zipFile zip, const char* name) : m_zip(zip)
    {
        zip_fileinfo info = {};
        info.tmz_date.tm_year =
            1980; // the archive's earliest date: a workbook's parts carry no time of their own
        info.tmz_date.tm_mday = 1;
        m_ok = zipOpenNewFileInZip64(zip, name, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                     kCompressionLevel, 0) == ZIP_OK;
    }
    ZipPart(const ZipPart&) = delete;
    ZipPart& operator=(const ZipPart&) = delete;

    bool write(const QByteArray& bytes)
    {
        m_ok = m_ok &&
               (bytes.isEmpty() ||
                zipWriteInFileInZip(m_zip, bytes.constData(), static_cast<unsigned>(bytes.size())) == ZIP_OK);
        return m_ok;
    }
    // Writes what xml holds once it is large, and empties it.
    bool flush(QByteArray* xml, bool always)
    {
        if (!always && xml->size() < kFlushBytes) {
            return m_ok;
        }
        write(*xml);
        xml->clear();
        return m_ok;
    }
    bool close() { return (zipCloseFileInZip(m_zip) == ZIP_OK) && m_ok; }

private:
    zipFile m_zip;
    bool m_ok = false;
};

bool writePart(zipFile zip, const char* name, const QByteArray& bytes)
{
    ZipPart part(zip, name);
    part.write(bytes);
    return part.close();
}

QByteArray sheetStart(const QList<int>& widths, int headerRow)
{
    QByteArray xml(kSheetHead);
    if (headerRow >= 0) {
        // The rows down to the header stay in view while the rest scrolls.
        QByteArray topLeft;
        appendReference(&topLeft, headerRow + 1, 0);
        xml += "<sheetViews><sheetView workbookViewId=\"0\"><pane ySplit=\"" +
               QByteArray::number(headerRow + 1) + "\" topLeftCell=\"" + topLeft +
               "\" activePane=\"bottomLeft\" state=\"frozen\"/>"
               "<selection pane=\"bottomLeft\"/></sheetView></sheetViews>";
    }
    xml += "<sheetFormatPr defaultRowHeight=\"15\"/>";
    if (!widths.isEmpty()) {
        xml += "<cols>";
        for (int c = 0; c < widths.size(); ++c) {
            // Widths in characters as a spreadsheet counts them, with its padding of five pixels.
            const QByteArray column = QByteArray::number(c + 1);
            xml += "<col min=\"" + column + "\" max=\"" + column + "\" width=\"" +
                   QByteArray::number(widths.at(c) + 0.7109375, 'f', 7) + "\" customWidth=\"1\"/>";
        }
        xml += "</cols>";
    }
    xml += "<sheetData>";
    return xml;
}
} // namespace

void QXlsxWorkbookWriter::addSheet(const QString& name, const Rows& rows, int headerRow)
{
    Sheet sheet;
    sheet.name = name;
    sheet.rows = rows;
    sheet.headerRow = headerRow;
    m_sheets.append(sheet);
}

QString QXlsxWorkbookWriter::sheetName(const QString& wanted, const QStringList& used)
{
    QString base = wanted;
    for (const QChar c : QStringLiteral("[]:*?/\\")) {
        base.replace(c, QLatin1Char('_'));
    }
    base = base.trimmed();
    while (base.startsWith(QLatin1Char('\'')) || base.endsWith(QLatin1Char('\''))) {
        base = base.startsWith(QLatin1Char('\'')) ? base.mid(1) : base.left(base.size() - 1);
    }
    if (base.isEmpty()) {
        base = QStringLiteral("Sheet%1").arg(used.size() + 1);
    }
    QString name = base.left(31);
    for (int n = 2; used.contains(name, Qt::CaseInsensitive); ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        name = base.left(31 - suffix.size()) + suffix;
    }
    return name;
}

bool QXlsxWorkbookWriter::write(const QString& path, QString* error) const
{
    if (path.isEmpty() || QFileInfo(path).isDir()) {
        *error = tr("STR_XLSX_BAD_TARGET").arg(path);
        return false;
    }
    const QString temporary = temporaryPathFor(path);
    if (!writeWorkbook(temporary, error)) {
        QFile::remove(temporary);
        return false;
    }
    const bool placed = moveIntoPlace(temporary, path);
    QFile::remove(temporary);
    if (!placed) {
        *error = tr("STR_XLSX_CANNOT_REPLACE").arg(path);
    }
    return placed;
}

// The finished workbook goes into place through QSaveFile, which replaces an existing file on every
// platform (a plain rename does not everywhere) and leaves it untouched when anything fails.
bool QXlsxWorkbookWriter::moveIntoPlace(const QString& temporary, const QString& path)
{
    QFile source(temporary);
    QSaveFile target(path);
    if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly)) {
        return false;
    }
    const qint64 chunk = 1 << 16;
    while (!source.atEnd()) {
        const QByteArray bytes = source.read(chunk);
        if (bytes.isEmpty() || target.write(bytes) != bytes.size()) {
            target.cancelWriting();
            return false;
        }
    }
    return target.commit();
}

bool QXlsxWorkbookWriter::writeWorkbook(const QString& path, QString* error) const
{
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    if (!zip) {
        *error = tr("STR_XLSX_CANNOT_CREATE").arg(path);
        return false;
    }
    bool ok = true;
    QByteArray contentTypes(kContentTypesHead);
    QByteArray workbook("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                        "<bookViews><workbookView/></bookViews><sheets>");
    QByteArray rels("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">");
    QStringList used;
    for (int i = 0; i < m_sheets.size() && ok; ++i) {
        const QByteArray number = QByteArray::number(i + 1);
        const QString name = sheetName(m_sheets.at(i).name, used);
        used.append(name);
        ok = writeSheet(zip, "xl/worksheets/sheet" + number + ".xml", m_sheets.at(i));
        contentTypes += "<Override PartName=\"/xl/worksheets/sheet" + number +
                        ".xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml."
                        "worksheet+xml\"/>";
        workbook += "<sheet name=\"";
        appendEscaped(&workbook, name);
        workbook += "\" sheetId=\"" + number + "\" r:id=\"rId" + number + "\"/>";
        rels += "<Relationship Id=\"rId" + number +
                "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
                "Target=\"worksheets/sheet" +
                number + ".xml\"/>";
    }
    const QByteArray stylesId = QByteArray::number(m_sheets.size() + 1);
    rels += "<Relationship Id=\"rId" + stylesId +
            "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
            "Target=\"styles.xml\"/></Relationships>";
    ok = ok && writePart(zip, "[Content_Types].xml", contentTypes + "</Types>") &&
         writePart(zip, "_rels/.rels", kPackageRels) &&
         writePart(zip, "xl/workbook.xml", workbook + "</sheets></workbook>") &&
         writePart(zip, "xl/_rels/workbook.xml.rels", rels) && writePart(zip, "xl/styles.xml", kStyles);
    ok = (zipClose(zip, nullptr) == ZIP_OK) && ok;
    if (!ok) {
        *error = tr("STR_XLSX_CANNOT_CREATE").arg(path);
    }
    return ok;
}

// The rows are written out in order as they are made: the sheet is never held whole as XML.
bool QXlsxWorkbookWriter::writeSheet(void* zip, const QByteArray& partName, const Sheet& sheet)
{
    ZipPart part(static_cast<zipFile>(zip), partName.constData());
    QByteArray xml = sheetStart(columnWidths(sheet.rows, sheet.headerRow), sheet.headerRow);
    xml.reserve(kFlushBytes + 4096);
    for (int r = 0; r < sheet.rows.size() && r < kMaxRows; ++r) {
        const QVariantList& row = sheet.rows.at(r);
        xml += "<row r=\"" + QByteArray::number(r + 1) + "\">";
        for (int c = 0; c < row.size() && c < kMaxColumns; ++c) {
            appendCell(&xml, r, c, row.at(c), r == sheet.headerRow);
        }
        xml += "</row>";
        if (!part.flush(&xml, false)) {
            break;
        }
    }
    xml += "</sheetData></worksheet>";
    part.flush(&xml, true);
    return part.close();
}

// A free name beside the target, so that the final rename stays on one file system.
QString QXlsxWorkbookWriter::temporaryPathFor(const QString& path)
{
    QString candidate = path + QStringLiteral(".part");
    for (int i = 1; QFileInfo::exists(candidate); ++i) {
        candidate = QStringLiteral("%1.%2.part").arg(path).arg(i);
    }
    return candidate;
}
