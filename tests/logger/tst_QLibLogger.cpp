#include "QLibLogger.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <log4cplus/loggingmacros.h>

// The logger is process-wide; the cases run in declaration order and share it.
class tst_QLibLogger : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void logsToConsoleBeforeInit();
    void initWritesToTheFile();
    void secondInitMovesToTheNewFolder();
    void qtMessagesAreForwarded_data();
    void qtMessagesAreForwarded();
    void unwritableFolderKeepsConsoleLogging();

private:
    static QString readLog(const QString& path);
    QTemporaryDir m_dir;
};

QString tst_QLibLogger::readLog(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void tst_QLibLogger::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void tst_QLibLogger::logsToConsoleBeforeInit()
{
    QVERIFY(!QLibLogger::self()->isInitialized());
    QVERIFY(QLibLogger::self()->logFilePath().isEmpty());
    LOG4CPLUS_INFO(QLibLogger::self()->getDefaultLogger(), "written before init, console only");
    QLibLogger::self()->warn(QStringLiteral("warning before init"));
}

void tst_QLibLogger::initWritesToTheFile()
{
    const QString dir = m_dir.filePath("first");
    QVERIFY(QLibLogger::self()->init(dir, false));
    const QString path = QDir(dir).filePath("servo-workbench.log");
    QCOMPARE(QLibLogger::self()->logFilePath(), path);

    LOG4CPLUS_INFO(QLibLogger::self()->getDefaultLogger(), "Open file failed!");
    QLibLogger::self()->info(QStringLiteral("Zähler %1").arg(42));
    const QString log = readLog(path);
    QVERIFY2(log.contains("INFO") && log.contains("Open file failed!"), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("Zähler 42")), qPrintable(log));
    QVERIFY(!log.contains("before init"));
}

void tst_QLibLogger::secondInitMovesToTheNewFolder()
{
    const QString firstPath = QLibLogger::self()->logFilePath();
    const QString dir = m_dir.filePath("second");
    QVERIFY(QLibLogger::self()->init(dir));
    QLibLogger::self()->error(QStringLiteral("after the second init"));
    const QString log = readLog(QDir(dir).filePath("servo-workbench.log"));
    QVERIFY2(log.contains("ERROR") && log.contains("after the second init"), qPrintable(log));
    QVERIFY(!readLog(firstPath).contains("after the second init"));
}

void tst_QLibLogger::qtMessagesAreForwarded_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("level"); // empty: not written to the file
    QTest::newRow("info") << int(QtInfoMsg) << "INFO";
    QTest::newRow("warning") << int(QtWarningMsg) << "WARN";
    QTest::newRow("critical") << int(QtCriticalMsg) << "ERROR";
    QTest::newRow("debug") << int(QtDebugMsg) << "";
}

void tst_QLibLogger::qtMessagesAreForwarded()
{
    QFETCH(int, type);
    QFETCH(QString, level);
    QLibLogger::self()->installQtMessageHandler();
    QLibLogger::self()->installQtMessageHandler(); // again: must not write lines twice

    const QString marker = QStringLiteral("qt message %1").arg(QTest::currentDataTag());
    QTest::ignoreMessage(QtMsgType(type), qPrintable(marker));
    switch (type) {
    case QtInfoMsg:
        qInfo("%s", qPrintable(marker));
        break;
    case QtWarningMsg:
        qWarning("%s", qPrintable(marker));
        break;
    case QtCriticalMsg:
        qCritical("%s", qPrintable(marker));
        break;
    default:
        qDebug("%s", qPrintable(marker));
        break;
    }
    const QStringList lines = readLog(QLibLogger::self()->logFilePath()).split('\n');
    const QStringList matching = lines.filter(marker);
    if (level.isEmpty()) {
        QVERIFY(matching.isEmpty());
        return;
    }
    QCOMPARE(matching.size(), 1);
    QVERIFY2(matching.first().contains(level), qPrintable(matching.first()));
}

void tst_QLibLogger::unwritableFolderKeepsConsoleLogging()
{
    const QString blocker = m_dir.filePath("a-file");
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(!QLibLogger::self()->init(blocker + "/logs"));
    QVERIFY(QLibLogger::self()->logFilePath().isEmpty());
    QVERIFY(!QLibLogger::self()->isInitialized());
    QLibLogger::self()->info(QStringLiteral("still logging to the console"));
}

QTEST_GUILESS_MAIN(tst_QLibLogger)
#include "tst_QLibLogger.moc"
