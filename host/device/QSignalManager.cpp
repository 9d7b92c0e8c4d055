#include "QSignalManager.h"

QSignalManager* QSignalManager::self()
{
    static QSignalManager* hub = new QSignalManager;
    return hub;
}

QSignalManager::QSignalManager(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<tagSubFuncodePtr_Servo>("tagSubFuncodePtr_Servo");
    qRegisterMetaType<tagTreeDataSet>("tagTreeDataSet");
    qRegisterMetaType<const DeviceInfo*>("const DeviceInfo*");
}
