#include "QXlsxWorkbookWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <xlsxwriter.h>

namespace {
const int kMaxTextLength = 32767; // the longest text a cell may hold
const double kMaxExactInteger = 9007199254740992.0;

// Sets the "C" numeric locale for its lifetime: libxlsxwriter formats numbers with the C library.
class CNumericLocale
{
public:
    CNumericLocale()
    {
        const char* current = std::setlocale(LC_NUMERIC, nullptr);
        m_saved = current ? current : "C";
        std::setlocale(LC_NUMERIC, "C");
    }
    ~CNumericLocale() { std::setlocale(LC_NUMERIC, m_saved.constData()); }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    QByteArray m_saved;
};

bool isNumber(const QVariant& value, double* number)
{
    switch (static_cast<QMetaType::Type>(value.type())) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        *number = value.toDouble();
        return std::isfinite(*number) && std::fabs(*number) <= kMaxExactInteger;
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

void writeCell(lxw_worksheet* sheet, int row, int column, const QVariant& value, lxw_format* format)
{
    double number = 0;
    if (isNumber(value, &number)) {
        worksheet_write_number(sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column), number,
                               format);
        return;
    }
    const QString text =
        value.type() == QVariant::String ? *static_cast<const QString*>(value.constData()) : value.toString();
    if (text.isEmpty()) {
        return;
    }
    worksheet_write_string(sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                           text.left(kMaxTextLength).toUtf8().constData(), format);
}

void setColumnWidths(lxw_worksheet* sheet, const QXlsxWorkbookWriter::Rows& rows, int headerRow)
{
    QList<int> widths;
    for (int r = 0; r < rows.size(); ++r) {
        // Rows above the header (the import mark of a function-code sheet) may run into empty cells.
        if (r < headerRow) {
            continue;
        }
        const QVariantList& row = rows.at(r);
        for (int c = 0; c < row.size(); ++c) {
            while (widths.size() <= c) {
                widths.append(6);
            }
            widths[c] = qMax(widths.at(c), cellWidth(row.at(c)) + 2);
        }
    }
    for (int c = 0; c < widths.size(); ++c) {
        worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                             qMin(widths.at(c), 60), nullptr);
    }
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
    const CNumericLocale cLocale;
    // Each row goes to a temporary file once the next begins: the library holds one row, not the sheet.
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!workbook) {
        *error = tr("STR_XLSX_CANNOT_CREATE").arg(path);
        return false;
    }
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    QStringList used;
    for (const Sheet& sheet : m_sheets) {
        const QString name = sheetName(sheet.name, used);
        used.append(name);
        lxw_worksheet* worksheet = workbook_add_worksheet(workbook, name.toUtf8().constData());
        if (!worksheet) {
            continue;
        }
        // Before the rows: the rows are written out in order as they come.
        setColumnWidths(worksheet, sheet.rows, sheet.headerRow);
        for (int r = 0; r < sheet.rows.size() && r < LXW_ROW_MAX; ++r) {
            const QVariantList& row = sheet.rows.at(r);
            for (int c = 0; c < row.size() && c < LXW_COL_MAX; ++c) {
                writeCell(worksheet, r, c, row.at(c), r == sheet.headerRow ? bold : nullptr);
            }
        }
        if (sheet.headerRow >= 0) {
            worksheet_freeze_panes(worksheet, static_cast<lxw_row_t>(sheet.headerRow + 1), 0);
        }
    }
    const lxw_error result = workbook_close(workbook);
    if (result != LXW_NO_ERROR) {
        *error = QStringLiteral("%1: %2").arg(path, QString::fromUtf8(lxw_strerror(result)));
        return false;
    }
    return true;
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
