#include "QDriveCatalogue.h"
#include "QDriveModel.h"
#include "QTestHost.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

class tst_QDriveModel : public QObject
{
    Q_OBJECT

private slots:
    void brokenDescriptionIsRefused_data();
    void brokenDescriptionIsRefused();
    void shippedModelsCoverEveryKind();
    void brokenFileInFolderIsSkipped();

private:
    static QJsonObject testRoot()
    {
        return QJsonDocument::fromJson(QTestHost::testModelJson(1, "T")).object();
    }
    // The test model with one member of its first group, or of a code of that group, replaced (or removed
    // by QJsonValue::Undefined).
    static QByteArray withGroup(const QString& key, const QJsonValue& value)
    {
        QJsonObject root = testRoot();
        QJsonArray groups = root.value("groups").toArray();
        QJsonObject group = groups.at(0).toObject();
        if (value.isUndefined()) {
            group.remove(key);
        } else {
            group.insert(key, value);
        }
        groups.replace(0, group);
        root.insert("groups", groups);
        return QJsonDocument(root).toJson();
    }
    static QByteArray withCode(int row, const QString& key, const QJsonValue& value)
    {
        QJsonArray codes = testRoot().value("groups").toArray().at(0).toObject().value("codes").toArray();
        QJsonObject code = codes.at(row).toObject();
        code.insert(key, value);
        codes.replace(row, code);
        return withGroup("codes", codes);
    }
};

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
    QTest::newRow("index is a number") << withFirstCode("index", 123) << "\"index\" is a number (123)";
    QTest::newRow("show type is a text") << withFirstCode("showType", "2") << "\"showType\" is a text";
    QTest::newRow("min missing") << withFirstCode("min", QJsonValue()) << "P00.01: \"min\" is null";
    QTest::newRow("decimals for whole") << withCode(4, "max", "12.5") << "P00.04: \"max\" is 12.5, but";
    QTest::newRow("min far below") << withCode(4, "min", -1e308) << "P00.04: \"min\" is -1e+308, outside";
    QTest::newRow("23-digit max")
        << withCode(4, "max", "12345678901234567890123")
        << "\"max\" is 12345678901234567890123, outside the code's data type (0 to 65535)";
    QTest::newRow("codes is a text") << withGroup("codes", "P00.00")
                                     << "group P00 Basic: \"codes\" is a text";
    QTest::newRow("codes missing") << withGroup("codes", QJsonValue::Undefined) << "has no \"codes\"";
    QTest::newRow("code is a number")
        << withGroup("codes", QJsonArray{7}) << "code 1 of the group is a number";
    QTest::newRow("group name is a list") << withGroup("name", QJsonArray{}) << "group 1: \"name\" is a list";
    root = testRoot();
    root.insert("groups", "P00");
    QTest::newRow("groups is a text") << QJsonDocument(root).toJson() << "\"groups\" is a text, not a list";
    QTest::newRow("no code in any group")
        << QByteArray(
               R"({"format": 1, "model": "M", "axisNum": 1, "groups": [{"name": "P00 A", "codes": []}]})")
        << "no group has a function code";

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
    QSet<int> axes, showTypes, rights, effects;
    bool large = false, longGroup = false, pointTable = false;
    for (const QDriveModelPtr& model : catalogue.models()) {
        axes.insert(model->axisNum);
        large = large || model->codeCount() > 1000;
        for (const QDriveGroupDef& group : model->groups) {
            longGroup = longGroup || group.codeRows.size() > 100;
            pointTable = pointTable || group.name.contains("PtP");
        }
        QSet<int> addresses; // generated ones too
        for (const tagSubFuncode_Servo& fun : model->codes) {
            addresses.insert(fun.modbusAddr);
            showTypes.insert(fun.showType);
            rights.insert(fun.rwLevel);
            effects.insert(fun.effectStyle);
        }
        QVERIFY2(addresses.size() == model->codes.size() && !model->motorTypeCode.isEmpty() &&
                     !model->faults.isEmpty() && !model->historyFormat.isEmpty(),
                 qPrintable(model->modelName));
    }
    QVERIFY(catalogue.model("KV905"));
    QCOMPARE(axes, (QSet<int>{1, 2, 3}));
    QVERIFY(large && longGroup && pointTable);
    QCOMPARE(showTypes.size(), 11);
    QCOMPARE(rights, (QSet<int>{0, 1, 2, 3}));
    QCOMPARE(effects, (QSet<int>{0, 1, 2}));
}

void tst_QDriveModel::brokenFileInFolderIsSkipped()
{
    QTemporaryDir dir;
    for (const auto& file : {qMakePair(QString("T1.json"), QTestHost::testModelJson(1, "T1")),
                             qMakePair(QString("Bad.json"), QByteArray("{ this is not json"))}) {
        QFile out(dir.filePath(file.first));
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file.second) == file.second.size());
    }
    QDriveCatalogue catalogue;
    QCOMPARE(catalogue.loadDirectory(dir.path()), 1);
    QCOMPARE(catalogue.loadErrors().size(), 1);
    QVERIFY(catalogue.loadErrors().first().contains("Bad.json"));
    QVERIFY(catalogue.model("T1"));
}

QTEST_GUILESS_MAIN(tst_QDriveModel)
#include "tst_QDriveModel.moc"
