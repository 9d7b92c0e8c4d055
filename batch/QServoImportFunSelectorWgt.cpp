#include "QServoImportFunSelectorWgt.h"

#include "QBatchReadWrite_Servo.h"
#include "QBoundedFileReader.h"
#include "QCommonMethod.h"
#include "QConfigDB_Servo.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeCsvReader_Servo.h"
#include "QFuncodeFileLayout_Servo.h"
#include "QFuncodeHelper_Servo.h"
#include "QMyMessageBox.h"
#include "QProjectCore.h"
#include "QServoFunOperationModel.h"

#include <QFile>
#include <QFileInfo>
#include <QTreeView>

namespace {
// The mark and device lines are short; a longer "line" is not one of ours.
const qint64 kMaxHeadLine = 4096;
} // namespace

QServoImportFunSelectorWgt::QServoImportFunSelectorWgt(QWidget* parent) : QImportFuncodeSelectorWidget(parent)
{
    setObjectName(QStringLiteral("QServoImportFunSelectorWgt"));
}

QFunOperationModel* QServoImportFunSelectorWgt::createModel()
{
    return new QServoFunOperationModel(this);
}

// ---------------------------------------------------------------- the tree

int QServoImportFunSelectorWgt::sourceAxisCount() const
{
    int axes = 1;
    for (const FunOperationDataUnitPtr& unit : sourceUnits()) {
        axes = qMax(axes, unit->axisNum);
    }
    return qMin(axes, 3);
}

void QServoImportFunSelectorWgt::initTreeModelData()
{
    auto* servoModel = static_cast<QServoFunOperationModel*>(model());
    const bool fromDevice = sourceKind() == SOURCE_DEVICE;
    servoModel->setSourceLayout(fromDevice, sourceAxisCount(), fromDevice);
    servoModel->setParentItemTitle(tr("STR_FUNCODE"));
    const QList<FunOperationDataUnitPtr> units = sourceUnits();
    markCurrentDevice(units);
    servoModel->load(units);
    treeView()->expandToDepth(0);
}

void QServoImportFunSelectorWgt::resetColumnWidth()
{
    treeView()->setColumnWidth(0, 200);
    treeView()->setColumnWidth(1, 220);
    for (int column = 2; column < model()->columnCount(); ++column) {
        treeView()->setColumnWidth(column, 120);
    }
}

// The selected drive, when it is of the source's model, is what the source is compared with.
void QServoImportFunSelectorWgt::markCurrentDevice(const QList<FunOperationDataUnitPtr>& units) const
{
    const QDeviceServo* dev = QProjectCore::self()->getDevMgr()->getSelectServo();
    const bool comparable = dev && dev->getDevName() == devName();
    for (const FunOperationDataUnitPtr& unit : units) {
        QList<qint64> values;
        QList<bool> known;
        // A code the drive has not been asked for yet is not pointed out; one that failed to read is.
        const QServoValue::State state =
            comparable ? dev->valueInfo(unit->funIndex, 0).state : QServoValue::NOT_READ;
        const bool asked = state == QServoValue::READ || state == QServoValue::STALE;
        for (int axis = 0; asked && axis < unit->axisNum; ++axis) {
            qint64 raw = 0;
            known << dev->curValue(unit->funIndex, axis, &raw);
            values << raw;
        }
        unit->setCurDevValues(values, known);
    }
}

// ---------------------------------------------------------------- sources

void QServoImportFunSelectorWgt::refuse(const QString& text)
{
    QMyMessageBox::information(this, tr("STR_BATCH_DOWNLOAD"), text);
}

bool QServoImportFunSelectorWgt::readDeviceData(const QString& alias)
{
    QDeviceServo* dev = QProjectCore::self()->getDevMgr()->getDeviceServo(alias);
    if (!dev) {
        refuse(tr("STR_NO_EXIST_DEVICE"));
        return false;
    }
    if (dev->isDeviceOnline()) {
        QBatchReadWrite_Servo reader(alias, tr("STR_READ"), this, 0);
        reader.batchReadFuncode(QStringList());
        // The drive may have been removed while it was read.
        dev = QProjectCore::self()->getDevMgr()->getDeviceServo(alias);
    }
    if (!dev || !dev->isDeviceOnline()) {
        refuse(tr("STR_DEVICE_NOT_ONLINE"));
        return false;
    }
    const QList<FunOperationDataUnitPtr> units = deviceUnits(dev);
    if (units.isEmpty()) {
        refuse(tr("STR_BATCH_SOURCE_UNREAD"));
        return false;
    }
    setSourceData(SOURCE_DEVICE, alias, dev->getDevName(), dev->getConfigVersion(), units);
    return true;
}

// The codes of the drive whose every axis was read; a code that did not read is left out rather than
// handing the other drives a value the source never had.
QList<FunOperationDataUnitPtr> QServoImportFunSelectorWgt::deviceUnits(const QDeviceServo* dev) const
{
    QList<FunOperationDataUnitPtr> units;
    const QDeviceServo::FuncodeGroupMap& groups = dev->getNormalFuncodeGroupMap();
    const int axes = dev->getAxisNum();
    for (const QString& name : QDeviceServo::orderGroupName(groups.keys())) {
        for (const tagSubFuncode_Servo* fun : groups.value(name)) {
            auto unit = FunOperationDataUnitPtr::create();
            unit->groupName = fun->groupName;
            unit->funIndex = fun->funIndex;
            unit->funName = fun->funName;
            unit->authority = fun->authority;
            unit->dataType = fun->dataType;
            unit->axisNum = axes;
            unit->defaultText =
                QCommonMethod::semicolonReplaceComma(dev->getScaledDefaultValueStr(fun->funIndex, 0));
            bool read = true;
            for (int axis = 0; axis < axes; ++axis) {
                qint64 raw = 0;
                read = dev->curValue(fun->funIndex, axis, &raw) && read;
                unit->values << raw;
                unit->valueTexts << QCommonMethod::semicolonReplaceComma(
                    dev->getScaledCurValueStr(fun->funIndex, axis));
            }
            if (read) {
                units << unit;
            }
        }
    }
    return units;
}

bool QServoImportFunSelectorWgt::readFileData(const QString& path)
{
    QString refusal;
    if (!checkFileHead(path, &refusal)) {
        refuse(refusal);
        return false;
    }
    tagExportDevInfo_Servo info;
    int error = QFuncodeHelperBase::FILE_OK;
    if (!QFuncodeHelper_Servo::getFileFuncodeInfoServo(path, info, error)) {
        refuse(error == QFuncodeHelperBase::FILE_ERR_NO_MARK ? tr("STR_FILE_FORMAT_FAILED")
                                                             : QFuncodeHelperBase::getErrorStr(error));
        return false;
    }
    QList<FunOperationDataUnitPtr> units;
    for (const tagExportFuncodePtr_Servo& record : qAsConst(info.funcodes)) {
        auto unit = FunOperationDataUnitPtr::create();
        unit->setFromExportFuncode(*record);
        units << unit;
    }
    const QStringList device = info.devText.split(QLatin1Char('_'));
    setSourceData(SOURCE_FILE, path, knownDeviceName(device.value(0)), device.value(1), units);
    return true;
}

// A comma-separated file must begin with the import mark and a device line whose device, axis count and
// link are all given; the workbooks and database files are checked by their readers.
bool QServoImportFunSelectorWgt::checkFileHead(const QString& path, QString* refusal) const
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("xlsx") || suffix.contains(QLatin1String("funcodeservo"))) {
        return true;
    }
    // A pipe or a device behind the name would block or never end: only a regular file is opened.
    QBoundedFileReader head(QFuncodeCsvReader_Servo::kMaxFileBytes);
    if (head.check(path) != QBoundedFileReader::READ_OK) {
        *refusal = head.errorText();
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *refusal = QFuncodeHelperBase::getErrorStr(QFuncodeHelperBase::FILE_ERR_OPEN);
        return false;
    }
    const QString mark = QString::fromLocal8Bit(file.readLine(kMaxHeadLine));
    if (!mark.contains(QFuncodeFileLayout_Servo::markSignature())) {
        *refusal = tr("STR_FILE_FORMAT_FAILED");
        return false;
    }
    const QString deviceLine = QString::fromLocal8Bit(file.readLine(kMaxHeadLine)).trimmed();
    const QStringList fields = deviceLine.split(QLatin1Char(','));
    for (int field = 0; field < 3; ++field) {
        if (fields.value(field).trimmed().isEmpty()) {
            *refusal = tr("STR_FILE_DEVICE_INFORMATION_MISSING");
            return false;
        }
    }
    return true;
}

// The model name as the configuration database knows it: a renamed model goes by its present name.
QString QServoImportFunSelectorWgt::knownDeviceName(const QString& name)
{
    const QConfigDB_Servo* config = QDatabaseManager::self()->getConfigDatabase_Servo();
    if (!config || config->getDevConfigInfo(name)) {
        return name;
    }
    const QString renamed = config->convertToNewDevName(name);
    return (!renamed.isEmpty() && config->getDevConfigInfo(renamed)) ? renamed : name;
}
