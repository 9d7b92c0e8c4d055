#pragma once

#include <QFileDevice>
#include <QList>
#include <QPair>
#include <QString>

// Makes one file read-only for this process for the lifetime of the object, the way a file copied from a
// read-only medium or owned by another user is. The folder and the other files in it stay writable for
// everyone, so that only this file is affected. Root writes any file whatever its mode, so a process running
// as root also takes the identity of "nobody" (effective user only) while the object lives; open the file
// within that time.
class QTestReadOnlyFile
{
public:
    explicit QTestReadOnlyFile(const QString& path);
    ~QTestReadOnlyFile();
    QTestReadOnlyFile(const QTestReadOnlyFile&) = delete;
    QTestReadOnlyFile& operator=(const QTestReadOnlyFile&) = delete;

    // False when the file could not be made read-only.
    bool isValid() const { return m_valid; }

private:
    void setPermissions(const QString& path, QFileDevice::Permissions permissions);

    QList<QPair<QString, QFileDevice::Permissions>> m_restore;
    bool m_valid = false;
    bool m_switchedUser = false;
};
