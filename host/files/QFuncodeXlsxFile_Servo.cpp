#include "QFuncodeXlsxFile_Servo.h"

#include "QFuncodeFileLayout_Servo.h"
#include "QFuncodeHelperBase.h"
#include "QXlsxWorkbookReader.h"

#include <algorithm>

namespace {
typedef QFuncodeFileLayout_Servo Layout;
typedef QFuncodeHelperBase Errors;

// Sheets looked at for the import mark before the first sheet is taken.
const int kSheetsSearched = 16;
} // namespace

QFuncodeXlsxFile_Servo::QFuncodeXlsxFile_Servo(QFuncodeFileParser_Servo::ModelLookup lookup)
    : m_lookup(std::move(lookup))
{
}

int QFuncodeXlsxFile_Servo::read(const QString& path, tagExportDevInfo_Servo* info)
{
    QXlsxWorkbookReader reader;
    const int opened = reader.openFile(path);
    if (opened != Errors::FILE_OK) {
        m_detail = reader.errorDetail();
        return opened;
    }
    return readWorkbook(reader, info);
}

int QFuncodeXlsxFile_Servo::readBytes(const QByteArray& bytes, tagExportDevInfo_Servo* info)
{
    QXlsxWorkbookReader reader;
    const int opened = reader.openBytes(bytes);
    if (opened != Errors::FILE_OK) {
        m_detail = reader.errorDetail();
        return opened;
    }
    return readWorkbook(reader, info);
}

int QFuncodeXlsxFile_Servo::funcodeSheet(QXlsxWorkbookReader& reader, int* sheet)
{
    *sheet = 0;
    for (int index = 0; index < qMin(reader.sheetCount(), kSheetsSearched); ++index) {
        bool marked = false;
        const int error = reader.readSheet(index, [&marked](int, const QXlsxWorkbookReader::Cells& cells) {
            const QString signature = Layout::markSignature();
            marked = std::any_of(cells.cbegin(), cells.cend(),
                                 [&signature](const QStringRef& cell) { return cell.contains(signature); });
            return false; // the first row is enough
        });
        if (error != Errors::FILE_OK) {
            return error;
        }
        if (marked) {
            *sheet = index;
            break;
        }
    }
    return Errors::FILE_OK;
}

int QFuncodeXlsxFile_Servo::readWorkbook(QXlsxWorkbookReader& reader, tagExportDevInfo_Servo* info)
{
    int sheet = 0;
    const int found = funcodeSheet(reader, &sheet);
    if (found != Errors::FILE_OK) {
        m_detail = reader.errorDetail();
        return found;
    }
    QFuncodeFileParser_Servo parser(true, m_lookup);
    parser.setCancelFlag(m_cancel);
    const int read = reader.readSheet(sheet, [&parser](int row, const QXlsxWorkbookReader::Cells& cells) {
        return parser.addLine(row, cells, true);
    });
    if (read != Errors::FILE_OK) {
        m_detail = reader.errorDetail();
        return read;
    }
    if (!parser.finish()) {
        m_detail = QStringLiteral("%1: %2").arg(reader.sheetName(sheet), parser.errorDetail());
        return parser.error();
    }
    *info = parser.result();
    return Errors::FILE_OK;
}

QVariantList QFuncodeXlsxFile_Servo::textRow(const QStringList& texts)
{
    QVariantList row;
    row.reserve(texts.size());
    for (const QString& text : texts) {
        row.append(text);
    }
    return row;
}

// Integers written as plain digits become numbers; every other text stays as shown ("15.0", "0x00FF").
QVariantList QFuncodeXlsxFile_Servo::pageRow(const QStringList& texts)
{
    QVariantList row;
    row.reserve(texts.size());
    for (const QString& text : texts) {
        qint64 value = 0;
        const bool plain = Layout::parseStrictInteger(text, &value) && QString::number(value) == text &&
                           qAbs(value) < (qint64(1) << 53);
        row.append(plain ? QVariant(value) : QVariant(text));
    }
    return row;
}

// The fields of Layout::codeFields, integers as numbers, made from the record without texts in between.
QVariantList QFuncodeXlsxFile_Servo::codeRow(const tagExportFuncode_Servo& funcode)
{
    QVariantList row;
    row.reserve(Layout::FIELD_COUNT);
    row << qint64(funcode.canopenAddr) << qint64(funcode.usbCode) << funcode.groupName << funcode.funIndex
        << funcode.funName << qint64(funcode.authority) << qint64(funcode.dataType)
        << qint64(funcode.axisNum);
    for (const qint64 raw : funcode.curValue) {
        row << raw;
    }
    // Always three texts, also for a drive of fewer axes.
    for (int axis = 0; axis < 3; ++axis) {
        row << funcode.valueTexts.value(axis);
    }
    return row;
}

void QFuncodeXlsxFile_Servo::addFuncodes(const QString& sheetName, const tagExportDevInfo_Servo& info)
{
    QXlsxWorkbookWriter::Rows rows;
    rows.append(QVariantList{Layout::markLine()});
    rows.append(textRow(Layout::deviceFields(info)));
    rows.append(textRow(Layout::headingFields()));
    rows.reserve(rows.size() + info.funcodes.size());
    for (const tagExportFuncodePtr_Servo& funcode : info.funcodes) {
        if (funcode) {
            rows.append(codeRow(*funcode));
        }
    }
    m_writer.addSheet(sheetName, rows, 2);
}

void QFuncodeXlsxFile_Servo::addPage(const QString& sheetName, const QStringList& header,
                                     const QList<QStringList>& rows, const QString& text)
{
    QXlsxWorkbookWriter::Rows cells;
    cells.append(textRow(header));
    for (const QStringList& row : rows) {
        cells.append(pageRow(row));
    }
    if (rows.isEmpty() && !text.isEmpty()) {
        cells.append(QVariantList{text});
    }
    m_writer.addSheet(sheetName, cells, header.isEmpty() ? -1 : 0);
}

int QFuncodeXlsxFile_Servo::write(const QString& path)
{
    QString reason;
    if (!m_writer.write(path, &reason)) {
        m_detail = reason;
        return Errors::FILE_ERR_WRITE;
    }
    m_detail.clear();
    return Errors::FILE_OK;
}
