#include "QCliSession.h"

#include "QCliConsole.h"
#include "QCliDrive.h"
#include "QCliExit.h"
#include "QCliOptions.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDriveCatalogue.h"
#include "QLibLogger.h"
#include "QLibSetting.h"

#include <QDir>

QCliSession::QCliSession(const QCliOptions& options, QCliConsole& console)
    : m_options(options), m_console(console), m_catalogue(std::make_unique<QDriveCatalogue>()),
      m_devices(std::make_unique<QDeviceManager>())
{
    m_devices->setCatalogue(m_catalogue.get());
}

QCliSession::~QCliSession()
{
    m_drives.clear(); // the devices go before their manager
    m_devices.reset();
    QDatabaseManager::self()->close();
}

bool QCliSession::start(QString* error)
{
    if (!m_options.dataDir.isEmpty()) {
        QLibSetting::self()->setDataDir(m_options.dataDir);
    }
    const QString dataDir = QLibSetting::self()->dataDir();
    // The log goes to the data folder only: standard error is for the user.
    QLibLogger::self()->init(QDir(dataDir).filePath(QStringLiteral("log")), false);
    QLibLogger::self()->info(QStringLiteral("servo-cli %1 starting, data folder %2")
                                 .arg(QCoreApplication::arguments().join(QLatin1Char(' ')), dataDir));
    QString why;
    if (!QDatabaseManager::self()->open(dataDir, &why)) {
        m_console.message(tr("STR_CLI_DATABASES_NOT_USED").arg(dataDir, why));
    }
    const int loaded = m_catalogue->loadDirectory(QDriveCatalogue::defaultDirectory());
    for (const QString& problem : m_catalogue->loadErrors()) {
        QLibLogger::self()->warn(problem);
    }
    if (loaded == 0) {
        *error = tr("STR_CLI_NO_MODELS").arg(m_catalogue->directory());
        return false;
    }
    return true;
}

QCliDrive::Context QCliSession::driveContext() const
{
    QCliDrive::Context context;
    context.catalogue = m_catalogue.get();
    context.devices = m_devices.get();
    context.console = &m_console;
    context.model = m_options.model;
    context.timeoutMs = m_options.timeoutMs;
    return context;
}

QCliDrive* QCliSession::drive(const QString& address, int* status)
{
    auto found = m_drives.find(address);
    if (found != m_drives.end()) {
        *status = QCliExit::OK;
        return found->second.get();
    }
    QCliDriveAddress parsed;
    QString error;
    if (!parsed.parse(address, &error)) {
        m_console.error(error);
        *status = QCliExit::USAGE;
        return nullptr;
    }
    auto drive = std::make_unique<QCliDrive>(driveContext(), parsed);
    *status = drive->open(&error);
    if (*status != QCliExit::OK) {
        m_console.error(error);
        return nullptr;
    }
    QCliDrive* opened = drive.get();
    m_drives.emplace(address, std::move(drive));
    return opened;
}
