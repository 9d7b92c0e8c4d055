#include "QFaultCsvExporter.h"

#include "QDeviceServo.h"
#include "QMyMessageBox.h"
#include "QSaveAsDialog.h"

#include <QCoreApplication>
#include <QDebug>
#include <QSaveFile>
#include <QTextStream>

namespace {
QString tr(const char* key)
{
    return QCoreApplication::translate("QFaultCsvExporter", key);
}

QString quoted(const QString& field)
{
    static const QString special = QStringLiteral(",\"\r\n");
    for (const QChar c : field) {
        if (special.contains(c)) {
            QString text = field;
            return QLatin1Char('"') + text.replace(QLatin1String("\""), QLatin1String("\"\"")) +
                   QLatin1Char('"');
        }
    }
    return field;
}
} // namespace

QString QFaultCsvExporter::csvLine(const QStringList& fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString& field : fields) {
        out.append(quoted(field));
    }
    return out.join(QLatin1Char(','));
}

QString QFaultCsvExporter::askPath(QWidget* parent, const QString& alias)
{
    return QSaveAsDialog::getSaveFileName(parent, tr("STR_SAVE_AS"),
                                          QStringLiteral("%1_%2").arg(QStringLiteral("ExportInfo"), alias),
                                          tr("File(*.csv)"));
}

bool QFaultCsvExporter::exportTable(QWidget* parent, const QDeviceServo* device, const Table& table)
{
    if (!device) {
        QMyMessageBox::information(parent, tr("STR_EXPORT"), tr("STR_NOTSELECT_DEVICE"));
        return false;
    }
    const QString path = askPath(parent, device->getAliasName());
    if (path.isEmpty()) {
        return false;
    }
    QString error;
    if (!writeCsv(path, table, &error)) {
        qDebug() << "Open file failed!" << path << error;
        QMyMessageBox::information(parent, tr("STR_EXPORT"), tr("STR_OPEN_FILE_FAILED"));
        return false;
    }
    QMyMessageBox::success(parent, tr("STR_EXPORT"), tr("STR_EXPORT_SUCCESS").arg(path),
                           tr("STR_EXPORT_DETAIL_ROWS").arg(table.rows.size()));
    return true;
}

bool QFaultCsvExporter::writeCsv(const QString& path, const Table& table, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        *error = file.errorString();
        return false;
    }
    QTextStream out(&file);
    out << csvLine({table.heading}) << '\n' << csvLine(table.headers) << '\n';
    for (const QStringList& row : table.rows) {
        out << csvLine(row) << '\n';
    }
    out.flush();
    if (out.status() != QTextStream::Ok || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
