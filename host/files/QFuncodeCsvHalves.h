#pragma once

#include <QByteArray>
#include <QString>

// A comma-separated file cut in two at a line end near its middle, so that two threads can each read one
// half. A cut is made only where it is certain that every reading of the whole file would start a record
// there, and only in UTF-8 (with or without its byte-order mark), where a line end and a quote are the
// bytes they are in any sequence; a file of another encoding is read in one piece.
class QFuncodeCsvHalves
{
public:
    // Smaller files are read in one piece: a second thread would not pay for itself.
    static const int kMinBytes = 64 * 1024;

    // Where the second half starts, or 0 when the file is to be read in one piece.
    static int cut(const QByteArray& bytes);
    // The text of bytes from..to-1 of a file cut at from or to. False when they are not valid UTF-8: then
    // the whole file is in the local encoding.
    static bool decode(const QByteArray& bytes, int from, int to, QString* text);

private:
    static bool hasUtf8Mark(const QByteArray& bytes);
};
