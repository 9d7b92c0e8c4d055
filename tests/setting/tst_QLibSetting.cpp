#include "QLibSetting.h"
#include "QSystemSetting.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class tst_QLibSetting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void defaultDataDirExists();
    void setDataDirMovesTheSettingsFile();
    void loadLanguage_data();
    void loadLanguage();

private:
    QTemporaryDir m_dir;
};

void tst_QLibSetting::initTestCase()
{
    // Keeps the default data folder out of the user's own.
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
}

void tst_QLibSetting::defaultDataDirExists()
{
    const QString expected = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QCOMPARE(QLibSetting::self()->dataDir(), QDir(expected).absolutePath());
    QVERIFY(QFileInfo(expected).isDir());
    QVERIFY(QLibSetting::self()->getSystemSetting());
}

void tst_QLibSetting::setDataDirMovesTheSettingsFile()
{
    const QString dir = m_dir.filePath("nested/data");
    QLibSetting::self()->setDataDir(dir);
    QVERIFY(QFileInfo(dir).isDir());
    QSystemSetting* setting = QLibSetting::self()->getSystemSetting();
    QCOMPARE(setting->fileName(), QDir(dir).filePath("settings.ini"));
    setting->setAuthority(AUTHORITY_DEVELOPER);
    QVERIFY(QFileInfo::exists(QDir(dir).filePath("settings.ini")));
}

void tst_QLibSetting::loadLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("text");
    QTest::newRow("english") << "en" << true << "The database file is damaged.";
    QTest::newRow("unknown language") << "xx" << false << "STR_DB_DAMAGED";
}

void tst_QLibSetting::loadLanguage()
{
    QFETCH(QString, language);
    QFETCH(bool, loaded);
    QFETCH(QString, text);
    QCOMPARE(QLibSetting::self()->loadLanguage(language), loaded);
    // The keys translate whatever the context of the call.
    QCOMPARE(QCoreApplication::translate("AnyContext", "STR_DB_DAMAGED"), text);
}

QTEST_GUILESS_MAIN(tst_QLibSetting)
#include "tst_QLibSetting.moc"
