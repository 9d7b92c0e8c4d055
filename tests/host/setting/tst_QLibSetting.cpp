#include "QLibSetting.h"
#include "QSystemSetting.h"

#include <QtTest>

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

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(tst_QLibSetting)
#include "tst_QLibSetting.moc"
