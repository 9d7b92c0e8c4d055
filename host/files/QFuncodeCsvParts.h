#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// A comma-separated file cut into parts at line ends, so that two threads can share out its reading: the
// parts are small enough that the thread that runs faster (the other may be given less of the processor)
// takes more of them. A cut is made only where it is certain that every reading of the whole file would
// start a record there, and only in UTF-8 (with or without its byte-order mark), where a line end and a
// quote are the bytes they are in any sequence; a file of another encoding is read in one piece.
class QFuncodeCsvParts
{
public:
    // Smaller files are read in one piece: a second thread would not pay for itself.
    static constexpr int kMinBytes = 64 * 1024;
    // About the size of a part; a larger file is cut into at most kMaxParts.
    static constexpr int kPartBytes = 32 * 1024;
    static constexpr int kMaxParts = 64;

    // Where each part starts, and the file's size last; empty when the file is to be read in one piece.
    static QVector<int> cut(const QByteArray& bytes);
    // The text of bytes from..to-1 of a file cut at from and to. False when they are not valid UTF-8: then
    // the whole file is in the local encoding.
    static bool decode(const QByteArray& bytes, int from, int to, QString* text);

private:
    static bool hasUtf8Mark(const QByteArray& bytes);
    static int lineEndAfter(const QByteArray& bytes, int from, int limit);
};
