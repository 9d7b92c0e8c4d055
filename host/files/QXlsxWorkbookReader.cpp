#include "QXlsxWorkbookReader.h"

#include "QBoundedFileReader.h"
#include "QFuncodeHelperBase.h"
#include "QXlsxXmlScanner.h"

#include <QDir>
#include <QLocale>
#include <QXmlStreamReader>
#include <cmath>
#include <cstring>
#include <unzip.h>

typedef QFuncodeHelperBase Errors;

// The archive in memory, for minizip's file functions.
struct MemoryStream
{
    const char* data = nullptr;
    ZPOS64_T size = 0;
    ZPOS64_T pos = 0;
};

namespace {
voidpf ZCALLBACK memoryOpen(voidpf opaque, const void* /*name*/, int /*mode*/)
{
    static_cast<MemoryStream*>(opaque)->pos = 0;
    return opaque;
}

uLong ZCALLBACK memoryRead(voidpf /*opaque*/, voidpf stream, void* buf, uLong size)
{
    auto* s = static_cast<MemoryStream*>(stream);
    const ZPOS64_T left = s->pos < s->size ? s->size - s->pos : 0;
    const uLong count = static_cast<uLong>(qMin<ZPOS64_T>(left, size));
    if (count > 0) {
        std::memcpy(buf, s->data + s->pos, count);
    }
    s->pos += count;
    return count;
}

uLong ZCALLBACK memoryWrite(voidpf, voidpf, const void*, uLong)
{
    return 0;
}

ZPOS64_T ZCALLBACK memoryTell(voidpf /*opaque*/, voidpf stream)
{
    return static_cast<MemoryStream*>(stream)->pos;
}

long ZCALLBACK memorySeek(voidpf /*opaque*/, voidpf stream, ZPOS64_T offset, int origin)
{
    auto* s = static_cast<MemoryStream*>(stream);
    ZPOS64_T base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) {
        base = s->pos;
    } else if (origin == ZLIB_FILEFUNC_SEEK_END) {
        base = s->size;
    } else if (origin != ZLIB_FILEFUNC_SEEK_SET) {
        return -1;
    }
    if (offset > s->size || base > s->size - offset) {
        return -1;
    }
    s->pos = base + offset;
    return 0;
}

int ZCALLBACK memoryClose(voidpf, voidpf)
{
    return 0;
}

int ZCALLBACK memoryError(voidpf, voidpf)
{
    return 0;
}

QStringRef attributeValue(const QXmlStreamAttributes& attributes, const char* name)
{
    for (const QXmlStreamAttribute& a : attributes) {
        if (a.name() == QLatin1String(name)) {
            return a.value();
        }
    }
    return QStringRef();
}

QString attribute(const QXmlStreamReader& xml, const char* name)
{
    return attributeValue(xml.attributes(), name).toString();
}

// An integer as QString::number writes it: digits with an optional minus, no leading zero, at most 18
// digits (so that it fits any qint64).
bool isPlainInteger(const QXlsxXmlScanner::Span& text)
{
    const int sign = text.size > 0 && text.data[0] == '-' ? 1 : 0;
    const int digits = text.size - sign;
    if (digits < 1 || digits > 18 || (text.data[sign] == '0' && (digits > 1 || sign))) {
        return false;
    }
    for (int i = sign; i < text.size; ++i) {
        if (text.data[i] < '0' || text.data[i] > '9') {
            return false;
        }
    }
    return true;
}

// A whole number with optional white space around it, or -1.
int indexOf(const QXlsxXmlScanner::Span& text)
{
    const char* p = text.data;
    const char* end = p + text.size;
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r')) {
        ++p;
    }
    while (end > p && (end[-1] == ' ' || end[-1] == '\t' || end[-1] == '\n' || end[-1] == '\r')) {
        --end;
    }
    if (p == end || end - p > 9) {
        return -1;
    }
    int value = 0;
    for (; p < end; ++p) {
        if (*p < '0' || *p > '9') {
            return -1;
        }
        value = value * 10 + (*p - '0');
    }
    return value;
}

// ASCII text added to *text without a detour through a decoder.
void appendAscii(const QXlsxXmlScanner::Span& ascii, QString* text)
{
    const int start = text->size();
    text->resize(start + ascii.size);
    QChar* out = text->data() + start;
    for (int i = 0; i < ascii.size; ++i) {
        out[i] = QLatin1Char(ascii.data[i]);
    }
}

QString scannerError(const QString& part, const QXlsxXmlScanner& xml)
{
    return QStringLiteral("%1 (%2)").arg(part, xml.errorDetail());
}

QString xmlError(const QString& part, const QXmlStreamReader& xml)
{
    return QStringLiteral("%1 (%2:%3): %4")
        .arg(part)
        .arg(xml.lineNumber())
        .arg(xml.columnNumber())
        .arg(xml.errorString());
}

// A part name as a key: no leading slash, forward slashes, lower case (part names ignore case).
QString partKey(const QString& name)
{
    QString key = QDir::cleanPath(QString(name).replace(QLatin1Char('\\'), QLatin1Char('/')));
    while (key.startsWith(QLatin1Char('/'))) {
        key.remove(0, 1);
    }
    return key.toLower();
}
} // namespace

QXlsxWorkbookReader::QXlsxWorkbookReader() = default;

QXlsxWorkbookReader::~QXlsxWorkbookReader()
{
    if (m_zip) {
        unzClose(m_zip);
    }
    delete m_stream;
}

int QXlsxWorkbookReader::fail(int error, const QString& detail)
{
    m_detail = detail;
    return error;
}

int QXlsxWorkbookReader::openFile(const QString& path)
{
    QBoundedFileReader file(kMaxFileBytes);
    QByteArray bytes;
    const int result = file.read(path, &bytes);
    if (result != QBoundedFileReader::READ_OK) {
        return fail(Errors::fileError(result), file.errorText());
    }
    return openBytes(bytes);
}

int QXlsxWorkbookReader::openBytes(const QByteArray& bytes)
{
    if (bytes.isEmpty()) {
        return fail(Errors::FILE_ERR_EMPTY, QString());
    }
    m_bytes = bytes;
    m_stream = new MemoryStream;
    m_stream->data = m_bytes.constData();
    m_stream->size = static_cast<ZPOS64_T>(m_bytes.size());
    zlib_filefunc64_def functions;
    functions.zopen64_file = memoryOpen;
    functions.zread_file = memoryRead;
    functions.zwrite_file = memoryWrite;
    functions.ztell64_file = memoryTell;
    functions.zseek64_file = memorySeek;
    functions.zclose_file = memoryClose;
    functions.zerror_file = memoryError;
    functions.opaque = m_stream;
    m_zip = unzOpen2_64("workbook", &functions);
    if (!m_zip) {
        return fail(Errors::FILE_ERR_NOT_ZIP, tr("STR_XLSX_NOT_ZIP_DETAIL"));
    }
    const int listed = listEntries();
    return listed != Errors::FILE_OK ? listed : readWorkbook();
}

int QXlsxWorkbookReader::listEntries()
{
    int status = unzGoToFirstFile(m_zip);
    while (status == UNZ_OK) {
        if (m_entries.size() >= kMaxEntries) {
            return fail(Errors::FILE_ERR_TOO_LARGE, tr("STR_XLSX_TOO_MANY_PARTS").arg(kMaxEntries));
        }
        char name[1024];
        unz_file_info64 info;
        unz64_file_pos position;
        if (unzGetCurrentFileInfo64(m_zip, &info, name, sizeof(name), nullptr, 0, nullptr, 0) != UNZ_OK ||
            unzGetFilePos64(m_zip, &position) != UNZ_OK) {
            return fail(Errors::FILE_ERR_NOT_ZIP, tr("STR_XLSX_NOT_ZIP_DETAIL"));
        }
        name[sizeof(name) - 1] = '\0';
        m_entries.insert(partKey(QString::fromUtf8(name)), position.pos_in_zip_directory);
        m_entryFiles.insert(partKey(QString::fromUtf8(name)), position.num_of_file);
        status = unzGoToNextFile(m_zip);
    }
    if (status != UNZ_END_OF_LIST_OF_FILE) {
        return fail(Errors::FILE_ERR_NOT_ZIP, tr("STR_XLSX_NOT_ZIP_DETAIL"));
    }
    return Errors::FILE_OK;
}

bool QXlsxWorkbookReader::hasPart(const QString& name) const
{
    return m_entries.contains(partKey(name));
}

// The bytes the open part unpacks to, as its entry says, for room to be made at once: a damaged or hostile
// archive may say anything, so the room is bounded by the part limit and by what its packed bytes can hold
// (deflate packs at most about a thousand to one), and one slice more so that the last read fits.
int QXlsxWorkbookReader::expectedSize() const
{
    unz_file_info64 info;
    if (unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        return 0;
    }
    const qint64 packable = qint64(info.compressed_size) * 1100 + 65536;
    return int(qMin<qint64>(qMin<qint64>(qint64(info.uncompressed_size), packable), kMaxPartBytes) + 65536);
}

int QXlsxWorkbookReader::readPart(const QString& name, QByteArray* bytes)
{
    const QString key = partKey(name);
    if (!m_entries.contains(key)) {
        return fail(Errors::FILE_ERR_NOT_WORKBOOK, tr("STR_XLSX_PART_MISSING").arg(name));
    }
    unz64_file_pos position;
    position.pos_in_zip_directory = m_entries.value(key);
    position.num_of_file = m_entryFiles.value(key);
    if (unzGoToFilePos64(m_zip, &position) != UNZ_OK || unzOpenCurrentFile(m_zip) != UNZ_OK) {
        return fail(Errors::FILE_ERR_ZIP_ENTRY, tr("STR_XLSX_PART_DAMAGED").arg(name));
    }
    bytes->clear();
    bytes->reserve(expectedSize());
    // Read straight into the part's bytes: a slice at a time copied into them cost a copy of every byte and,
    // as they grew, a copy of all of them now and then.
    const int slice = 65536;
    int count = 0;
    for (;;) {
        const int before = bytes->size();
        bytes->resize(before + slice);
        count = unzReadCurrentFile(m_zip, bytes->data() + before, slice);
        bytes->resize(before + qMax(count, 0));
        if (count <= 0) {
            break;
        }
        m_unpacked += count;
        if (bytes->size() > kMaxPartBytes || m_unpacked > kMaxUnpackedBytes) {
            unzCloseCurrentFile(m_zip);
            bytes->clear();
            return fail(Errors::FILE_ERR_TOO_LARGE, tr("STR_XLSX_PART_TOO_LARGE").arg(name));
        }
    }
    // The check sum is tested when the part is closed after reading it whole.
    const int closed = unzCloseCurrentFile(m_zip);
    if (count < 0 || closed != UNZ_OK) {
        return fail(Errors::FILE_ERR_ZIP_ENTRY, tr("STR_XLSX_PART_DAMAGED").arg(name));
    }
    return Errors::FILE_OK;
}

QString QXlsxWorkbookReader::workbookPath()
{
    int error = Errors::FILE_OK;
    const QHash<QString, QString> rels = relationships(QStringLiteral("_rels/.rels"), &error);
    for (auto it = rels.cbegin(); it != rels.cend(); ++it) {
        if (it.key().endsWith(QLatin1String("/officeDocument"))) {
            return it.value();
        }
    }
    return QStringLiteral("xl/workbook.xml");
}

// Relationship type (or id) -> target part, resolved against the folder of the part they belong to.
QHash<QString, QString> QXlsxWorkbookReader::relationships(const QString& relsPart, int* error)
{
    QHash<QString, QString> targets;
    QByteArray xmlBytes;
    if (!hasPart(relsPart) || readPart(relsPart, &xmlBytes) != Errors::FILE_OK) {
        return targets;
    }
    // "xl/_rels/workbook.xml.rels" belongs to "xl/workbook.xml": targets are relative to "xl/".
    QString base = relsPart.section(QLatin1Char('/'), 0, -3);
    QXmlStreamReader xml(xmlBytes);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("Relationship")) {
            QString target = attribute(xml, "Target");
            target = target.startsWith(QLatin1Char('/')) ? target : base + QLatin1Char('/') + target;
            targets.insert(attribute(xml, "Id"), partKey(target));
            targets.insert(attribute(xml, "Type"), partKey(target));
        }
    }
    if (xml.hasError()) {
        *error = fail(Errors::FILE_ERR_BAD_XML, xmlError(relsPart, xml));
    }
    return targets;
}

int QXlsxWorkbookReader::readWorkbook()
{
    const QString workbook = workbookPath();
    QByteArray xmlBytes;
    if (!hasPart(workbook)) {
        return fail(Errors::FILE_ERR_NOT_WORKBOOK, tr("STR_XLSX_PART_MISSING").arg(workbook));
    }
    int error = readPart(workbook, &xmlBytes);
    if (error != Errors::FILE_OK) {
        return error;
    }
    const QString folder = workbook.section(QLatin1Char('/'), 0, -2);
    const QString relsPart = (folder.isEmpty() ? QString() : folder + QLatin1Char('/')) +
                             QStringLiteral("_rels/") + workbook.section(QLatin1Char('/'), -1) +
                             QStringLiteral(".rels");
    const QHash<QString, QString> rels = relationships(relsPart, &error);
    if (error != Errors::FILE_OK) {
        return error;
    }
    QXmlStreamReader xml(xmlBytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("sheet")) {
            continue;
        }
        const QString id = attribute(xml, "id");
        const QString fallback =
            QStringLiteral("%1/worksheets/sheet%2.xml").arg(folder).arg(m_sheetNames.size() + 1);
        m_sheetNames.append(attribute(xml, "name"));
        m_sheetParts.append(rels.value(id, partKey(fallback)));
    }
    if (xml.hasError()) {
        return fail(Errors::FILE_ERR_BAD_XML, xmlError(workbook, xml));
    }
    if (m_sheetNames.isEmpty()) {
        return fail(Errors::FILE_ERR_NOT_WORKBOOK, tr("STR_XLSX_NO_SHEET"));
    }
    for (auto it = rels.cbegin(); it != rels.cend(); ++it) {
        if (it.key().endsWith(QLatin1String("/sharedStrings"))) {
            m_sharedPart = it.value();
        }
    }
    return readSharedStrings();
}

int QXlsxWorkbookReader::readSharedStrings()
{
    const QString part = m_sharedPart.isEmpty() ? QStringLiteral("xl/sharedStrings.xml") : m_sharedPart;
    if (!hasPart(part)) {
        return Errors::FILE_OK;
    }
    QByteArray xmlBytes;
    const int error = readPart(part, &xmlBytes);
    if (error != Errors::FILE_OK) {
        return error;
    }
    QXlsxXmlScanner xml(xmlBytes);
    for (QXlsxXmlScanner::Token token = xml.next(); token != QXlsxXmlScanner::END_OF_DOCUMENT;
         token = xml.next()) {
        if (token == QXlsxXmlScanner::INVALID) {
            return fail(Errors::FILE_ERR_BAD_XML, scannerError(part, xml));
        }
        if (token == QXlsxXmlScanner::START_ELEMENT && xml.isElement("si")) {
            QString item;
            if (!xml.appendStringItem(&item)) {
                return fail(Errors::FILE_ERR_BAD_XML, scannerError(part, xml));
            }
            m_sharedStrings.append(item);
        }
    }
    return Errors::FILE_OK;
}

int QXlsxWorkbookReader::readSheet(int index, const RowVisitor& visitor)
{
    if (index < 0 || index >= m_sheetParts.size()) {
        return fail(Errors::FILE_ERR_NOT_WORKBOOK, tr("STR_XLSX_NO_SHEET"));
    }
    const QString part = m_sheetParts.at(index);
    if (part != m_cachedPart) {
        m_cachedPart.clear();
        const int error = readPart(part, &m_cachedXml);
        if (error != Errors::FILE_OK) {
            return error;
        }
        m_cachedPart = part;
    }
    return parseSheet(part, m_cachedXml, visitor);
}

int QXlsxWorkbookReader::parseSheet(const QString& part, const QByteArray& xmlBytes,
                                    const RowVisitor& visitor)
{
    QXlsxXmlScanner xml(xmlBytes);
    m_cells.clear();
    m_rowText.resize(0);
    int row = 0;
    int column = -1;
    for (QXlsxXmlScanner::Token token = xml.next(); token != QXlsxXmlScanner::END_OF_DOCUMENT;
         token = xml.next()) {
        if (token == QXlsxXmlScanner::INVALID) {
            return fail(Errors::FILE_ERR_BAD_XML, scannerError(part, xml));
        }
        if (token == QXlsxXmlScanner::START_ELEMENT && xml.isElement("row")) {
            const int number = indexOf(xml.attribute("r"));
            row = number > 0 ? number : row + 1;
            column = -1;
            m_cells.resize(0);
            m_rowText.resize(0);
        } else if (token == QXlsxXmlScanner::END_ELEMENT && xml.isElement("row")) {
            if (!m_cells.isEmpty() && !visitor(row, m_cells)) {
                return Errors::FILE_OK;
            }
        } else if (token == QXlsxXmlScanner::START_ELEMENT && xml.isElement("c")) {
            const QXlsxXmlScanner::Span reference = xml.attribute("r");
            const int referenced = columnOfReference(reference.data, reference.size);
            column = referenced >= 0 ? referenced : column + 1;
            QStringRef text;
            const int error = readCell(xml, cellKind(xml.attribute("t")), reference, &text);
            if (error != Errors::FILE_OK) {
                return fail(error, QStringLiteral("%1 (%2)").arg(part, m_detail));
            }
            if (column < kMaxColumns && !text.isEmpty()) {
                if (m_cells.size() <= column) {
                    m_cells.resize(column + 1);
                }
                m_cells[column] = text;
            }
        }
    }
    return Errors::FILE_OK;
}

// The cell's text as a view: of a shared string, of a constant text, or of what it adds to m_rowText.
// reference: the cell's reference, for a message.
int QXlsxWorkbookReader::readCell(QXlsxXmlScanner& xml, CellKind kind, const QXlsxXmlScanner::Span& reference,
                                  QStringRef* text)
{
    static const QString kTrue = QStringLiteral("TRUE");
    static const QString kFalse = QStringLiteral("FALSE");
    const int start = m_rowText.size();
    QXlsxXmlScanner::Span value{"", 0};
    bool read = false;
    for (QXlsxXmlScanner::Token token = xml.next(); token != QXlsxXmlScanner::END_ELEMENT;
         token = xml.next()) {
        if (token == QXlsxXmlScanner::INVALID || token == QXlsxXmlScanner::END_OF_DOCUMENT) {
            m_detail = xml.errorDetail();
            return Errors::FILE_ERR_BAD_XML;
        }
        if (token != QXlsxXmlScanner::START_ELEMENT) {
            continue;
        }
        // An inline string's text is in <is>, every other cell's in <v>.
        const bool inlinePart = xml.isElement("is");
        const bool wanted =
            !read && (inlinePart ? kind == CELL_INLINE : kind != CELL_INLINE && xml.isElement("v"));
        read = read || wanted;
        const bool ok = !wanted      ? xml.skipElement()
                        : inlinePart ? xml.appendStringItem(&m_rowText)
                                     : xml.readElementText(&value);
        if (!ok) {
            m_detail = xml.errorDetail();
            return Errors::FILE_ERR_BAD_XML;
        }
    }
    switch (kind) {
    case CELL_SHARED: {
        const int index = indexOf(value);
        if (index < 0 || index >= m_sharedStrings.size()) {
            const QString cell = QString::fromUtf8(reference.data, reference.size);
            const QString shared = QString::fromUtf8(value.data, value.size);
            m_detail = tr("STR_XLSX_NO_SHARED_STRING")
                           .arg(Errors::excerpt(QStringRef(&cell)), Errors::excerpt(QStringRef(&shared)));
            return Errors::FILE_ERR_BAD_XML;
        }
        *text = QStringRef(m_sharedStrings.constData() + index);
        return Errors::FILE_OK;
    }
    case CELL_BOOLEAN: {
        const int flag = indexOf(value);
        *text = value.size == 0 ? QStringRef() : QStringRef(flag == 1 ? &kTrue : &kFalse);
        return Errors::FILE_OK;
    }
    case CELL_NUMBER:
        if (isPlainInteger(value)) {
            appendAscii(value, &m_rowText);
        } else if (value.size > 0) {
            m_rowText.append(numberText(QString::fromUtf8(value.data, value.size)));
        }
        break;
    case CELL_INLINE:
        break;
    default: // a formula string, an error value, a date text
        m_rowText.append(QString::fromUtf8(value.data, value.size));
        break;
    }
    *text = QStringRef(&m_rowText, start, m_rowText.size() - start);
    return Errors::FILE_OK;
}

QXlsxWorkbookReader::CellKind QXlsxWorkbookReader::cellKind(const QXlsxXmlScanner::Span& type)
{
    if (type.size == 0 || type.equals("n")) {
        return CELL_NUMBER;
    }
    if (type.equals("s")) {
        return CELL_SHARED;
    }
    if (type.equals("inlineStr")) {
        return CELL_INLINE;
    }
    return type.equals("b") ? CELL_BOOLEAN : CELL_OTHER;
}

QString QXlsxWorkbookReader::numberText(const QString& value)
{
    const QString t = value.trimmed();
    bool ok = false;
    const qlonglong integer = t.toLongLong(&ok);
    if (ok) {
        return QString::number(integer);
    }
    const double number = t.toDouble(&ok);
    if (!ok || !std::isfinite(number)) {
        return value;
    }
    if (std::floor(number) == number && std::fabs(number) < 9007199254740992.0) {
        return QString::number(static_cast<qint64>(number));
    }
    return QString::number(number, 'g', QLocale::FloatingPointShortest);
}

int QXlsxWorkbookReader::columnOfReference(const char* reference, int size)
{
    int column = 0;
    int letters = 0;
    for (int i = 0; i < size; ++i) {
        const char c =
            reference[i] >= 'a' && reference[i] <= 'z' ? char(reference[i] - 'a' + 'A') : reference[i];
        if (c < 'A' || c > 'Z') {
            break;
        }
        // Columns end at XFD (16384); longer references are not columns.
        if (++letters > 3) {
            return -1;
        }
        column = column * 26 + (c - 'A' + 1);
    }
    return letters == 0 ? -1 : column - 1;
}
