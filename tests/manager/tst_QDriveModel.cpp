#include "QTestHost.h"
#include "drive/QDriveCatalogue.h"
#include "drive/QDriveModel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

class tst_QDriveModel : public QObject
{
    Q_OBJECT

private slots:
    void testModelLoads();
    void brokenDescriptionIsRefused_data();
    void brokenDescriptionIsRefused();
    void shippedModelsCoverEveryKind();
    void brokenFileInFolderIsSkipped();

private:
    static QJsonObject testRoot()
    {
        return QJsonDocument::fromJson(QTestHost::testModelJson(1, "T")).object();
    }
};

void tst_QDriveModel::testModelLoads()
{
    const QDriveModelPtr model = QTestHost::testModel(2, "T2");
    QVERIFY(model);
    QCOMPARE(model->axisNum, 2);
    const tagSubFuncode_Servo* motor = model->code("P00.00");
    QVERIFY(motor);
    QCOMPARE(motor->groupName, QStringLiteral("P00 Basic"));
    QCOMPARE(motor->groupCode, QStringLiteral("P00"));
    QCOMPARE(motor->enumText,
             QStringLiteral("0:Motor A 200W\n1:Motor B 400W\n3:Motor C 750W\n5:Motor D 1kW"));
    QCOMPARE(motor->relateParam, QStringLiteral("P00.01,P00.02"));
    QVERIFY(model->code("P00.03")->relateF && model->code("P00.03")->relateT);
    QCOMPARE(model->code("P00.05")->enumText,
             QStringLiteral("0:Stop mode:0 Coast;1 Ramp;2 Short brake\n1:Hold:0 Off;1 On"));
    QVERIFY(model->code("U00.00")->isStateCode);
    QCOMPARE(model->effects.size(), 2);
    QCOMPARE(model->fault("E.201")->canClear, false);
    // Generated addresses are unique.
    QSet<int> addresses;
    for (const tagSubFuncode_Servo& fun : model->codes) {
        addresses.insert(fun.modbusAddr);
    }
    QCOMPARE(addresses.size(), model->codes.size());
}

void tst_QDriveModel::brokenDescriptionIsRefused_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("message");

    QTest::newRow("not json") << QByteArray("{\"format\": 1,") << "not valid JSON";
    QTest::newRow("array") << QByteArray("[1,2]") << "JSON object";
    QJsonObject root = testRoot();
    root.insert("format", 2);
    QTest::newRow("format") << QJsonDocument(root).toJson() << "format";
    root = testRoot();
    root.insert("axisNum", 4);
    QTest::newRow("axes") << QJsonDocument(root).toJson() << "axisNum";

    auto withFirstCode = [](const QString& key, const QJsonValue& value) {
        QJsonObject root = testRoot();
        QJsonArray groups = root.value("groups").toArray();
        QJsonObject group = groups.at(0).toObject();
        QJsonArray codes = group.value("codes").toArray();
        QJsonObject code = codes.at(1).toObject();
        code.insert(key, value);
        codes.replace(1, code);
        group.insert("codes", codes);
        groups.replace(0, group);
        root.insert("groups", groups);
        return QJsonDocument(root).toJson();
    };
    QTest::newRow("default above max") << withFirstCode("default", "31") << "P00.01: the default";
    QTest::newRow("min not a number") << withFirstCode("min", "low") << "P00.01: \"min\"";
    QTest::newRow("wrong group") << withFirstCode("index", "P01.01") << "does not start with the group code";
    QTest::newRow("duplicate number") << withFirstCode("index", "P00.00") << "listed twice";
    QTest::newRow("show type") << withFirstCode("showType", 11) << "showType";
    QTest::newRow("unknown related") << withFirstCode("relateParams", QJsonArray{"P55.55"}) << "P55.55";
    QTest::newRow("unknown value list") << withFirstCode("showType", 2) << "needs \"enum\"";

    root = testRoot();
    root.insert("motorTypeCode", "P42.00");
    QTest::newRow("motor code") << QJsonDocument(root).toJson() << "motorTypeCode";
    root = testRoot();
    root.insert("historyFormat", QJsonArray{QJsonObject{{"number", "1~123"}}});
    QTest::newRow("history number") << QJsonDocument(root).toJson() << "1~123";
}

void tst_QDriveModel::brokenDescriptionIsRefused()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, message);
    QString error;
    QVERIFY(!QDriveModel::fromJson(json, &error));
    QVERIFY2(error.contains(message), qPrintable(error));
}

void tst_QDriveModel::shippedModelsCoverEveryKind()
{
    QDriveCatalogue catalogue;
    QVERIFY(catalogue.loadDirectory(QDriveCatalogue::defaultDirectory()) >= 4);
    QVERIFY2(catalogue.loadErrors().isEmpty(), qPrintable(catalogue.loadErrors().join('\n')));
    QSet<int> axes;
    QSet<int> showTypes;
    QSet<int> rights;
    QSet<int> effects;
    bool large = false;
    bool longGroup = false;
    bool pointTable = false;
    for (const QDriveModelPtr& model : catalogue.models()) {
        axes.insert(model->axisNum);
        large = large || model->codeCount() > 1000;
        for (const QDriveGroupDef& group : model->groups) {
            longGroup = longGroup || group.codeRows.size() > 100;
            pointTable = pointTable || group.name.contains("PtP");
        }
        for (const tagSubFuncode_Servo& fun : model->codes) {
            showTypes.insert(fun.showType);
            rights.insert(fun.rwLevel);
            effects.insert(fun.effectStyle);
        }
        QVERIFY2(!model->motorTypeCode.isEmpty(), qPrintable(model->modelName));
        QVERIFY2(!model->faults.isEmpty(), qPrintable(model->modelName));
        QVERIFY2(!model->historyFormat.isEmpty(), qPrintable(model->modelName));
    }
    QVERIFY(catalogue.model("KV905"));
    QCOMPARE(axes, (QSet<int>{1, 2, 3}));
    QVERIFY(large);
    QVERIFY(longGroup);
    QVERIFY(pointTable);
    QCOMPARE(showTypes.size(), 11);
    QCOMPARE(rights, (QSet<int>{0, 1, 2, 3}));
    QCOMPARE(effects, (QSet<int>{0, 1, 2}));
}

void tst_QDriveModel::brokenFileInFolderIsSkipped()
{
    QTemporaryDir dir;
    QFile good(dir.filePath("T1.json"));
    QVERIFY(good.open(QIODevice::WriteOnly));
    good.write(QTestHost::testModelJson(1, "T1"));
    good.close();
    QFile bad(dir.filePath("Bad.json"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("{ this is not json");
    bad.close();
    QDriveCatalogue catalogue;
    QCOMPARE(catalogue.loadDirectory(dir.path()), 1);
    QCOMPARE(catalogue.loadErrors().size(), 1);
    QVERIFY(catalogue.loadErrors().first().contains("Bad.json"));
    QVERIFY(catalogue.model("T1"));
}

QTEST_GUILESS_MAIN(tst_QDriveModel)
#include "tst_QDriveModel.moc"
