#include "QSystemSetting.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using Emissions = QList<QVariantList>;

class tst_QSystemSetting : public QObject
{
    Q_OBJECT

private slots:
    void persistsAndSwitchingFileAnnouncesChanges()
    {
        {
            QSystemSetting writer;
            writer.setFileName(settingsFile());
            writer.setAuthority(AUTHORITY_USER);
            writer.setFuncodeModifyType(1);
            writer.setLanguage("zh");
            writer.setTitleIconPath("/icons/ä b.png");
            writer.setLastProjectPath("/p/demo.sproj");
            QSystemSetting other;
            other.setFileName(settingsFile("other.ini"));
            other.setFuncodeModifyType(1);
        }
        QSystemSetting reader;
        reader.setFileName(settingsFile());
        QCOMPARE(reader.getAuthority(), int(AUTHORITY_USER));
        QCOMPARE(reader.getFuncodeModifyType(), 1);
        QCOMPARE(reader.getLanguage(), QString("zh"));
        QCOMPARE(reader.getTitleIconPath(), QString("/icons/ä b.png"));
        QCOMPARE(reader.getLastProjectPath(), QString("/p/demo.sproj"));

        QSignalSpy authority(&reader, &QSystemSetting::authorityChanged);
        QSignalSpy modifyType(&reader, &QSystemSetting::funcodeModifyTypeChanged);
        QSignalSpy language(&reader, &QSystemSetting::languageChanged);
        reader.setFileName(settingsFile("other.ini"));
        QCOMPARE(Emissions(authority), Emissions{{int(AUTHORITY_ENGINEER)}});
        QCOMPARE(modifyType.count(), 0);
        QCOMPARE(Emissions(language), Emissions{{"en"}});
    }

    void clampsAndSignalsOnlyRealChanges()
    {
        QSystemSetting setting;
        setting.setFileName(settingsFile());
        QSignalSpy authority(&setting, &QSystemSetting::authorityChanged);
        QSignalSpy modifyType(&setting, &QSystemSetting::funcodeModifyTypeChanged);
        QSignalSpy language(&setting, &QSystemSetting::languageChanged);

        // The default engineer and repeated values change nothing; 9 clamps to developer, -5 to user.
        for (int level :
             {int(AUTHORITY_ENGINEER), int(AUTHORITY_MANUFACTURER), int(AUTHORITY_MANUFACTURER), 9, 3, -5}) {
            setting.setAuthority(level);
        }
        for (int type : {0, 7, 1, -1}) { // 7 clamps to 1, -1 to 0
            setting.setFuncodeModifyType(type);
        }
        for (const char* language : {"en", "zh", "zh", ""}) { // an empty language is refused
            setting.setLanguage(language);
        }
        QCOMPARE(
            Emissions(authority),
            (Emissions{{int(AUTHORITY_MANUFACTURER)}, {int(AUTHORITY_DEVELOPER)}, {int(AUTHORITY_USER)}}));
        QCOMPARE(Emissions(modifyType), (Emissions{{1}, {0}}));
        QCOMPARE(Emissions(language), Emissions{{"zh"}});
    }

    void lastViewPerProject_data()
    {
        QTest::addColumn<QString>("project");
        QTest::newRow("demo project") << "";
        QTest::newRow("path with blanks, slashes and umlauts") << "/home/ä b/line [2]/press=1.servoproj";
        QTest::newRow("relative path") << "press.servoproj";
    }

    void lastViewPerProject()
    {
        QFETCH(QString, project);
        {
            QSystemSetting writer;
            writer.setFileName(settingsFile());
            QCOMPARE(writer.getLastView(project), qMakePair(QString(), 0));
            writer.setLastView(project, "Press 1", 323);
            writer.setLastView("/other.servoproj", "Feeder", 321);
        }
        QSystemSetting reader;
        reader.setFileName(settingsFile());
        QCOMPARE(reader.getLastView(project), qMakePair(QString("Press 1"), 323));
        QCOMPARE(reader.getLastView("/other.servoproj"), qMakePair(QString("Feeder"), 321));
        // A relative path names the same project as its absolute form; the demo project is no folder.
        QCOMPARE(reader.getLastView(QDir::current().absoluteFilePath(project)),
                 project.isEmpty() ? qMakePair(QString(), 0) : qMakePair(QString("Press 1"), 323));
    }

private:
    // A file of the running case.
    QString settingsFile(const QString& name = "settings.ini") const
    {
        return m_dir.filePath(QString(QTest::currentTestFunction()) + "-" + name);
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(tst_QSystemSetting)
#include "tst_QSystemSetting.moc"
