#pragma once

#include "QFuncodeFileParser_Servo.h"

class QFuncodeCsvPartQueue;
class QFuncodeCsvRecords;

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QVector>

// Reads a comma-separated function-code file: our own files, and what a person or a spreadsheet program
// makes of them (CRLF, LF or CR line ends, a byte-order mark, UTF-8 or the local encoding, quoted fields,
// names with commas, empty lines at the end).
//
// A large file is cut into parts (QFuncodeCsvParts) read on two threads, one from the front and one from
// the back, each with a parser of its own, and the parts are joined in file order: the records, the first
// error by line order and the lines named come out as one reading of the whole file gives them.
//
// Limits: a file of at most kMaxFileBytes, and those of QFuncodeFileParser_Servo (codes, field length,
// reading time). The file's bytes and their text are held in memory together while it is read.
class QFuncodeCsvReader_Servo
{
    Q_DECLARE_TR_FUNCTIONS(QFuncodeCsvReader_Servo)

public:
    // Larger files are refused: a function-code file of the largest drive is far below this.
    static const qint64 kMaxFileBytes = 64LL * 1024 * 1024;

    QFuncodeCsvReader_Servo(bool requireMark, QFuncodeFileParser_Servo::ModelLookup lookup);

    // 0, or an error number of QFuncodeHelperBase; errorDetail() names the line.
    int readFile(const QString& path, tagExportDevInfo_Servo* info);
    int readBytes(const QByteArray& bytes, tagExportDevInfo_Servo* info);
    QString errorDetail() const { return m_detail; }
    // Reading stops with FILE_ERR_CANCELLED once *cancel is true.
    void setCancelFlag(const std::atomic_bool* cancel) { m_cancel = cancel; }

    // The text of the file: the encoding its byte-order mark names, else UTF-8 when the bytes are valid
    // UTF-8, else the local encoding.
    static QString decode(const QByteArray& bytes);

private:
    // What readParts gives for a file it leaves to readWhole.
    static constexpr int kReadWhole = -1;

    int fail(int error, const QString& detail);
    int readWhole(const QString& text, tagExportDevInfo_Servo* info);
    int readParts(const QByteArray& bytes, const QVector<int>& starts, tagExportDevInfo_Servo* info);
    static int readFrontParts(const QByteArray& bytes, const QVector<int>& starts,
                              QFuncodeCsvPartQueue* queue, QFuncodeCsvRecords* first,
                              QFuncodeFileParser_Servo* parser, int* lines);
    static bool restIsUtf8(const QByteArray& bytes, const QVector<int>& starts, QFuncodeCsvPartQueue* queue);
    int finish(QFuncodeFileParser_Servo* parser, tagExportDevInfo_Servo* info);

    bool m_requireMark;
    QFuncodeFileParser_Servo::ModelLookup m_lookup;
    QString m_detail;
    const std::atomic_bool* m_cancel = nullptr;
};
