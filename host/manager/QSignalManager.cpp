#include "QSignalManager.h"

QSignalManager::QSignalManager(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<tagSubFuncodePtr_Servo>("tagSubFuncodePtr_Servo");
    qRegisterMetaType<tagTreeDataSet>("tagTreeDataSet");
    qRegisterMetaType<const DeviceInfo*>("const DeviceInfo*");
}
