#include "QFuncodeHelperBase.h"

#include "QBoundedFileReader.h"

int QFuncodeHelperBase::s_lastError = QFuncodeHelperBase::FILE_OK;
QString QFuncodeHelperBase::s_lastDetail;

QFuncodeHelperBase::~QFuncodeHelperBase() = default;

QString QFuncodeHelperBase::baseText(int error)
{
    switch (error) {
    case FILE_OK:
        return QString();
    case FILE_ERR_OPEN:
        return tr("STR_FILE_ERR_OPEN");
    case FILE_ERR_EMPTY:
        return tr("STR_FILE_ERR_EMPTY");
    case FILE_ERR_NO_MARK:
        return tr("STR_FILE_ERR_NO_MARK");
    case FILE_ERR_NO_DEVICE:
        return tr("STR_FILE_ERR_NO_DEVICE");
    case FILE_ERR_DEVICE_INFO:
        return tr("STR_FILE_ERR_DEVICE_INFO");
    case FILE_ERR_FIELD_COUNT:
        return tr("STR_FILE_ERR_FIELD_COUNT");
    case FILE_ERR_NOT_INTEGER:
        return tr("STR_FILE_ERR_NOT_INTEGER");
    case FILE_ERR_AXIS_COUNT:
        return tr("STR_FILE_ERR_AXIS_COUNT");
    case FILE_ERR_SPLIT:
        return tr("STR_FILE_ERR_SPLIT");
    case FILE_ERR_NO_FUNCODE:
        return tr("STR_FILE_ERR_NO_FUNCODE");
    case FILE_ERR_NOT_ZIP:
        return tr("STR_FILE_ERR_NOT_ZIP");
    case FILE_ERR_NOT_WORKBOOK:
        return tr("STR_FILE_ERR_NOT_WORKBOOK");
    case FILE_ERR_BAD_XML:
        return tr("STR_FILE_ERR_BAD_XML");
    case FILE_ERR_ZIP_ENTRY:
        return tr("STR_FILE_ERR_ZIP_ENTRY");
    case FILE_ERR_TOO_LARGE:
        return tr("STR_FILE_ERR_TOO_LARGE");
    case FILE_ERR_DATABASE:
        return tr("STR_FILE_ERR_DATABASE");
    case FILE_ERR_WRITE:
        return tr("STR_FILE_ERR_WRITE");
    case FILE_ERR_NO_NUMBER:
        return tr("STR_FILE_ERR_NO_NUMBER");
    case FILE_ERR_CANCELLED:
        return tr("STR_FILE_ERR_CANCELLED");
    default:
        return tr("STR_FILE_ERR_UNKNOWN").arg(error);
    }
}

QString QFuncodeHelperBase::getErrorStr(int error)
{
    const QString text = baseText(error);
    if (error != s_lastError || s_lastDetail.isEmpty() || error == FILE_OK) {
        return text;
    }
    return QStringLiteral("%1: %2").arg(text, s_lastDetail);
}

QString QFuncodeHelperBase::lastErrorText()
{
    return getErrorStr(s_lastError);
}

int QFuncodeHelperBase::lastError()
{
    return s_lastError;
}

QString QFuncodeHelperBase::lastErrorDetail()
{
    return s_lastDetail;
}

int QFuncodeHelperBase::setLastError(int error, const QString& detail)
{
    s_lastError = error;
    s_lastDetail = error == FILE_OK ? QString() : detail;
    return error;
}

QString QFuncodeHelperBase::lineText(int line)
{
    return tr("STR_FILE_AT_LINE").arg(line);
}

QString QFuncodeHelperBase::excerpt(const QStringRef& field)
{
    const int kMaxChars = 40;
    if (field.size() <= kMaxChars) {
        return field.toString();
    }
    return field.left(kMaxChars).toString() + QChar(0x2026);
}

int QFuncodeHelperBase::fileError(int readResult)
{
    switch (readResult) {
    case QBoundedFileReader::READ_OK:
        return FILE_OK;
    case QBoundedFileReader::READ_TOO_LARGE:
        return FILE_ERR_TOO_LARGE;
    default:
        return FILE_ERR_OPEN;
    }
}
