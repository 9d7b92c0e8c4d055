#include "FileFixtures.h"
#include "QDriveCatalogue.h"
#include "QDriveModel.h"
#include "QTestHost.h"

#include <QtTest>

class tst_QDriveModel : public QObject
{
    Q_OBJECT

private slots:
    void brokenDescriptionIsRefused_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("message");

        QTest::newRow("not json") << QByteArray("{\"format\": 1,") << "not valid JSON";
        QTest::newRow("array") << QByteArray("[1,2]") << "JSON object";
        QTest::newRow("format") << withRoot("format", 2) << "format";
        QTest::newRow("axes") << withRoot("axisNum", 4) << "axisNum";
        QTest::newRow("default above max") << withCode(1, "default", "31") << "P00.01: the default";
        QTest::newRow("min not a number") << withCode(1, "min", "low") << "P00.01: \"min\"";
        QTest::newRow("wrong group") << withCode(1, "index", "P01.01")
                                     << "does not start with the group code";
        QTest::newRow("duplicate number") << withCode(1, "index", "P00.00") << "listed twice";
        QTest::newRow("show type") << withCode(1, "showType", 11) << "showType";
        QTest::newRow("unknown related") << withCode(1, "relateParams", QJsonArray{"P55.55"}) << "P55.55";
        QTest::newRow("unknown value list") << withCode(1, "showType", 2) << "needs \"enum\"";
        QTest::newRow("index is a number") << withCode(1, "index", 123) << "\"index\" is a number (123)";
        QTest::newRow("decimals for whole") << withCode(4, "max", "12.5") << "P00.04: \"max\" is 12.5, but";
        QTest::newRow("23-digit max")
            << withCode(4, "max", "12345678901234567890123")
            << "\"max\" is 12345678901234567890123, outside the code's data type (0 to 65535)";
        QTest::newRow("codes is a text")
            << withGroup("codes", "P00.00") << "group P00 Basic: \"codes\" is a text";
        QTest::newRow("code is a number")
            << withGroup("codes", QJsonArray{7}) << "code 1 of the group is a number";
        QTest::newRow("no code in any group") << QByteArray(R"({"format": 1, "model": "M", "axisNum": 1,
                              "groups": [{"name": {"en": "P00 A", "zh_CN": "P00 甲"}, "codes": []}]})")
                                              << "no group has a function code";
        QTest::newRow("motor code") << withRoot("motorTypeCode", "P42.00") << "motorTypeCode";
        QTest::newRow("history number")
            << withRoot("historyFormat", QJsonArray{QJsonObject{{"number", "1~123"}}}) << "1~123";

        // Every text in every language, the code and the member named.
        QTest::newRow("name without Chinese")
            << withCode(1, "name", english("Rated current"))
            << "group P00 Basic, code P00.01: \"name\" has no \"zh_CN\" text";
        QTest::newRow("name in one language")
            << withCode(1, "name", "Rated current") << "P00.01: \"name\" is a text, not a text per language";
        QTest::newRow("remark of blanks in English")
            << withCode(0, "remark", QJsonObject{{"en", " "}, {"zh_CN", "按铭牌选择"}})
            << "P00.00: \"remark\" has no \"en\" text";
        QTest::newRow("unknown language")
            << withCode(1, "name", QJsonObject{{"en", "Rated"}, {"zh_CN", "额定"}, {"de", "Nenn"}})
            << "P00.01: \"name\" has a text in the unknown language \"de\"";
        QTest::newRow("item without Chinese") << withCode(3, "items", QJsonArray{english("0:Position")})
                                              << "P00.03: item 1 of \"items\" has no \"zh_CN\" text";
        QTest::newRow("item of another value")
            << withCode(3, "items", QJsonArray{QJsonObject{{"en", "0:Position"}, {"zh_CN", "1:位置"}}})
            << "item 1 of \"items\" starts with \"0\" in \"en\" but with \"1\" in \"zh_CN\"";
        QTest::newRow("menu option without Chinese")
            << withCode(5, "menu",
                        QJsonArray{QJsonObject{{"digit", 0},
                                               {"name", QJsonObject{{"en", "Stop"}, {"zh_CN", "停机"}}},
                                               {"options", QJsonArray{english("0 Coast")}}}})
            << "P00.05, menu digit 0: option 0 has no \"zh_CN\" text";
        QTest::newRow("group name of another code")
            << withGroup("name", QJsonObject{{"en", "P00 Basic"}, {"zh_CN", "P01 基本"}})
            << "group 1: the name starts with \"P00\" in \"en\" but with \"P01\" in \"zh_CN\"";
        QTest::newRow("fault name without Chinese")
            << withRoot("faults",
                        QJsonArray{QJsonObject{{"code", "E.101"}, {"name", english("Overcurrent")}}})
            << "fault E.101: \"name\" has no \"zh_CN\" text";
        QTest::newRow("history name without Chinese")
            << withRoot("historyFormat",
                        QJsonArray{QJsonObject{{"number", "1~2"}, {"name", english("Fault code")}}})
            << "historyFormat row 1~2: \"name\" has no \"zh_CN\" text";
    }

    void brokenDescriptionIsRefused()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, message);
        for (const QString& language : QDriveModel::languages()) {
            QString error;
            QVERIFY(!QDriveModel::fromJson(json, &error, language));
            QVERIFY2(error.contains(message), qPrintable(error));
        }
    }

    // Every shipped description loads in every language; the catalogue serves the texts of its language, all
    // written in Chinese in Chinese (names, titles, remarks, fault and history texts), and the same codes.
    // The effect styles are read here; show types, rights and axis counts by the suites of the test model's
    // users.
    void shippedModelsLoadInEveryLanguage()
    {
        QDriveCatalogue catalogue;
        QVERIFY(catalogue.loadDirectory(QDriveCatalogue::defaultDirectory()) >= 4);
        QVERIFY2(catalogue.loadErrors().isEmpty(), qPrintable(catalogue.loadErrors().join('\n')));
        const QDriveModelPtr english = catalogue.model("SD220");
        QSignalSpy changed(&catalogue, &QDriveCatalogue::languageChanged);
        catalogue.setLanguage("zh_CN");
        catalogue.setLanguage("zh_CN");
        QCOMPARE(changed.count(), 1);
        const QRegularExpression chinese(QStringLiteral("[\\x{4e00}-\\x{9fff}]"));
        QSet<int> effects;
        for (const QDriveModelPtr& model : catalogue.models()) {
            QCOMPARE(model->language, QString("zh_CN"));
            for (const QDriveGroupDef& group : model->groups) {
                QVERIFY2(group.name.contains(chinese), qPrintable(group.name));
            }
            for (const tagSubFuncode_Servo& fun : model->codes) {
                effects.insert(fun.effectStyle);
                QVERIFY2(fun.funName.contains(chinese) &&
                             (fun.remark.isEmpty() || fun.remark.contains(chinese)),
                         qPrintable(fun.funIndex));
            }
            for (const QDriveFaultDef& fault : model->faults) {
                QVERIFY2((fault.name + fault.reason + fault.remedy).count(chinese) > 6,
                         qPrintable(fault.code));
            }
            for (const tagHisFaultFormat_Servo& row : model->historyFormat) {
                QVERIFY2(row.name.contains(chinese), qPrintable(row.name));
            }
            QVERIFY2(!model->motorTypeCode.isEmpty() && !model->faults.isEmpty(),
                     qPrintable(model->modelName));
        }
        QCOMPARE(effects, (QSet<int>{0, 1, 2}));

        const tagSubFuncode_Servo* mode = catalogue.model("SD220")->code("P01.00");
        QCOMPARE(english->code("P01.00")->funName, QString("Control mode"));
        QCOMPARE(mode->funName + " / " + mode->groupName, QString("控制模式 / P01 基本控制"));
        QVERIFY(mode->enumText.startsWith("0:位置模式\n1:速度模式"));
        QCOMPARE(catalogue.model("SD220")->fault("E.403")->name, QString("位置偏差过大"));
        for (int row = 0; row < english->codeCount(); ++row) {
            const tagSubFuncode_Servo& a = english->codes.at(row);
            const tagSubFuncode_Servo& b = catalogue.model("SD220")->codes.at(row);
            QVERIFY(a.funIndex == b.funIndex && a.defaultVal == b.defaultVal && a.modbusAddr == b.modbusAddr);
        }
        catalogue.setLanguage("fr");
        QCOMPARE(catalogue.model("SD220"), english);
    }

    void brokenFileInFolderIsSkipped()
    {
        QTemporaryDir dir;
        QVERIFY(FileFixtures::writeBytes(dir.filePath("T1.json"), QTestHost::testModelJson(1, "T1")));
        QVERIFY(FileFixtures::writeBytes(dir.filePath("Bad.json"), "{ this is not json"));
        QDriveCatalogue catalogue;
        QCOMPARE(catalogue.loadDirectory(dir.path()), 1);
        QCOMPARE(catalogue.loadErrors().size(), 1);
        QVERIFY(catalogue.loadErrors().first().contains("Bad.json"));
        QVERIFY(catalogue.model("T1"));
    }

private:
    static QJsonObject testRoot()
    {
        return QJsonDocument::fromJson(QTestHost::testModelJson(1, "T")).object();
    }

    static QByteArray withRoot(const QString& key, const QJsonValue& value)
    {
        QJsonObject root = testRoot();
        root.insert(key, value);
        return QJsonDocument(root).toJson();
    }

    // The test model with one member of its first group, or of a code of that group, replaced.
    static QByteArray withGroup(const QString& key, const QJsonValue& value)
    {
        QJsonArray groups = testRoot().value("groups").toArray();
        QJsonObject group = groups.at(0).toObject();
        group.insert(key, value);
        groups.replace(0, group);
        return withRoot("groups", groups);
    }

    static QByteArray withCode(int row, const QString& key, const QJsonValue& value)
    {
        QJsonArray codes = testRoot().value("groups").toArray().at(0).toObject().value("codes").toArray();
        QJsonObject code = codes.at(row).toObject();
        code.insert(key, value);
        codes.replace(row, code);
        return withGroup("codes", codes);
    }

    static QJsonObject english(const QString& text) { return QJsonObject{{"en", text}}; }
};

QTEST_GUILESS_MAIN(tst_QDriveModel)
#include "tst_QDriveModel.moc"
