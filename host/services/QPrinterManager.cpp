#include "QPrinterManager.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QTextDocument>

namespace {

const char* const kHighlightColour = "#D9443A";

const char* const kStyle = "body { font-size: 9pt; }"
                           "h1 { font-size: 15pt; margin-bottom: 6px; }"
                           "h2 { font-size: 11pt; margin-top: 10px; margin-bottom: 4px; }"
                           "table { border-collapse: collapse; }"
                           "th { background-color: #DDE6F0; font-weight: bold; text-align: left; }"
                           "p.stamp { font-size: 7pt; color: #7A8794; }";

} // namespace

QPrinterManager::QPrinterManager(QObject* parent) : QObject(parent)
{
    m_document = new QTextDocument(this);
}

QPrinterManager::~QPrinterManager() = default;

void QPrinterManager::dataBegin()
{
    m_body.clear();
    m_html.clear();
    m_finished = false;
    m_tableOpen = false;
    m_columns = 0;
    m_error.clear();
    m_document->clear();
}

void QPrinterManager::insertTitle(const QString& title)
{
    tableEnd();
    m_body += QStringLiteral("<h1>%1</h1>\n").arg(cellHtml(title));
}

void QPrinterManager::insertTitle2(const QString& title)
{
    tableEnd();
    m_body += QStringLiteral("<h2>%1</h2>\n").arg(cellHtml(title));
}

void QPrinterManager::tableBegin(const QStringList& headers)
{
    tableEnd();
    m_body += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">\n");
    m_tableOpen = true;
    m_columns = headers.size();
    if (headers.isEmpty()) {
        return;
    }
    m_body += QStringLiteral("<thead><tr>");
    for (const QString& header : headers) {
        m_body += QStringLiteral("<th>%1</th>").arg(cellHtml(header));
    }
    m_body += QStringLiteral("</tr></thead>\n");
}

void QPrinterManager::insert2TableRow(const QStringList& cells)
{
    appendRow(cells, QList<int>(), false);
}

void QPrinterManager::insert2TableRowHighLight(const QStringList& cells, const QList<int>& highlightedColumns)
{
    appendRow(cells, highlightedColumns, highlightedColumns.isEmpty());
}

void QPrinterManager::insert2MultiTableRow(const QList<QStringList>& rows)
{
    for (const QStringList& row : rows) {
        appendRow(row, QList<int>(), false);
    }
}

void QPrinterManager::tableEnd()
{
    if (!m_tableOpen) {
        return;
    }
    m_body += QStringLiteral("</table>\n");
    m_tableOpen = false;
    m_columns = 0;
}

void QPrinterManager::insertSeperator()
{
    tableEnd();
    m_body += QStringLiteral("<hr/>\n");
}

void QPrinterManager::dataEnd()
{
    finish();
}

QString QPrinterManager::toHtml() const
{
    return m_finished ? m_html : m_body;
}

QTextDocument* QPrinterManager::document()
{
    if (!m_finished) {
        finish();
    }
    return m_document;
}

void QPrinterManager::finish()
{
    tableEnd();
    const QString stamp =
        tr("STR_PRINT_TIME")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    m_html = QStringLiteral("<html><head><meta charset=\"utf-8\"/><style>%1</style></head><body>\n%2"
                            "<p class=\"stamp\">%3</p>\n</body></html>\n")
                 .arg(QLatin1String(kStyle), m_body, cellHtml(stamp));
    m_document->setDefaultFont(QApplication::font());
    m_document->setHtml(m_html);
    m_finished = true;
}

void QPrinterManager::appendRow(const QStringList& cells, const QList<int>& highlighted, bool highlightAll)
{
    if (!m_tableOpen) {
        tableBegin(QStringList());
    }
    m_body += QStringLiteral("<tr>");
    const int count = qMax(cells.size(), m_columns);
    for (int column = 0; column < count; ++column) {
        const QString text = cellHtml(cells.value(column));
        if (highlightAll || highlighted.contains(column)) {
            m_body +=
                QStringLiteral("<td style=\"color:%1\">%2</td>").arg(QLatin1String(kHighlightColour), text);
        } else {
            m_body += QStringLiteral("<td>%1</td>").arg(text);
        }
    }
    m_body += QStringLiteral("</tr>\n");
}

QString QPrinterManager::cellHtml(const QString& text)
{
    QString html = text.toHtmlEscaped();
    html.replace(QLatin1Char('\n'), QLatin1String("<br/>"));
    return html;
}

void QPrinterManager::applyOrientation(QPrinter* printer, QPrinter::Orientation orientation)
{
    printer->setPageOrientation(orientation == QPrinter::Landscape ? QPageLayout::Landscape
                                                                   : QPageLayout::Portrait);
}

void QPrinterManager::printDocument(QPrinter* printer)
{
    // The document has no page size of its own, so print() paginates it for the printer and adds the
    // page numbers at the bottom.
    document()->print(printer);
}

bool QPrinterManager::printDirect(QPrinter::Orientation orientation)
{
    m_error.clear();
    if (!m_outputFileName.isEmpty()) {
        return printToPdf(m_outputFileName, orientation);
    }
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QString path = QFileDialog::getSaveFileName(QApplication::activeWindow(), tr("STR_SAVE_AS_PDF"),
                                                          QString(), tr("STR_PDF_FILTER"));
        return path.isEmpty() ? false : printToPdf(path, orientation);
    }
    QPrinter printer(info, QPrinter::HighResolution);
    applyOrientation(&printer, orientation);
    printDocument(&printer);
    if (printer.printerState() == QPrinter::Error) {
        m_error = tr("STR_PRINT_FAILED").arg(info.printerName());
        return false;
    }
    return true;
}

bool QPrinterManager::printWithPreview(QPrinter::Orientation orientation)
{
    m_error.clear();
    QPrinter printer(QPrinter::HighResolution);
    applyOrientation(&printer, orientation);
    QPrintPreviewDialog preview(&printer, QApplication::activeWindow());
    preview.setWindowTitle(tr("STR_PRINT_PREVIEW"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &QPrinterManager::printDocument);
    return preview.exec() == QDialog::Accepted;
}

bool QPrinterManager::printToPdf(const QString& path, QPrinter::Orientation orientation)
{
    m_error.clear();
    QFile probe(path);
    if (path.isEmpty() || !probe.open(QIODevice::WriteOnly)) {
        m_error = tr("STR_PDF_WRITE_FAILED").arg(QDir::toNativeSeparators(path));
        return false;
    }
    probe.close();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    applyOrientation(&printer, orientation);
    printDocument(&printer);
    if (printer.printerState() == QPrinter::Error || QFileInfo(path).size() == 0) {
        // Leave no empty or partial file behind.
        QFile::remove(path);
        m_error = tr("STR_PDF_WRITE_FAILED").arg(QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}
