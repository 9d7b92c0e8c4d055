#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Rows of text for the text and csv formats: the text form aligns the columns, the csv form quotes a
// field that holds a comma, a quote or a line break (names and enumerated texts often hold commas).
class QCliTable
{
public:
    explicit QCliTable(const QStringList& header = QStringList()) : m_header(header) {}

    void addRow(const QStringList& row) { m_rows.append(row); }
    int rowCount() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.isEmpty(); }

    // withHeader: the header as the first line of the text form (the csv form always has it).
    QString toText(bool withHeader = true) const;
    QString toCsv() const;
    static QString csvField(const QString& field);

private:
    QStringList m_header;
    QList<QStringList> m_rows;
};
