#include "QSystemSetting.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class tst_QSystemSetting : public QObject
{
    Q_OBJECT

private slots:
    void persistsAndSwitchingFileAnnouncesChanges();
    void clampsAndSignalsOnlyRealChanges();

private:
    // A file of the running case.
    QString settingsFile(const QString& name = "settings.ini") const
    {
        return m_dir.filePath(QString(QTest::currentTestFunction()) + "-" + name);
    }
    QTemporaryDir m_dir;
};

void tst_QSystemSetting::persistsAndSwitchingFileAnnouncesChanges()
{
    {
        QSystemSetting writer;
        writer.setFileName(settingsFile());
        QCOMPARE(writer.getAuthority(), int(AUTHORITY_ENGINEER));
        QCOMPARE(writer.getFuncodeModifyType(), 0);
        QCOMPARE(writer.getLanguage(), QString("en"));
        QVERIFY(writer.getTitleIconPath().isEmpty() && writer.getLastProjectPath().isEmpty());
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
    QCOMPARE(authority.count(), 1);
    QCOMPARE(authority.at(0).at(0).toInt(), int(AUTHORITY_ENGINEER));
    QCOMPARE(modifyType.count(), 0);
    QCOMPARE(language.count(), 1);
    QCOMPARE(language.at(0).at(0).toString(), QString("en"));
}

void tst_QSystemSetting::clampsAndSignalsOnlyRealChanges()
{
    QSystemSetting setting;
    setting.setFileName(settingsFile());
    QSignalSpy authority(&setting, &QSystemSetting::authorityChanged);
    QSignalSpy modifyType(&setting, &QSystemSetting::funcodeModifyTypeChanged);
    QSignalSpy language(&setting, &QSystemSetting::languageChanged);

    setting.setAuthority(AUTHORITY_ENGINEER); // the default: no change
    setting.setAuthority(AUTHORITY_MANUFACTURER);
    setting.setAuthority(AUTHORITY_MANUFACTURER);
    setting.setAuthority(9); // clamps to developer
    setting.setAuthority(3);
    setting.setAuthority(-5); // clamps to user
    setting.setFuncodeModifyType(0);
    setting.setFuncodeModifyType(7); // clamps to 1
    setting.setFuncodeModifyType(1);
    setting.setFuncodeModifyType(-1); // clamps to 0
    setting.setLanguage("en");
    setting.setLanguage("zh");
    setting.setLanguage("zh");
    setting.setLanguage(QString()); // refused

    QCOMPARE(authority.count(), 3);
    QCOMPARE(authority.at(0).at(0).toInt(), int(AUTHORITY_MANUFACTURER));
    QCOMPARE(authority.at(1).at(0).toInt(), int(AUTHORITY_DEVELOPER));
    QCOMPARE(authority.at(2).at(0).toInt(), int(AUTHORITY_USER));
    QCOMPARE(setting.getAuthority(), int(AUTHORITY_USER));
    QCOMPARE(modifyType.count(), 2);
    QCOMPARE(modifyType.at(0).at(0).toInt(), 1);
    QCOMPARE(modifyType.at(1).at(0).toInt(), 0);
    QCOMPARE(language.count(), 1);
    QCOMPARE(language.at(0).at(0).toString(), QString("zh"));
    QCOMPARE(setting.getLanguage(), QString("zh"));
}

QTEST_GUILESS_MAIN(tst_QSystemSetting)
#include "tst_QSystemSetting.moc"
