#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// Writes an xlsx workbook: one sheet per table, numbers as numbers and texts as texts (inline, so the
// sheet streams without a table of strings), a bold header row that stays in view, columns as wide as
// their texts. Numbers are written in the shortest form that reads back exactly, whatever the program's
// locale is. The file is written under a temporary name beside
// the target and replaces it only when complete.
class QXlsxWorkbookWriter
{
    Q_DECLARE_TR_FUNCTIONS(QXlsxWorkbookWriter)

public:
    // A cell: a QString is a text; an integer or a double is a number (an integer beyond 2^53 is written as
    // its digits, which a number cell would round).
    typedef QList<QVariantList> Rows;

    // headerRow: the row shown bold and kept in view (-1: none).
    void addSheet(const QString& name, const Rows& rows, int headerRow);
    int sheetCount() const { return m_sheets.size(); }
    // False with error (the reason) when the file could not be written; nothing is left behind then.
    bool write(const QString& path, QString* error) const;

    // The name as a sheet may carry it: no []:*?/\, at most 31 characters, unique among used (ignoring
    // case), never empty.
    static QString sheetName(const QString& wanted, const QStringList& used);

private:
    struct Sheet
    {
        QString name;
        Rows rows;
        int headerRow = -1;
    };

    bool writeWorkbook(const QString& path, QString* error) const;
    // zip: the archive being written (minizip's handle, kept out of this header).
    static bool writeSheet(void* zip, const QByteArray& partName, const Sheet& sheet);
    static QString temporaryPathFor(const QString& path);
    static bool moveIntoPlace(const QString& temporary, const QString& path);

    QList<Sheet> m_sheets;
};
