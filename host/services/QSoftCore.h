#pragma once

#include <QObject>

class QSignalManager;
class QPrinterManager;
class QAssistantManager;
class QButtonManager;

// Entry point to the host's process-wide services. Created on first use on the GUI thread.
class QSoftCore : public QObject
{
    Q_OBJECT
public:
    static QSoftCore* getCore();

    QSignalManager* getSignalManager() const { return m_signalManager; }
    QPrinterManager* getPrinterManager();
    QAssistantManager* getAssistantManager();
    QButtonManager* getButtonManager();

private:
    QSoftCore();
    ~QSoftCore() override;

    QSignalManager* m_signalManager = nullptr;
    QPrinterManager* m_printerManager = nullptr;
    QAssistantManager* m_assistantManager = nullptr;
    QButtonManager* m_buttonManager = nullptr;
};
