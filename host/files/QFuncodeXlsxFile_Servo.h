#pragma once

#include "QFuncodeFileParser_Servo.h"
#include "QXlsxWorkbookWriter.h"
#include "tagExportDevInfo_Servo.h"

#include <QCoreApplication>
#include <QString>

class QXlsxWorkbookReader;

// Function codes in a workbook: a sheet laid out as the comma-separated function-code file, one cell per
// field (integers as numbers), and further sheets of other pages. Reading takes the first sheet that
// starts with the import mark, else the first sheet.
class QFuncodeXlsxFile_Servo
{
    Q_DECLARE_TR_FUNCTIONS(QFuncodeXlsxFile_Servo)

public:
    explicit QFuncodeXlsxFile_Servo(
        QFuncodeFileParser_Servo::ModelLookup lookup = QFuncodeFileParser_Servo::ModelLookup());

    // 0 or an error number of QFuncodeHelperBase; errorDetail() tells where.
    int read(const QString& path, tagExportDevInfo_Servo* info);
    int readBytes(const QByteArray& bytes, tagExportDevInfo_Servo* info);
    // Reading stops with FILE_ERR_CANCELLED once *cancel is true.
    void setCancelFlag(const std::atomic_bool* cancel) { m_cancel = cancel; }

    void addFuncodes(const QString& sheetName, const tagExportDevInfo_Servo& info);
    void addPage(const QString& sheetName, const QStringList& header, const QList<QStringList>& rows,
                 const QString& text);
    int write(const QString& path);

    QString errorDetail() const { return m_detail; }

private:
    int readWorkbook(QXlsxWorkbookReader& reader, tagExportDevInfo_Servo* info);
    int funcodeSheet(QXlsxWorkbookReader& reader, int* sheet);
    static QVariantList textRow(const QStringList& texts);
    static QVariantList pageRow(const QStringList& texts);
    static QVariantList codeRow(const tagExportFuncode_Servo& funcode);

    QFuncodeFileParser_Servo::ModelLookup m_lookup;
    QXlsxWorkbookWriter m_writer;
    QString m_detail;
    const std::atomic_bool* m_cancel = nullptr;
};
