#include "QFuncodeCompareReport_Servo.h"

#include "QFuncodeCompareTreeModel_Servo.h"

#include "QPrinterManager.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QTextStream>

using TreeModel = QFuncodeCompareTreeModel_Servo;

QFuncodeCompareReport_Servo::QFuncodeCompareReport_Servo(const QStringList& modelHeader,
                                                         const QList<int>& columns,
                                                         const QList<tagCompareFuncode_Servo*>& records)
{
    m_header << modelHeader.value(TreeModel::COL_INDEX) << modelHeader.value(TreeModel::COL_NAME);
    for (int column : columns) {
        m_header << modelHeader.value(column);
    }
    for (const tagCompareFuncode_Servo* record : records) {
        QStringList row{record->funIndex, record->funName};
        for (int column : columns) {
            row << cellOf(*record, column);
        }
        m_rows.append(row);
        m_rowEqual.append(record->equal);
    }
}

QString QFuncodeCompareReport_Servo::cellOf(const tagCompareFuncode_Servo& record, int column)
{
    if (column >= TreeModel::COL_A_X && column <= TreeModel::COL_A_Z) {
        return record.textsA.value(column - TreeModel::COL_A_X);
    }
    if (column >= TreeModel::COL_B_X && column <= TreeModel::COL_B_Z) {
        return record.textsB.value(column - TreeModel::COL_B_X);
    }
    return QString();
}

bool QFuncodeCompareReport_Servo::writeCsv(const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        *error = file.errorString();
        return false;
    }
    QTextStream out(&file);
    out << m_header.join(QLatin1Char(',')) << '\n';
    for (const QStringList& row : m_rows) {
        for (const QString& field : row) {
            out << field << ',';
        }
        out << '\n';
    }
    out.flush();
    if (out.status() != QTextStream::Ok || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

void QFuncodeCompareReport_Servo::compose(QPrinterManager* printer, const QString& title) const
{
    printer->dataBegin();
    printer->insertTitle(title);
    printer->insertTitle2(QCoreApplication::translate("QFuncodeCompareDialog_Servo", "STR_COMPARE"));
    printer->tableBegin(m_header);
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rowEqual.at(row)) {
            printer->insert2TableRow(m_rows.at(row));
        } else {
            printer->insert2TableRowHighLight(m_rows.at(row));
        }
    }
    printer->tableEnd();
    printer->insertSeperator();
    printer->dataEnd();
}
