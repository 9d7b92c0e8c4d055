#include "QTestReadOnlyFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pwd.h>
#include <unistd.h>

namespace {
const QFileDevice::Permissions kEveryone =
    QFileDevice::ReadOwner | QFileDevice::ReadUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
const QFileDevice::Permissions kWritable =
    QFileDevice::WriteOwner | QFileDevice::WriteUser | QFileDevice::WriteGroup | QFileDevice::WriteOther;
const QFileDevice::Permissions kEnter =
    QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup | QFileDevice::ExeOther;
} // namespace

QTestReadOnlyFile::QTestReadOnlyFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        return;
    }
    // Another user must be able to reach the folder, read the file and write beside it.
    QDir dir = info.absoluteDir();
    setPermissions(dir.path(), kEveryone | kWritable | kEnter);
    // The group counts too: only the user changes, the group stays root's.
    const QFileDevice::Permissions reach =
        QFileDevice::ExeGroup | QFileDevice::ReadGroup | QFileDevice::ExeOther | QFileDevice::ReadOther;
    while (dir.cdUp() && !dir.isRoot()) {
        const QFileDevice::Permissions now = QFileInfo(dir.path()).permissions();
        if ((now & reach) != reach) {
            setPermissions(dir.path(), now | reach);
        }
    }
    // The other files of the folder stay writable, for whichever user this process will be.
    const QFileInfoList siblings = info.absoluteDir().entryInfoList(QDir::Files);
    for (const QFileInfo& sibling : siblings) {
        if (sibling.absoluteFilePath() != info.absoluteFilePath()) {
            setPermissions(sibling.absoluteFilePath(), kEveryone | kWritable);
        }
    }
    setPermissions(path, kEveryone);
    if (geteuid() == 0) {
        const passwd* nobody = getpwnam("nobody");
        m_switchedUser = nobody && seteuid(nobody->pw_uid) == 0;
        m_valid = m_switchedUser;
        return;
    }
    m_valid = true;
}

QTestReadOnlyFile::~QTestReadOnlyFile()
{
    if (m_switchedUser) {
        // The saved user id is still root's, so the switch can be undone.
        if (seteuid(0) != 0) {
            qFatal("cannot return to the root user");
        }
    }
    for (int i = m_restore.size() - 1; i >= 0; --i) {
        QFile::setPermissions(m_restore.at(i).first, m_restore.at(i).second);
    }
}

void QTestReadOnlyFile::setPermissions(const QString& path, QFileDevice::Permissions permissions)
{
    m_restore.append(qMakePair(path, QFileInfo(path).permissions()));
    QFile::setPermissions(path, permissions);
}
