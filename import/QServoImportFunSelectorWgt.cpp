#include "QServoImportFunSelectorWgt.h"

#include "QCommonMethod.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveFullRead_Servo.h"
#include "QMyMessageBox.h"
#include "QProjectCore.h"
#include "QServoFunOperationModel.h"

#include <QTreeView>

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
        for (int axis = 0; comparable && axis < unit->axisNum; ++axis) {
            values << dev->getCurValue(unit->funIndex, axis);
            known << dev->hasValue(unit->funIndex, axis);
        }
        unit->setCurDevValues(values, known);
    }
}

// ---------------------------------------------------------------- sources

FunOperationDataUnitPtr QServoImportFunSelectorWgt::unitFromRecord(const tagExportFuncode_Servo& record)
{
    auto unit = FunOperationDataUnitPtr::create();
    unit->canopenAddr = record.canopenAddr;
    unit->usbCode = record.usbCode;
    unit->groupName = record.groupName;
    unit->funIndex = record.funIndex;
    unit->funName = record.funName;
    unit->authority = record.authority;
    unit->dataType = record.dataType;
    unit->axisNum = qBound(1, record.axisNum, 3);
    for (int axis = 0; axis < unit->axisNum; ++axis) {
        unit->values << record.curValue[static_cast<size_t>(axis)];
        unit->valueTexts << record.valueTexts.value(axis);
    }
    unit->defaultText = record.defaultText;
    return unit;
}

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
    if (!QDriveFullRead_Servo::readAll(dev, this)) {
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
                read = read && dev->hasValue(fun->funIndex, axis);
                unit->values << dev->getCurValue(fun->funIndex, axis);
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
    Q_UNUSED(path)
    return false;
}
