#include "FileFixtures.h"
#include "QProjectCore.h"
#include "QTestHost.h"

#include <QtTest>

#include <map>

namespace {
const char* const kDemoRow = "demo project, damaged database, unknown drive";
} // namespace

// Runs the built servo-workbench headless, as a script would, each run with its own data folder. The data
// function starts every run at once, since a start-up run mostly waits for its screenshot timer.
class tst_ServoWorkbench : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
        QVERIFY(m_temp.isValid());
        QVERIFY2(QFile::exists(QStringLiteral(SERVO_WORKBENCH_EXE)), SERVO_WORKBENCH_EXE);

        QTestHost::clearProject();
        QVERIFY(QTestHost::addDrive(QStringLiteral("SD220"), QStringLiteral("Press-1")));
        QVERIFY2(QProjectCore::self()->saveProject(path("saved.servoproj"), &error), qPrintable(error));
        QTestHost::clearProject();

        writeFile(QDir(dataDir(kDemoRow)).filePath("records.db"), QByteArray(4096, 'x'));
        writeFile(path("malformed.servoproj"), "{ this is not a project");
        QVERIFY(QDir().mkpath(path("no-drives")));
    }

    void runFromTheCommandLine_data()
    {
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("logged"); // patterns; a leading "!" means the text must not be logged
        QTest::addColumn<QString>("badFile");    // must stay as the test wrote it

        const QString saved = path("saved.servoproj");
        const QString malformed = path("malformed.servoproj");
        const QString demo = "Demo project created";
        row(kDemoRow, {"--select", "Nobody", "--node", "321"})
            << 0
            << QStringList{demo + " with [1-9]\\d* drives", "libpluginFuncode_Servo\\.so", "records\\.db",
                           "Nobody"}
            << QDir(dataDir(kDemoRow)).filePath("records.db");
        row("saved project", {"--project", saved, "--select", "Press-1", "--node", "321"})
            << 0
            << QStringList{QRegularExpression::escape(QString("Project %1 opened with 1 drives").arg(saved)),
                           "!" + demo}
            << QString();
        // Without options the first drive's function codes are open at once.
        row("no options", {}) << 0 << QStringList{demo, "Opened node 321 of drive \\S+"} << QString();
        row("a drive without a page", {"--project", saved, "--select", "Press-1"})
            << 0 << QStringList{"!Opened node", "!The project tree has no node"} << QString();
        row("malformed project", {"--project", malformed}) << 0 << QStringList{demo} << malformed;
        row("missing project, unsavable screenshot", {"--project", path("none.servoproj")},
            path("no/such/folder/shot.png"))
            << 1 << QStringList{demo, "could not be saved"} << QString();
        row("no drive models", {"--drives", path("no-drives")})
            << 0 << QStringList{"\\b0 drive models loaded"} << QString();

        row("unknown node kind", {"--node", "999"}) << 2 << QStringList() << QString();
        row("node not a number", {"--node", "pages"}) << 2 << QStringList() << QString();
        row("unknown option", {"--colour", "red"}) << 2 << QStringList() << QString();
        row("missing value", {"--project"}) << 2 << QStringList() << QString();
        row("stray argument", {"project.servoproj"}) << 2 << QStringList() << QString();
    }

    void runFromTheCommandLine()
    {
        QFETCH(int, exitCode);
        QFETCH(QStringList, logged);
        QFETCH(QString, badFile);
        Run& run = m_runs.at(QString::fromUtf8(QTest::currentDataTag()));
        QVERIFY(run.process->waitForFinished(120000));
        QCOMPARE(run.process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.process->exitCode(), exitCode);
        if (exitCode == 0) {
            QImage image;
            QVERIFY(image.load(run.png, "PNG") && image.width() > 100 && image.height() > 100);
            const QString out = QString::fromLocal8Bit(run.process->readAllStandardOutput());
            QVERIFY2(out.contains(QFileInfo(run.png).absoluteFilePath()), qPrintable(out));
        } else {
            QVERIFY(!QFile::exists(run.png));
        }
        const QString log = QString::fromUtf8(FileFixtures::readBytes(run.log));
        for (const QString& pattern : logged) {
            const bool wanted = !pattern.startsWith('!');
            QVERIFY2(log.contains(QRegularExpression(wanted ? pattern : pattern.mid(1))) == wanted,
                     qPrintable(pattern + ":\n" + log));
        }
        if (!badFile.isEmpty()) {
            QCOMPARE(FileFixtures::readBytes(badFile), m_written.value(badFile));
        }
    }

private:
    struct Run
    {
        std::unique_ptr<QProcess> process;
        QString png;
        QString log;
    };
    // Starts the run of a new row; the arguments go last, so that a missing value stays missing.
    QTestData& row(const QString& name, const QStringList& arguments, const QString& png = QString())
    {
        Run& run = m_runs[name];
        run.png = png.isEmpty() ? path(name + ".png") : png;
        run.log = QDir(dataDir(name)).filePath("log/servo-workbench.log");
        run.process = std::make_unique<QProcess>();
        run.process->start(SERVO_WORKBENCH_EXE,
                           QStringList{"--data-dir", dataDir(name), "--screenshot", run.png} + arguments);
        return QTest::newRow(qPrintable(name));
    }
    QString path(const QString& name) const { return m_temp.filePath(name); }
    QString dataDir(const QString& row) const { return path(row + "-data"); }

    void writeFile(const QString& path, const QByteArray& content)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QVERIFY(FileFixtures::writeBytes(path, content));
        m_written.insert(path, content);
    }

    QTemporaryDir m_temp;
    std::map<QString, Run> m_runs;
    QHash<QString, QByteArray> m_written;
};

QTEST_MAIN(tst_ServoWorkbench)
#include "tst_ServoWorkbench.moc"
