#include "QLibSetting.h"
#include "QSystemSetting.h"

#include <QtTest>

using Emissions = QList<QVariantList>;
using View = QPair<QString, int>;

class tst_QLibSetting : public QObject
{
    Q_OBJECT

private slots:
    // Keeps the default data folder out of the user's own.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void dataDirHoldsTheSettingsFile()
    {
        const QString defaultDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QCOMPARE(QLibSetting::self()->dataDir(), QDir(defaultDir).absolutePath());
        QVERIFY(QFileInfo(defaultDir).isDir());

        const QString dir = m_dir.filePath("nested/data");
        QLibSetting::self()->setDataDir(dir);
        QVERIFY(QFileInfo(dir).isDir());
        QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_DEVELOPER);
        QVERIFY(QFileInfo::exists(QDir(dir).filePath("settings.ini")));
    }

    void loadLanguage()
    {
        // Any context finds the texts (tst_Translations); here the language is installed and taken back.
        QVERIFY(QLibSetting::self()->loadLanguage("en"));
        QVERIFY(QCoreApplication::translate("AnyContext", "STR_DB_DAMAGED") != QString("STR_DB_DAMAGED"));
        // An unknown language leaves no earlier translation behind.
        QVERIFY(!QLibSetting::self()->loadLanguage("xx"));
        QCOMPARE(QCoreApplication::translate("AnyContext", "STR_DB_DAMAGED"), QString("STR_DB_DAMAGED"));
    }

    // Every value survives the file (the last view per project, a relative path naming the same project as
    // its absolute form, the demo project no folder); switching files announces only what differs.
    void persistsAndSwitchingFileAnnouncesChanges()
    {
        const QString oddPath = "/home/ä b/line [2]/press=1.servoproj";
        {
            QSystemSetting writer;
            writer.setFileName(m_dir.filePath("settings.ini"));
            QCOMPARE(writer.getLastView(""), View());
            writer.setAuthority(AUTHORITY_USER);
            writer.setFuncodeModifyType(1);
            writer.setLanguage("zh");
            writer.setTitleIconPath("/icons/ä b.png");
            writer.setLastProjectPath("/p/demo.sproj");
            writer.setLastView("", "Demo", 1);
            writer.setLastView(oddPath, "Press 1", 323);
            writer.setLastView("feeder.servoproj", "Feeder", 321);
            QSystemSetting other;
            other.setFileName(m_dir.filePath("other.ini"));
            other.setFuncodeModifyType(1);
        }
        QSystemSetting reader;
        reader.setFileName(m_dir.filePath("settings.ini"));
        QCOMPARE(reader.getAuthority(), int(AUTHORITY_USER));
        QCOMPARE(reader.getFuncodeModifyType(), 1);
        QCOMPARE(reader.getLanguage(), QString("zh"));
        QCOMPARE(reader.getTitleIconPath(), QString("/icons/ä b.png"));
        QCOMPARE(reader.getLastProjectPath(), QString("/p/demo.sproj"));
        QCOMPARE(reader.getLastView(""), View("Demo", 1));
        QCOMPARE(reader.getLastView(oddPath), View("Press 1", 323));
        QCOMPARE(reader.getLastView(QDir::current().absoluteFilePath("feeder.servoproj")),
                 View("Feeder", 321));
        QCOMPARE(reader.getLastView(QDir::current().absolutePath()), View());

        QSignalSpy authority(&reader, &QSystemSetting::authorityChanged);
        QSignalSpy modifyType(&reader, &QSystemSetting::funcodeModifyTypeChanged);
        QSignalSpy language(&reader, &QSystemSetting::languageChanged);
        reader.setFileName(m_dir.filePath("other.ini"));
        QCOMPARE(Emissions(authority), Emissions{{int(AUTHORITY_ENGINEER)}});
        QCOMPARE(modifyType.count(), 0);
        QCOMPARE(Emissions(language), Emissions{{"en"}});
    }

    void clampsAndSignalsOnlyRealChanges()
    {
        QSystemSetting setting;
        setting.setFileName(m_dir.filePath("clamps.ini"));
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

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(tst_QLibSetting)
#include "tst_QLibSetting.moc"
