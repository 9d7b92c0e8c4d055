#include "QDeviceServo.h"
#include "QProjectCore.h"
#include "QTestHost.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// Runs the built servo-workbench headless, as a script would: every run gets its own data folder.
class tst_ServoWorkbench : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void screenshotOfTheDemoProject();
    void screenshotOfASavedProject();
    void badInputStillOpensTheWindow_data();
    void badInputStillOpensTheWindow();
    void badArgumentsAreRefused_data();
    void badArgumentsAreRefused();
    void unsavableScreenshotFails();
    void damagedDatabaseIsLoggedAndLeftAlone();

private:
    struct Run
    {
        int exitCode = -1;
        QString out;
        QString log;
    };
    Run runWorkbench(const QStringList& arguments, const QString& dataDir) const;
    static bool isPng(const QString& path);
    static void writeFile(const QString& path, const QByteArray& content);

    QTemporaryDir m_temp;
};

void tst_ServoWorkbench::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
    QVERIFY(m_temp.isValid());
    QVERIFY2(QFile::exists(QStringLiteral(SERVO_WORKBENCH_EXE)), SERVO_WORKBENCH_EXE);
}

tst_ServoWorkbench::Run tst_ServoWorkbench::runWorkbench(const QStringList& arguments,
                                                         const QString& dataDir) const
{
    Run run;
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(QStringLiteral(SERVO_WORKBENCH_EXE), QStringList{"--data-dir", dataDir} + arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    QFile log(QDir(dataDir).filePath(QStringLiteral("log/servo-workbench.log")));
    if (log.open(QIODevice::ReadOnly)) {
        run.log = QString::fromUtf8(log.readAll());
    }
    return run;
}

bool tst_ServoWorkbench::isPng(const QString& path)
{
    QImage image;
    return QFileInfo(path).size() > 0 && image.load(path, "PNG") && image.width() > 100 &&
           image.height() > 100;
}

void tst_ServoWorkbench::writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), qint64(content.size()));
}

void tst_ServoWorkbench::screenshotOfTheDemoProject()
{
    const QString dataDir = m_temp.filePath(QStringLiteral("demo-data"));
    const QString png = m_temp.filePath(QStringLiteral("demo.png"));
    const Run run = runWorkbench({"--screenshot", png}, dataDir);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(isPng(png));
    QVERIFY2(run.out.contains(QFileInfo(png).absoluteFilePath()), qPrintable(run.out));
    QVERIFY2(
        run.log.contains(QRegularExpression(QStringLiteral("Demo project created with [1-9]\\d* drives"))),
        qPrintable(run.log));
    QVERIFY2(run.log.contains(QStringLiteral("libpluginFuncode_Servo.so")), qPrintable(run.log));
}

void tst_ServoWorkbench::screenshotOfASavedProject()
{
    QTestHost::clearProject();
    QDeviceServo* device = QTestHost::addDrive(QStringLiteral("SD220"), QStringLiteral("Press-1"));
    QVERIFY(device);
    QCommuParams params = device->getCommuParams();
    params.refreshInterval = 250;
    device->setCommuParams(params);
    const QString project = m_temp.filePath(QStringLiteral("line.servoproj"));
    QString error;
    QVERIFY2(QProjectCore::self()->saveProject(project, &error), qPrintable(error));
    QTestHost::clearProject();

    const QString dataDir = m_temp.filePath(QStringLiteral("project-data"));
    const QString png = m_temp.filePath(QStringLiteral("project.png"));
    const Run run = runWorkbench(
        {"--project", project, "--select", "Press-1", "--node", "321", "--screenshot", png}, dataDir);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(isPng(png));
    QVERIFY2(run.log.contains(QStringLiteral("Project %1 opened with 1 drives").arg(project)),
             qPrintable(run.log));
    QVERIFY2(!run.log.contains(QStringLiteral("Demo project")), qPrintable(run.log));
}

void tst_ServoWorkbench::badInputStillOpensTheWindow_data()
{
    QTest::addColumn<QString>("fileContent"); // written to <temp>/<row>.servoproj when not empty
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("logged");

    QTest::newRow("malformed project")
        << "{ this is not a project" << QStringList{"--project", "@FILE"} << "Demo project created";
    QTest::newRow("missing project") << "" << QStringList{"--project", "@TEMP/none.servoproj"}
                                     << "Demo project created";
    QTest::newRow("no drive models") << "" << QStringList{"--drives", "@TEMP"} << "0 drive models loaded";
    QTest::newRow("unknown drive") << "" << QStringList{"--select", "Nobody", "--node", "321"} << "Nobody";
}

void tst_ServoWorkbench::badInputStillOpensTheWindow()
{
    QFETCH(QString, fileContent);
    QFETCH(QStringList, arguments);
    QFETCH(QString, logged);

    const QString row =
        QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-'));
    const QString file = m_temp.filePath(row + QStringLiteral(".servoproj"));
    if (!fileContent.isEmpty()) {
        writeFile(file, fileContent.toUtf8());
    }
    const QString emptyDir = m_temp.filePath(row + QStringLiteral("-empty"));
    QVERIFY(QDir().mkpath(emptyDir));
    for (QString& argument : arguments) {
        argument.replace(QStringLiteral("@FILE"), file).replace(QStringLiteral("@TEMP"), emptyDir);
    }
    const QString png = m_temp.filePath(row + QStringLiteral(".png"));
    const Run run =
        runWorkbench(arguments + QStringList{"--screenshot", png}, m_temp.filePath(row + "-data"));
    QCOMPARE(run.exitCode, 0);
    QVERIFY(isPng(png));
    QVERIFY2(run.log.contains(logged), qPrintable(run.log));
    if (!fileContent.isEmpty()) {
        // The bad file is left as it was.
        QFile kept(file);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(kept.readAll()), fileContent);
    }
}

void tst_ServoWorkbench::badArgumentsAreRefused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("unknown node kind") << QStringList{"--node", "999"};
    QTest::newRow("node not a number") << QStringList{"--node", "pages"};
    QTest::newRow("unknown option") << QStringList{"--colour", "red"};
    QTest::newRow("missing value") << QStringList{"--project"};
    QTest::newRow("stray argument") << QStringList{"project.servoproj"};
}

void tst_ServoWorkbench::badArgumentsAreRefused()
{
    QFETCH(QStringList, arguments);
    const QString png = m_temp.filePath(QStringLiteral("refused.png"));
    const Run run =
        runWorkbench(arguments + QStringList{"--screenshot", png}, m_temp.filePath("refused-data"));
    QCOMPARE(run.exitCode, 2);
    QVERIFY(!QFile::exists(png));
}

void tst_ServoWorkbench::unsavableScreenshotFails()
{
    const QString png = m_temp.filePath(QStringLiteral("no/such/folder/shot.png"));
    const Run run = runWorkbench({"--screenshot", png}, m_temp.filePath("unsavable-data"));
    QVERIFY(run.exitCode != 0 && run.exitCode != -1);
    QVERIFY(!QFile::exists(png));
    QVERIFY2(run.log.contains(QStringLiteral("could not be saved")), qPrintable(run.log));
}

void tst_ServoWorkbench::damagedDatabaseIsLoggedAndLeftAlone()
{
    const QString dataDir = m_temp.filePath(QStringLiteral("damaged-data"));
    QVERIFY(QDir().mkpath(dataDir));
    const QByteArray garbage(4096, 'x');
    writeFile(QDir(dataDir).filePath(QStringLiteral("records.db")), garbage);
    const QString png = m_temp.filePath(QStringLiteral("damaged.png"));
    const Run run = runWorkbench({"--screenshot", png}, dataDir);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(isPng(png));
    QVERIFY2(run.log.contains(QStringLiteral("records.db")), qPrintable(run.log));
    // Without a person to ask, the damaged file stays where and as it is.
    QFile kept(QDir(dataDir).filePath(QStringLiteral("records.db")));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), garbage);
}

QTEST_MAIN(tst_ServoWorkbench)
#include "tst_ServoWorkbench.moc"
