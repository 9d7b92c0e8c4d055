#include "QLibLogger.h"

#include <QDir>
#include <QFile>
#include <QMutexLocker>

#include <log4cplus/consoleappender.h>
#include <log4cplus/fileappender.h>
#include <log4cplus/initializer.h>
#include <log4cplus/layout.h>
#include <log4cplus/loggingmacros.h>

#include <cstdio>
#include <memory>

namespace {
const char* const kLoggerName = "servo-workbench";
const char* const kQtLoggerName = "servo-workbench.qt";
const char* const kFileName = "servo-workbench.log";
const char* const kPattern = "%D{%Y-%m-%d %H:%M:%S.%q} %-5p [%c] %m%n";
const long kMaxFileSize = 1024 * 1024;
const int kBackupCount = 5;

QtMessageHandler s_previousHandler = nullptr;

log4cplus::tstring toTString(const QString& text)
{
    return LOG4CPLUS_STRING_TO_TSTRING(text.toStdString());
}

std::unique_ptr<log4cplus::Layout> makeLayout()
{
    return std::unique_ptr<log4cplus::Layout>(new log4cplus::PatternLayout(LOG4CPLUS_TEXT(kPattern)));
}
} // namespace

QLibLogger* QLibLogger::self()
{
    // Never destroyed, and log4cplus never shut down: other objects may still log while the process ends,
    // and every appender writes through at once, so nothing is lost at exit.
    static QLibLogger* instance = new QLibLogger;
    return instance;
}

QLibLogger::QLibLogger()
{
    log4cplus::initialize();
    log4cplus::Logger root = log4cplus::Logger::getRoot();
    root.setLogLevel(log4cplus::INFO_LOG_LEVEL);
    log4cplus::Logger qtLogger = log4cplus::Logger::getInstance(LOG4CPLUS_TEXT(kQtLoggerName));
    // Qt's own handler already prints to the console; forwarded lines go to the file only.
    qtLogger.setAdditivity(false);
    addConsoleAppender();
}

log4cplus::Logger QLibLogger::getDefaultLogger() const
{
    return log4cplus::Logger::getInstance(LOG4CPLUS_TEXT(kLoggerName));
}

void QLibLogger::addConsoleAppender()
{
    log4cplus::SharedAppenderPtr console(new log4cplus::ConsoleAppender(true, true));
    console->setName(LOG4CPLUS_TEXT("console"));
    console->setLayout(makeLayout());
    log4cplus::Logger::getRoot().addAppender(console);
}

bool QLibLogger::canWriteFile(const QString& filePath)
{
    QFile file(filePath);
    return file.open(QIODevice::Append | QIODevice::Text);
}

log4cplus::SharedAppenderPtr QLibLogger::makeFileAppender(const QString& filePath) const
{
    const log4cplus::tstring name = LOG4CPLUS_STRING_TO_TSTRING(QFile::encodeName(filePath).toStdString());
    log4cplus::SharedAppenderPtr appender(
        new log4cplus::RollingFileAppender(name, kMaxFileSize, kBackupCount, true, false));
    appender->setName(LOG4CPLUS_TEXT("file"));
    appender->setLayout(makeLayout());
    return appender;
}

bool QLibLogger::init(const QString& logDir, bool console)
{
    QMutexLocker locker(&m_mutex);
    log4cplus::Logger root = log4cplus::Logger::getRoot();
    log4cplus::Logger qtLogger = log4cplus::Logger::getInstance(LOG4CPLUS_TEXT(kQtLoggerName));
    root.removeAllAppenders();
    qtLogger.removeAllAppenders();
    m_fileAppender = log4cplus::SharedAppenderPtr();
    m_logFilePath.clear();

    const QString filePath = QDir(logDir).filePath(QString::fromLatin1(kFileName));
    const bool usable = !logDir.isEmpty() && QDir().mkpath(logDir) && canWriteFile(filePath);
    if (console || !usable) {
        addConsoleAppender();
    }
    if (!usable) {
        LOG4CPLUS_WARN(getDefaultLogger(), toTString(QStringLiteral("Cannot write the log file in \"%1\"; "
                                                                    "logging to the console only")
                                                         .arg(logDir)));
        return false;
    }
    m_fileAppender = makeFileAppender(filePath);
    root.addAppender(m_fileAppender);
    qtLogger.addAppender(m_fileAppender);
    m_logFilePath = filePath;
    return true;
}

bool QLibLogger::isInitialized() const
{
    QMutexLocker locker(&m_mutex);
    return !m_logFilePath.isEmpty();
}

QString QLibLogger::logFilePath() const
{
    QMutexLocker locker(&m_mutex);
    return m_logFilePath;
}

void QLibLogger::installQtMessageHandler()
{
    QMutexLocker locker(&m_mutex);
    if (m_handlerInstalled) {
        return;
    }
    s_previousHandler = qInstallMessageHandler(&QLibLogger::qtMessageHandler);
    m_handlerInstalled = true;
}

void QLibLogger::qtMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    self()->forwardQtMessage(type, text);
    if (s_previousHandler) {
        s_previousHandler(type, context, text);
        return;
    }
    // Qt hands back its default handler when none was installed, so this is only a safety net.
    fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

void QLibLogger::forwardQtMessage(int type, const QString& text) const
{
    if (type == QtDebugMsg || !isInitialized()) {
        return;
    }
    log4cplus::Logger qtLogger = log4cplus::Logger::getInstance(LOG4CPLUS_TEXT(kQtLoggerName));
    const log4cplus::tstring line = toTString(text);
    switch (type) {
    case QtInfoMsg:
        LOG4CPLUS_INFO(qtLogger, line);
        break;
    case QtWarningMsg:
        LOG4CPLUS_WARN(qtLogger, line);
        break;
    case QtCriticalMsg:
        LOG4CPLUS_ERROR(qtLogger, line);
        break;
    default:
        LOG4CPLUS_FATAL(qtLogger, line);
        break;
    }
}

void QLibLogger::info(const QString& text) const
{
    LOG4CPLUS_INFO(getDefaultLogger(), toTString(text));
}

void QLibLogger::warn(const QString& text) const
{
    LOG4CPLUS_WARN(getDefaultLogger(), toTString(text));
}

void QLibLogger::error(const QString& text) const
{
    LOG4CPLUS_ERROR(getDefaultLogger(), toTString(text));
}
