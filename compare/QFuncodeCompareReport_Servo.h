#pragma once

#include "tagCompareFuncode_Servo.h"

#include <QList>
#include <QStringList>

class QPrinterManager;

// The rows of a comparison as they are exported or printed: number, name and the value columns whose
// axis boxes are checked. Each row keeps whether its code is equal in both sources, so that printing
// can highlight the differing ones.
class QFuncodeCompareReport_Servo
{
public:
    // modelHeader: the eight column titles of the compare tree; columns: the tree columns (2 to 7) to
    // include, in order.
    QFuncodeCompareReport_Servo(const QStringList& modelHeader, const QList<int>& columns,
                                const QList<tagCompareFuncode_Servo*>& records);

    QStringList header() const { return m_header; }
    QList<QStringList> rows() const { return m_rows; }
    QList<bool> rowEqual() const { return m_rowEqual; }
    bool isEmpty() const { return m_rows.isEmpty(); }

    // The header fields joined by ",", then every row with each field followed by "," (so data lines end
    // with a comma). No quoting, the default text encoding. Written whole or not at all.
    bool writeCsv(const QString& path, QString* error) const;
    // Title "A VS B", section "STR_COMPARE", one table with the differing rows highlighted.
    void compose(QPrinterManager* printer, const QString& title) const;

private:
    static QString cellOf(const tagCompareFuncode_Servo& record, int column);

    QStringList m_header;
    QList<QStringList> m_rows;
    QList<bool> m_rowEqual;
};
