#pragma once

#include <QRecursiveMutex>
#include <QString>

#include <log4cplus/appender.h>
#include <log4cplus/logger.h>

// The workbench's logger on log4cplus. Until init() it writes to the console only; init() adds a rolling
// file (servo-workbench.log, 1 MB, five old files kept) in the log folder. Level INFO. The object lives until
// the process ends, so it may be used from anywhere at any time.
//
// Typical use:
//   LOG4CPLUS_INFO(QLibLogger::self()->getDefaultLogger(), "Open file failed!");
//   QLibLogger::self()->info(QStringLiteral("Loaded %1 records").arg(n));
class QLibLogger
{
public:
    static QLibLogger* self();

    log4cplus::Logger getDefaultLogger() const;

    // Writes to "<logDir>/servo-workbench.log" (the folder is created) and, when console is true, to the
    // console. May be called again, for instance with another folder: the old appenders are replaced. Returns
    // false, and keeps logging to the console, when the folder or the file cannot be written.
    bool init(const QString& logDir, bool console = true);
    bool isInitialized() const;
    // The file being written; empty before a successful init().
    QString logFilePath() const;

    // Sends qInfo, qWarning, qCritical and qFatal lines to the log file as well as to Qt's previous handler.
    // Calling it again does nothing.
    void installQtMessageHandler();

    // Shorthands for the default logger; the text is written as UTF-8.
    void info(const QString& text) const;
    void warn(const QString& text) const;
    void error(const QString& text) const;

    QLibLogger(const QLibLogger&) = delete;
    QLibLogger& operator=(const QLibLogger&) = delete;

private:
    QLibLogger();
    void addConsoleAppender();
    log4cplus::SharedAppenderPtr makeFileAppender(const QString& filePath) const;
    static bool canWriteFile(const QString& filePath);
    void forwardQtMessage(int type, const QString& text) const;
    static void qtMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& text);

    // Recursive: a Qt message raised while init() holds the lock comes back through the handler.
    mutable QRecursiveMutex m_mutex;
    QString m_logFilePath;
    log4cplus::SharedAppenderPtr m_fileAppender;
    bool m_handlerInstalled = false;
};
