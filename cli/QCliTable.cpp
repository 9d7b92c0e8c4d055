#include "QCliTable.h"

#include <QVector>

namespace {
const char kColumnGap[] = "  ";
}

QString QCliTable::csvField(const QString& field)
{
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) &&
        !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r'))) {
        return field;
    }
    QString quoted = field;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString QCliTable::toCsv() const
{
    QString text;
    QList<QStringList> lines = m_rows;
    if (!m_header.isEmpty()) {
        lines.prepend(m_header);
    }
    for (const QStringList& row : qAsConst(lines)) {
        QStringList fields;
        for (const QString& field : row) {
            fields.append(csvField(field));
        }
        text += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return text;
}

QString QCliTable::toText(bool withHeader) const
{
    QList<QStringList> lines = m_rows;
    if (withHeader && !m_header.isEmpty()) {
        lines.prepend(m_header);
    }
    QVector<int> widths;
    for (const QStringList& row : qAsConst(lines)) {
        for (int column = 0; column < row.size(); ++column) {
            if (column >= widths.size()) {
                widths.append(0);
            }
            widths[column] = qMax(widths.at(column), row.at(column).size());
        }
    }
    QString text;
    for (const QStringList& row : qAsConst(lines)) {
        QString line;
        for (int column = 0; column < row.size(); ++column) {
            const bool last = column == row.size() - 1;
            line += last ? row.at(column) : row.at(column).leftJustified(widths.at(column)) + kColumnGap;
        }
        text += line + QLatin1Char('\n');
    }
    return text;
}
