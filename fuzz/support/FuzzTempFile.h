#pragma once

#include <QByteArray>
#include <QString>

// Puts a fuzz input into a file, for readers that take a path. One folder per process, removed at exit;
// each call overwrites the same file and removes what SQLite may have left beside it.
class FuzzTempFile
{
public:
    // The path of a file holding data, named "input<suffix>"; empty when it could not be written.
    static QString write(const QByteArray& data, const QString& suffix = QString());
};
