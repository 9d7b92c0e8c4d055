#pragma once

#include <QList>
#include <QObject>
#include <QPrinter>
#include <QStringList>

class QTextDocument;

// Composes a report as HTML in a QTextDocument and prints it: directly, with a preview, or to a PDF.
// A report is built as dataBegin, then titles, tables (tableBegin, rows, tableEnd) and separators,
// then dataEnd. Every text is escaped, so cells may hold any characters. Printed pages carry their
// number at the bottom.
class QPrinterManager : public QObject
{
    Q_OBJECT
public:
    explicit QPrinterManager(QObject* parent = nullptr);
    ~QPrinterManager() override;

    // Starts a new, empty report (forgets the previous one).
    void dataBegin();
    // A main title (large) and a section title.
    void insertTitle(const QString& title);
    void insertTitle2(const QString& title);
    // Opens a table with a header row. An open table is closed first.
    void tableBegin(const QStringList& headers);
    // One row; a row shorter than the header is padded with empty cells. Outside a table a row opens a
    // table without header.
    void insert2TableRow(const QStringList& cells);
    // One row with highlighted (red) cells: the given columns, or every cell when the list is empty.
    void insert2TableRowHighLight(const QStringList& cells,
                                  const QList<int>& highlightedColumns = QList<int>());
    // Several rows at once, each as insert2TableRow.
    void insert2MultiTableRow(const QList<QStringList>& rows);
    void tableEnd();
    // A horizontal rule between sections.
    void insertSeperator();
    // Finishes the report (closes an open table) and lays it out in the document.
    void dataEnd();

    // The report's HTML: the whole document after dataEnd, the part composed so far before it.
    QString toHtml() const;
    // True when nothing was inserted since dataBegin.
    bool isEmpty() const { return m_body.isEmpty(); }
    // The laid-out report (finishes it when dataEnd was not called).
    QTextDocument* document();

    // When set, printDirect writes a PDF to this file instead of using a printer (scripts, tests).
    void setOutputFileName(const QString& path) { m_outputFileName = path; }
    QString outputFileName() const { return m_outputFileName; }

    // Prints on the default printer; with an output file set, or when there is no printer, writes a
    // PDF (asking for its name when none is set). False when nothing was printed; see errorString.
    bool printDirect(QPrinter::Orientation orientation = QPrinter::Portrait);
    // Shows the report in a modal print preview; true when the user printed from it.
    bool printWithPreview(QPrinter::Orientation orientation = QPrinter::Portrait);
    // Writes the report to a PDF file; false with errorString when the file cannot be written.
    bool printToPdf(const QString& path, QPrinter::Orientation orientation = QPrinter::Portrait);
    // Why the last print failed (translated); empty after a success or a cancel.
    QString errorString() const { return m_error; }

private:
    void finish();
    void appendRow(const QStringList& cells, const QList<int>& highlighted, bool highlightAll);
    void printDocument(QPrinter* printer);
    static void applyOrientation(QPrinter* printer, QPrinter::Orientation orientation);
    static QString cellHtml(const QString& text);

    QString m_body;
    QString m_html;
    bool m_finished = false;
    bool m_tableOpen = false;
    int m_columns = 0;
    QTextDocument* m_document = nullptr;
    QString m_outputFileName;
    QString m_error;
};
