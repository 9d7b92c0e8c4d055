#include "QCliSource.h"

#include "QCliConsole.h"
#include "QCliDrive.h"
#include "QCliDriveAddress.h"
#include "QCliExit.h"
#include "QCliSession.h"
#include "QDeviceServo.h"
#include "QFuncodeHelper_Servo.h"

#include <QRegularExpression>

int QCliSource::load(QCliSession& session, const QString& text)
{
    m_name = text;
    if (!QCliDriveAddress::isDriveText(text)) {
        return loadFile(session, text);
    }
    int status = QCliExit::OK;
    m_drive = session.drive(text, &status);
    if (!m_drive) {
        return status;
    }
    const QStringList unread = m_drive->read(m_drive->normalCodes());
    if (!unread.isEmpty()) {
        session.console().error(tr("STR_CLI_NOT_READ_CODES")
                                    .arg(unread.size())
                                    .arg(unread.mid(0, 10).join(QStringLiteral(", "))));
        return QCliExit::DRIVE_NOT_REACHED;
    }
    return QCliExit::OK;
}

int QCliSource::loadFile(QCliSession& session, const QString& path)
{
    int error = 0;
    if (!QFuncodeHelper_Servo::getFileFuncodeInfoServo(path, m_file, error) || error != 0) {
        session.console().error(tr("STR_CLI_FILE_REFUSED").arg(path, QFuncodeHelperBase::getErrorStr(error)));
        return QCliExit::FILE_REFUSED;
    }
    return QCliExit::OK;
}

QString QCliSource::model() const
{
    if (m_drive) {
        return m_drive->device()->getDevName();
    }
    return m_file.devText.section(QRegularExpression(QStringLiteral("[-_]")), 0, 0);
}
