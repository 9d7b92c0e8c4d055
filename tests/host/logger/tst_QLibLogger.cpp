#include "FileFixtures.h"
#include "QLibLogger.h"

#include <QtTest>

#include <log4cplus/loggingmacros.h>

// The logger is process-wide; the cases run in declaration order and share it.
class tst_QLibLogger : public QObject
{
    Q_OBJECT

private slots:
    void initWritesToTheFileAndMovesOnASecondInit()
    {
        QVERIFY(!QLibLogger::self()->isInitialized());
        QVERIFY(QLibLogger::self()->logFilePath().isEmpty());
        QLibLogger::self()->warn(QStringLiteral("warning before init"));

        const QString first = QDir(m_dir.filePath("first")).filePath("servo-workbench.log");
        QVERIFY(QLibLogger::self()->init(m_dir.filePath("first"), false));
        QCOMPARE(QLibLogger::self()->logFilePath(), first);
        LOG4CPLUS_INFO(QLibLogger::self()->getDefaultLogger(), "Open file failed!"); // as the host logs
        QLibLogger::self()->info(QStringLiteral("Zähler %1").arg(42));
        const QString log = readLog(first);
        QVERIFY2(log.contains("INFO") && log.contains("Open file failed!") &&
                     log.contains(QStringLiteral("Zähler 42")),
                 qPrintable(log));
        QVERIFY(!log.contains("before init"));

        QVERIFY(QLibLogger::self()->init(m_dir.filePath("second")));
        QLibLogger::self()->error(QStringLiteral("after the second init"));
        const QString second = readLog(QDir(m_dir.filePath("second")).filePath("servo-workbench.log"));
        QVERIFY2(second.contains("ERROR") && second.contains("after the second init"), qPrintable(second));
        QVERIFY(!readLog(first).contains("after the second init"));
    }

    void qtMessagesAreForwardedOnce()
    {
        QLibLogger::self()->installQtMessageHandler();
        QLibLogger::self()->installQtMessageHandler(); // again: must not write lines twice
        const QList<QPair<QtMsgType, QString>> messages{
            {QtInfoMsg, "INFO"}, {QtWarningMsg, "WARN"}, {QtCriticalMsg, "ERROR"}, {QtDebugMsg, ""}};
        for (const auto& message : messages) {
            const QString marker = QStringLiteral("qt message %1").arg(message.first);
            QTest::ignoreMessage(message.first, qPrintable(marker));
            qt_message_output(message.first, QMessageLogContext(), marker);
            const QStringList lines = readLog(QLibLogger::self()->logFilePath()).split('\n').filter(marker);
            // Debug lines stay out of the file.
            QCOMPARE(lines.size(), message.second.isEmpty() ? 0 : 1);
            QVERIFY2(lines.isEmpty() || lines.first().contains(message.second), qPrintable(lines.join('\n')));
        }
    }

    void unwritableFolderKeepsConsoleLogging()
    {
        const QString blocker = m_dir.filePath("a-file");
        QVERIFY(QFile(blocker).open(QIODevice::WriteOnly));
        QVERIFY(!QLibLogger::self()->init(blocker + "/logs"));
        QVERIFY(QLibLogger::self()->logFilePath().isEmpty());
        QVERIFY(!QLibLogger::self()->isInitialized());
        QLibLogger::self()->info(QStringLiteral("still logging to the console"));
    }

private:
    static QString readLog(const QString& path) { return QString::fromUtf8(FileFixtures::readBytes(path)); }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(tst_QLibLogger)
#include "tst_QLibLogger.moc"
