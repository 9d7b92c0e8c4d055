#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include "QXlsxXmlScanner.h"

#include <functional>

// Reads the cells of an xlsx workbook as texts: the zip archive is unpacked with minizip's unzip from
// memory, the sheets and shared strings are read with QXlsxXmlScanner, the other parts with
// QXmlStreamReader. It takes what spreadsheet programs write: shared and
// inline strings (also with formatting runs), numbers in any notation ("2E-3" gives "0.002", "15.0" gives
// "15"), formula results, booleans, empty and missing cells, cells and rows without a reference, and
// element names with or without a namespace prefix. Cells beyond kMaxColumns are left out.
//
// Limits: a file of at most kMaxFileBytes, each part unpacked to at most kMaxPartBytes and all parts
// read together to at most kMaxUnpackedBytes (a small archive that unpacks to gigabytes is refused while
// it is unpacked), kMaxEntries parts. The whole file is held in memory, and so is one part at a time
// besides the shared strings. A sheet is read in one pass: the shared strings are read once into a vector,
// and the cells of a row are views of those strings or of one buffer of the row's texts, so that a cell
// costs no text of its own until the visitor takes it.
//
// Failures are error numbers of QFuncodeHelperBase with a detail naming the part (and cell).
class QXlsxWorkbookReader
{
    Q_DECLARE_TR_FUNCTIONS(QXlsxWorkbookReader)

public:
    static const qint64 kMaxFileBytes = 64LL * 1024 * 1024;
    static constexpr qint64 kMaxPartBytes = 64LL * 1024 * 1024;
    static constexpr qint64 kMaxUnpackedBytes = 256LL * 1024 * 1024;
    static const int kMaxEntries = 10000;
    static const int kMaxColumns = 256;

    // The cells of a row from column A on, as views that hold while the visitor runs (an empty view for a
    // cell left out).
    typedef QVector<QStringRef> Cells;
    // Gets each row that holds a cell: its number (1 for the first row) and its cells; returns false to stop.
    typedef std::function<bool(int row, const Cells& cells)> RowVisitor;

    QXlsxWorkbookReader();
    ~QXlsxWorkbookReader();

    int openFile(const QString& path);
    int openBytes(const QByteArray& bytes);
    int sheetCount() const { return m_sheetNames.size(); }
    QString sheetName(int index) const { return m_sheetNames.value(index); }
    int readSheet(int index, const RowVisitor& visitor);
    QString errorDetail() const { return m_detail; }

    // A number as a short text: integers as digits, others in the shortest form that reads back.
    static QString numberText(const QString& value);
    // Column of a cell reference ("AB12" -> 27), -1 without letters.
    static int columnOfReference(const char* reference, int size);

private:
    int fail(int error, const QString& detail);
    int listEntries();
    int expectedSize() const;
    int readPart(const QString& name, QByteArray* bytes);
    bool hasPart(const QString& name) const;
    int readWorkbook();
    QString workbookPath();
    QHash<QString, QString> relationships(const QString& partName, int* error);
    int readSharedStrings();
    int parseSheet(const QString& part, const QByteArray& xml, const RowVisitor& visitor);
    enum CellKind
    {
        CELL_NUMBER,
        CELL_SHARED,
        CELL_INLINE,
        CELL_BOOLEAN,
        CELL_OTHER
    };
    static CellKind cellKind(const QXlsxXmlScanner::Span& type);
    int readCell(QXlsxXmlScanner& xml, CellKind kind, const QXlsxXmlScanner::Span& reference,
                 QStringRef* text);

    QByteArray m_bytes;
    void* m_zip = nullptr;
    struct MemoryStream* m_stream = nullptr;
    QHash<QString, quint64> m_entries;    // lower-case part name -> position of its entry
    QHash<QString, quint64> m_entryFiles; // lower-case part name -> number of its entry
    QString m_sharedPart;
    QString m_cachedPart; // the sheet read last, kept for a second reading
    QByteArray m_cachedXml;
    QStringList m_sheetNames;
    QStringList m_sheetParts;
    QVector<QString> m_sharedStrings;
    QString m_rowText; // the texts of the cells of the row being read, one after the other
    Cells m_cells;
    QString m_detail;
    qint64 m_unpacked = 0;
};
