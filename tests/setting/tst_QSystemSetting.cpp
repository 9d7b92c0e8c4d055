#include "QSystemSetting.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

class tst_QSystemSetting : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void defaults();
    void persistsAcrossInstances_data();
    void persistsAcrossInstances();
    void authorityIsClamped_data();
    void authorityIsClamped();
    void modifyTypeIsClamped();
    void signalsOnlyOnRealChange();
    void switchingFileAnnouncesChangedValues();

private:
    QString settingsFile(const QString& name = "settings.ini") const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_QSystemSetting::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

void tst_QSystemSetting::defaults()
{
    QSystemSetting setting;
    setting.setFileName(settingsFile());
    QCOMPARE(setting.fileName(), settingsFile());
    QCOMPARE(setting.getAuthority(), int(AUTHORITY_ENGINEER));
    QCOMPARE(setting.getFuncodeModifyType(), 0);
    QCOMPARE(setting.getLanguage(), QString("en"));
    QVERIFY(setting.getTitleIconPath().isEmpty());
    QVERIFY(setting.getLastProjectPath().isEmpty());
}

using Apply = std::function<void(QSystemSetting&)>;
using Check = std::function<void(const QSystemSetting&)>;
Q_DECLARE_METATYPE(Apply)
Q_DECLARE_METATYPE(Check)

void tst_QSystemSetting::persistsAcrossInstances_data()
{
    QTest::addColumn<Apply>("apply");
    QTest::addColumn<Check>("check");
    QTest::newRow("authority") << Apply([](QSystemSetting& s) { s.setAuthority(AUTHORITY_DEVELOPER); })
                               << Check([](const QSystemSetting& s) { QCOMPARE(s.getAuthority(), 3); });
    QTest::newRow("authority user") << Apply([](QSystemSetting& s) { s.setAuthority(AUTHORITY_USER); })
                                    << Check([](const QSystemSetting& s) { QCOMPARE(s.getAuthority(), 0); });
    QTest::newRow("modify type") << Apply([](QSystemSetting& s) {
        s.setFuncodeModifyType(1);
    }) << Check([](const QSystemSetting& s) { QCOMPARE(s.getFuncodeModifyType(), 1); });
    QTest::newRow("language") << Apply([](QSystemSetting& s) {
        s.setLanguage("zh");
    }) << Check([](const QSystemSetting& s) { QCOMPARE(s.getLanguage(), QString("zh")); });
    QTest::newRow("title icon") << Apply([](QSystemSetting& s) {
        s.setTitleIconPath("/icons/ä b.png");
    }) << Check([](const QSystemSetting& s) { QCOMPARE(s.getTitleIconPath(), QString("/icons/ä b.png")); });
    QTest::newRow("last project") << Apply([](QSystemSetting& s) {
        s.setLastProjectPath("/p/demo.sproj");
    }) << Check([](const QSystemSetting& s) { QCOMPARE(s.getLastProjectPath(), QString("/p/demo.sproj")); });
}

void tst_QSystemSetting::persistsAcrossInstances()
{
    QFETCH(Apply, apply);
    QFETCH(Check, check);
    {
        QSystemSetting writer;
        writer.setFileName(settingsFile());
        apply(writer);
    }
    QSystemSetting reader;
    reader.setFileName(settingsFile());
    check(reader);
}

void tst_QSystemSetting::authorityIsClamped_data()
{
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("stored");
    QTest::newRow("below the lowest") << -5 << 0;
    QTest::newRow("lowest") << 0 << 0;
    QTest::newRow("highest") << 3 << 3;
    QTest::newRow("above the highest") << 42 << 3;
}

void tst_QSystemSetting::authorityIsClamped()
{
    QFETCH(int, requested);
    QFETCH(int, stored);
    QSystemSetting setting;
    setting.setFileName(settingsFile());
    QSignalSpy spy(&setting, &QSystemSetting::authorityChanged);
    setting.setAuthority(requested);
    QCOMPARE(setting.getAuthority(), stored);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), stored);
}

void tst_QSystemSetting::modifyTypeIsClamped()
{
    QSystemSetting setting;
    setting.setFileName(settingsFile());
    setting.setFuncodeModifyType(7);
    QCOMPARE(setting.getFuncodeModifyType(), 1);
    setting.setFuncodeModifyType(-1);
    QCOMPARE(setting.getFuncodeModifyType(), 0);
}

void tst_QSystemSetting::signalsOnlyOnRealChange()
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
    setting.setFuncodeModifyType(0);
    setting.setFuncodeModifyType(1);
    setting.setFuncodeModifyType(5); // clamps to 1: no change
    setting.setLanguage("en");
    setting.setLanguage("zh");
    setting.setLanguage("zh");
    setting.setLanguage(QString()); // refused

    QCOMPARE(authority.count(), 2);
    QCOMPARE(authority.at(0).at(0).toInt(), int(AUTHORITY_MANUFACTURER));
    QCOMPARE(authority.at(1).at(0).toInt(), int(AUTHORITY_DEVELOPER));
    QCOMPARE(modifyType.count(), 1);
    QCOMPARE(modifyType.at(0).at(0).toInt(), 1);
    QCOMPARE(language.count(), 1);
    QCOMPARE(language.at(0).at(0).toString(), QString("zh"));
    QCOMPARE(setting.getLanguage(), QString("zh"));
}

void tst_QSystemSetting::switchingFileAnnouncesChangedValues()
{
    {
        QSystemSetting other;
        other.setFileName(settingsFile("other.ini"));
        other.setAuthority(AUTHORITY_USER);
        other.setLanguage("zh");
    }
    QSystemSetting setting;
    setting.setFileName(settingsFile());
    QSignalSpy authority(&setting, &QSystemSetting::authorityChanged);
    QSignalSpy modifyType(&setting, &QSystemSetting::funcodeModifyTypeChanged);
    QSignalSpy language(&setting, &QSystemSetting::languageChanged);
    setting.setFileName(settingsFile("other.ini"));
    QCOMPARE(authority.count(), 1);
    QCOMPARE(authority.at(0).at(0).toInt(), int(AUTHORITY_USER));
    QCOMPARE(modifyType.count(), 0);
    QCOMPARE(language.count(), 1);
    QCOMPARE(language.at(0).at(0).toString(), QString("zh"));
}

QTEST_GUILESS_MAIN(tst_QSystemSetting)
#include "tst_QSystemSetting.moc"
