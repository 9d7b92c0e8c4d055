#include "QFuncodeHelper_Servo.h"

#include "QBoundedFileReader.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QExportDB_Servo.h"
#include "QFuncodeCsvReader_Servo.h"
#include "QFuncodeCsvWriter_Servo.h"
#include "QFuncodeExportRecords_Servo.h"
#include "QFuncodeFileLayout_Servo.h"
#include "QFuncodePageRows_Servo.h"
#include "QFuncodeXlsxFile_Servo.h"
#include "QLibLogger.h"
#include "QLibSetting.h"
#include "QSystemSetting.h"

#include <QFileInfo>
#include <QTextStream>
#include <log4cplus/loggingmacros.h>

namespace {
// The description of a drive model named in a file, also under a name the model had before.
QDriveModelPtr catalogueModel(const QString& modelName)
{
    const QDeviceManager* manager = QDeviceManager::self();
    const QDriveCatalogue* catalogue = manager ? manager->getCatalogue() : nullptr;
    if (!catalogue) {
        return QDriveModelPtr();
    }
    if (QDriveModelPtr model = catalogue->model(modelName)) {
        return model;
    }
    for (const QDriveModelPtr& model : catalogue->models()) {
        if (model->renamedFrom.contains(modelName)) {
            return model;
        }
    }
    return QDriveModelPtr();
}
} // namespace

QFuncodeHelper_Servo::QFuncodeHelper_Servo() = default;

QFuncodeHelper_Servo::~QFuncodeHelper_Servo() = default;

QDeviceServo* QFuncodeHelper_Servo::selectedServo()
{
    const QDeviceManager* manager = QDeviceManager::self();
    return manager ? manager->getSelectServo() : nullptr;
}

bool QFuncodeHelper_Servo::finish(int result, int& error, const QString& fileName, const QString& detail)
{
    error = result;
    setLastError(result, detail);
    if (result != FILE_OK) {
        LOG4CPLUS_INFO(QLibLogger::self()->getDefaultLogger(),
                       "Function-code file " << fileName.toStdString()
                                             << " not read: " << getErrorStr(result).toStdString());
    }
    return result == FILE_OK;
}

// ---------------------------------------------------------------- reading

bool QFuncodeHelper_Servo::getCsvFileFuncodeInfoServo(const QString& fileName, tagExportDevInfo_Servo& info,
                                                      int& error, bool bRequireImportMark,
                                                      bool bAuthorityFilter)
{
    QFuncodeCsvReader_Servo reader(bRequireImportMark, catalogueModel);
    tagExportDevInfo_Servo read;
    const int result = reader.readFile(fileName, &read);
    if (result == FILE_OK) {
        info = read;
        if (bAuthorityFilter) {
            filterByAuthority(&info);
        }
    }
    return finish(result, error, fileName, reader.errorDetail());
}

bool QFuncodeHelper_Servo::getXlsxFileFuncodeInfoServo(const QString& fileName, tagExportDevInfo_Servo& info,
                                                       int& error)
{
    QFuncodeXlsxFile_Servo workbook(catalogueModel);
    tagExportDevInfo_Servo read;
    const int result = workbook.read(fileName, &read);
    if (result == FILE_OK) {
        info = read;
    }
    return finish(result, error, fileName, workbook.errorDetail());
}

bool QFuncodeHelper_Servo::getFuncodeServoFileInfoServo(const QString& fileName, tagExportDevInfo_Servo& info,
                                                        int& error)
{
    QBoundedFileReader reader(QExportDB_Servo::kMaxFileBytes);
    const int checked = reader.check(fileName);
    if (checked != QBoundedFileReader::READ_OK) {
        return finish(fileError(checked), error, fileName, reader.errorText());
    }
    const QFileInfo file(fileName);
    if (file.size() == 0) {
        return finish(FILE_ERR_EMPTY, error, fileName, file.fileName());
    }
    // A file that cannot be opened as a function-code database is error 1 whatever the reason; the
    // reason is in the message.
    QExportDB_Servo database;
    if (!database.openForReading(fileName)) {
        return finish(FILE_ERR_OPEN, error, fileName, database.lastError());
    }
    const QList<tagExportDevInfo_Servo> devices = database.getImportDevInfoRecords();
    const QString reason = database.lastError();
    database.closeDatabase();
    if (!reason.isEmpty()) {
        return finish(FILE_ERR_OPEN, error, fileName, reason);
    }
    if (devices.isEmpty()) {
        return finish(FILE_ERR_NO_DEVICE, error, fileName, file.fileName());
    }
    info = devices.first();
    return finish(FILE_OK, error, fileName, QString());
}

bool QFuncodeHelper_Servo::getFileFuncodeInfoServo(const QString& fileName, tagExportDevInfo_Servo& info,
                                                   int& error)
{
    const QString suffix = QFileInfo(fileName).suffix();
    if (suffix.contains(QLatin1String("funcodeservo"))) {
        return getFuncodeServoFileInfoServo(fileName, info, error);
    }
    if (suffix == QLatin1String("xlsx")) {
        return getXlsxFileFuncodeInfoServo(fileName, info, error);
    }
    return getCsvFileFuncodeInfoServo(fileName, info, error, true, false);
}

QStringList QFuncodeHelper_Servo::segMenteStrForList(const QString& line)
{
    QString text = line;
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'))) {
        text.chop(1);
    }
    const QStringList tokens = QFuncodeLineSplitter_Servo::tokenize(text);
    QStringList fields;
    const QFuncodeLineSplitter_Servo splitter;
    if (tokens.size() > QFuncodeFileLayout_Servo::FIELD_COUNT && splitter.split(tokens, &fields)) {
        return fields;
    }
    return tokens;
}

void QFuncodeHelper_Servo::filterByAuthority(tagExportDevInfo_Servo* info)
{
    const int authority = QLibSetting::self()->getSystemSetting()->getAuthority();
    tagExportFuncodeList_Servo kept;
    for (const tagExportFuncodePtr_Servo& funcode : qAsConst(info->funcodes)) {
        if (QDeviceServo::isAuthValid(funcode->authority, authority)) {
            kept.append(funcode);
        }
    }
    info->funcodes = kept;
}

// ---------------------------------------------------------------- exporting

tagExportFuncodeList_Servo QFuncodeHelper_Servo::withPresentValues(const tagExportFuncodeList_Servo& records)
{
    const QDeviceServo* device = selectedServo();
    tagExportFuncodeList_Servo present;
    present.reserve(records.size());
    for (const tagExportFuncodePtr_Servo& record : records) {
        const tagSubFuncode_Servo* fun =
            device && record ? device->getFuncodePtrByFunIndex(record->funIndex) : nullptr;
        if (fun) {
            present.append(QFuncodeExportRecords_Servo::fromDevice(device, fun));
        } else if (record) {
            present.append(record);
        }
    }
    return present;
}

bool QFuncodeHelper_Servo::exportSelectInfoListServo(const tagExportFuncodeList_Servo& records,
                                                     const QStringList& pageNames, QTextStream& stream,
                                                     bool bFocus)
{
    const QDeviceServo* device = selectedServo();
    if (!records.isEmpty()) {
        tagExportDevInfo_Servo info =
            device ? QFuncodeExportRecords_Servo::deviceHeader(device) : tagExportDevInfo_Servo();
        info.modeText = bFocus ? QFuncodeFileLayout_Servo::focusMode() : QString();
        info.funcodes = withPresentValues(records);
        QFuncodeCsvWriter_Servo::writeFuncodes(stream, info);
    }
    for (const QString& page : pageNames) {
        QStringList header;
        QList<QStringList> rows;
        QString text;
        getServoNonFuncodeInfoList(page, header, rows, text);
        QFuncodeCsvWriter_Servo::writePage(stream, page, header, rows, text);
    }
    stream.flush();
    if (stream.status() != QTextStream::Ok) {
        setLastError(FILE_ERR_WRITE, stream.device() ? stream.device()->errorString() : QString());
        return false;
    }
    return true;
}

bool QFuncodeHelper_Servo::exportSelectInfoListServo(const tagExportFuncodeList_Servo& records,
                                                     const QStringList& pageNames, const QString& fileName)
{
    const QDeviceServo* device = selectedServo();
    QFuncodeXlsxFile_Servo workbook;
    if (!records.isEmpty()) {
        tagExportDevInfo_Servo info =
            device ? QFuncodeExportRecords_Servo::deviceHeader(device) : tagExportDevInfo_Servo();
        info.funcodes = withPresentValues(records);
        workbook.addFuncodes(tr("STR_FUNCODE"), info);
    }
    for (const QString& page : pageNames) {
        QStringList header;
        QList<QStringList> rows;
        QString text;
        getServoNonFuncodeInfoList(page, header, rows, text);
        workbook.addPage(page, header, rows, text);
    }
    const int result = workbook.write(fileName);
    setLastError(result, workbook.errorDetail());
    return result == FILE_OK;
}

// ---------------------------------------------------------------- function-code file of a drive

QList<tagExportDevInfo_Servo> QFuncodeHelper_Servo::collectDeviceFuncodes()
{
    return QFuncodeExportRecords_Servo::collectDeviceFuncodes(selectedServo());
}

bool QFuncodeHelper_Servo::writeFuncodeDatabaseFile(const QString& fileName,
                                                    const QList<tagExportDevInfo_Servo>& devices,
                                                    QString* error)
{
    QExportDB_Servo database;
    const bool written = database.writeFile(fileName, devices);
    setLastError(written ? FILE_OK : FILE_ERR_WRITE, database.lastError());
    if (error) {
        *error = written ? QString() : database.lastError();
    }
    return written;
}

bool QFuncodeHelper_Servo::writeFuncodeCsvFile(const QString& fileName, const tagExportDevInfo_Servo& info,
                                               QString* error)
{
    QString reason;
    const bool written = QFuncodeCsvWriter_Servo::writeFile(fileName, info, &reason);
    setLastError(written ? FILE_OK : FILE_ERR_WRITE, reason);
    if (error) {
        *error = reason;
    }
    return written;
}

void QFuncodeHelper_Servo::writeFuncodeCsv(QTextStream& stream, const tagExportDevInfo_Servo& info)
{
    QFuncodeCsvWriter_Servo::writeFuncodes(stream, info);
}

bool QFuncodeHelper_Servo::writeFuncodeXlsxFile(const QString& fileName, const tagExportDevInfo_Servo& info)
{
    QFuncodeXlsxFile_Servo workbook;
    workbook.addFuncodes(tr("STR_FUNCODE"), info);
    const int result = workbook.write(fileName);
    setLastError(result, workbook.errorDetail());
    return result == FILE_OK;
}

bool QFuncodeHelper_Servo::writeFuncodeFile(const QString& fileName, const tagExportDevInfo_Servo& info)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("funcodeservo")) {
        return writeFuncodeDatabaseFile(fileName, {info});
    }
    if (suffix == QLatin1String("xlsx")) {
        return writeFuncodeXlsxFile(fileName, info);
    }
    return writeFuncodeCsvFile(fileName, info);
}

// ---------------------------------------------------------------- contents of exports and reports

tagExportFuncodeList_Servo QFuncodeHelper_Servo::getServoExportFuncodeList(bool bWithStateCodes)
{
    return QFuncodeExportRecords_Servo::exportList(selectedServo(), bWithStateCodes);
}

QStringList QFuncodeHelper_Servo::getServoFuncodeHeaderList(int axisNum)
{
    QStringList header =
        QFuncodeFileLayout_Servo::headingFields().mid(0, QFuncodeFileLayout_Servo::FIELD_RAW);
    for (int axis = 0; axis < qBound(1, axisNum, 3); ++axis) {
        const QString letter = QDeviceServo::getAxisName(axis);
        header << QStringLiteral("%1(%2)").arg(tr("STR_CUR_VAL"), letter)
               << QStringLiteral("%1(%2)").arg(tr("STR_STRING_VALUE"), letter);
    }
    header << tr("STR_UNIT");
    return header;
}

bool QFuncodeHelper_Servo::getServoNonFuncodeInfoList(const QString& pageName, QStringList& headerList,
                                                      QList<QStringList>& rows, QString& text)
{
    return QFuncodePageRows_Servo::build(selectedServo(), pageName, &headerList, &rows, &text);
}

void QFuncodeHelper_Servo::initServoDataTypeMap()
{
    m_dataTypes.clear();
    for (int dataType : {3, 4, 7, 8, 15}) {
        m_dataTypes.insert(dataType, QDeviceServo::getDataTypeStr(dataType));
    }
}

QString QFuncodeHelper_Servo::getDataTypeStr(int dataType) const
{
    return m_dataTypes.value(dataType, QString::number(dataType));
}
