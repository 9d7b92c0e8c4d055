#include "QSoftCore.h"

#include "QAssistantManager.h"
#include "QButtonManager.h"
#include "QPrinterManager.h"
#include "QSignalManager.h"
#include "ServoResources.h"

#include <QCoreApplication>

QSoftCore* QSoftCore::getCore()
{
    static QSoftCore* core = nullptr;
    if (!core) {
        initServoResources();
        core = new QSoftCore;
    }
    return core;
}

QSoftCore::QSoftCore() : m_signalManager(QSignalManager::self()) {}

QSoftCore::~QSoftCore() = default;

QPrinterManager* QSoftCore::getPrinterManager()
{
    if (!m_printerManager) {
        m_printerManager = new QPrinterManager(this);
    }
    return m_printerManager;
}

QAssistantManager* QSoftCore::getAssistantManager()
{
    if (!m_assistantManager) {
        m_assistantManager = new QAssistantManager(this);
    }
    return m_assistantManager;
}

QButtonManager* QSoftCore::getButtonManager()
{
    if (!m_buttonManager) {
        m_buttonManager = new QButtonManager(this);
    }
    return m_buttonManager;
}
