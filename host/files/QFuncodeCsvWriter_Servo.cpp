#include "QFuncodeCsvWriter_Servo.h"

#include "QCommonMethod.h"
#include "QFuncodeFileLayout_Servo.h"

#include <QSaveFile>
#include <QTextStream>

void QFuncodeCsvWriter_Servo::writeLine(QTextStream& stream, const QStringList& fields)
{
    QString line = fields.join(QLatin1Char(','));
    // A line end inside a field would start a new line of the file.
    if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r'))) {
        line.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    }
    stream << line << '\n';
}

QStringList QFuncodeCsvWriter_Servo::cells(const QStringList& fields)
{
    QStringList result;
    result.reserve(fields.size());
    for (const QString& field : fields) {
        result.append(QCommonMethod::semicolonReplaceComma(field));
    }
    return result;
}

void QFuncodeCsvWriter_Servo::writeFuncodes(QTextStream& stream, const tagExportDevInfo_Servo& info)
{
    stream << QFuncodeFileLayout_Servo::markLine() << '\n';
    writeLine(stream, QFuncodeFileLayout_Servo::deviceFields(info));
    writeLine(stream, QFuncodeFileLayout_Servo::headingFields());
    for (const tagExportFuncodePtr_Servo& funcode : info.funcodes) {
        if (funcode) {
            writeLine(stream, QFuncodeFileLayout_Servo::codeFields(*funcode));
        }
    }
    stream << QFuncodeFileLayout_Servo::endSign() << '\n';
}

void QFuncodeCsvWriter_Servo::writePage(QTextStream& stream, const QString& title, const QStringList& header,
                                        const QList<QStringList>& rows, const QString& text)
{
    stream << '\n' << cells(QStringList{title}).value(0) << '\n';
    if (!header.isEmpty()) {
        writeLine(stream, cells(header));
    }
    for (const QStringList& row : rows) {
        writeLine(stream, cells(row));
    }
    if (rows.isEmpty() && !text.isEmpty()) {
        stream << cells(QStringList{text}).value(0) << '\n';
    }
}

bool QFuncodeCsvWriter_Servo::writeFile(const QString& path, const tagExportDevInfo_Servo& info,
                                        QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        *error = file.errorString();
        return false;
    }
    QTextStream stream(&file);
    writeFuncodes(stream, info);
    stream.flush();
    if (stream.status() != QTextStream::Ok || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
