#include "QDriveLink.h"

QDriveLink::QDriveLink(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<QDriveValueItem>("QDriveValueItem");
    qRegisterMetaType<QDriveValueList>("QDriveValueList");
    qRegisterMetaType<QDriveFaultRecord>("QDriveFaultRecord");
    qRegisterMetaType<QDriveFaultList>("QDriveFaultList");
}

QDriveLink::~QDriveLink() = default;

void QDriveLink::resetCounters()
{
    m_readRequests = 0;
    m_readItems = 0;
    m_writeRequests = 0;
}

void QDriveLink::countRead(int items)
{
    ++m_readRequests;
    m_readItems += items;
}
