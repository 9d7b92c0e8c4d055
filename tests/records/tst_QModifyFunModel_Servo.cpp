#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QLibSetting.h"
#include "QModifyFunModel_Servo.h"
#include "QProjectCore.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "drive/QDriveCatalogue.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QIcon>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {
// The text a key is shown with (the host installs the English texts).
QString english(const char* key)
{
    return QCoreApplication::translate("Strings", key);
}

tagModifyFuncode_Servo record(const QString& funIndex, int axis, const QString& oldVal, const QString& newVal)
{
    tagModifyFuncode_Servo r;
    r.strTime = QStringLiteral("2024-05-06 07:08:09");
    r.funIndex = funIndex;
    r.axisIndex = axis;
    r.oldVal = oldVal;
    r.newVal = newVal;
    return r;
}

// The three-axis test model with its first group renamed.
QDriveModelPtr modelWithFirstGroup(const QString& modelName, const QString& groupName)
{
    QJsonObject root = QJsonDocument::fromJson(QTestHost::testModelJson(3, modelName)).object();
    QJsonArray groups = root.value(QStringLiteral("groups")).toArray();
    QJsonObject first = groups.at(0).toObject();
    first.insert(QStringLiteral("name"), groupName);
    groups.replace(0, first);
    root.insert(QStringLiteral("groups"), groups);
    QString error;
    QDriveModelPtr model = QDriveModel::fromJson(QJsonDocument(root).toJson(), &error);
    if (!model) {
        qWarning("renamed model does not load: %s", qPrintable(error));
    }
    return model;
}
} // namespace

class tst_QModifyFunModel_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void displayRowShowsStoredValues_data();
    void displayRowShowsStoredValues();
    void displayRowFillsDescriptionColumns();
    void groupIsMatchedByTextBeforeFirstBlank_data();
    void groupIsMatchedByTextBeforeFirstBlank();
    void unknownCodeGivesEmptyRow_data();
    void unknownCodeGivesEmptyRow();
    void noSelectedDriveGivesEmptyRow();
    void coloursAndIconsPerColumn();
    void emptyRowHasNoIcon();
    void newestChangeGoesOnTop();

private:
    QDeviceServo* m_device = nullptr;
};

void tst_QModifyFunModel_Servo::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QModifyFunModel_Servo::init()
{
    QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
    m_device = QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("drive"));
    QVERIFY(m_device);
    QTestHost::select(QStringLiteral("drive"));
}

void tst_QModifyFunModel_Servo::cleanup()
{
    QTestHost::clearProject();
    m_device = nullptr;
}

void tst_QModifyFunModel_Servo::displayRowShowsStoredValues_data()
{
    QTest::addColumn<QString>("funIndex");
    QTest::addColumn<QString>("oldStored");
    QTest::addColumn<QString>("newStored");
    QTest::addColumn<QString>("oldShown");
    QTest::addColumn<QString>("newShown");

    // Positions 1 and 3 of the list 0, 1, 3, 5: the values 1 and 5, not 1 and 3.
    QTest::newRow("enumerated second to fourth") << "P00.00"
                                                 << "1"
                                                 << "3"
                                                 << "1:Motor B 400W"
                                                 << "5:Motor D 1kW";
    QTest::newRow("enumerated first to second") << "P00.03"
                                                << "0"
                                                << "1"
                                                << "0:Position"
                                                << "1:Speed";
    QTest::newRow("hexadecimal stays decimal") << "P00.04"
                                               << "255"
                                               << "256"
                                               << "255"
                                               << "256";
    QTest::newRow("decimal as stored") << "P00.01"
                                       << "2.80"
                                       << "3.15"
                                       << "2.80"
                                       << "3.15";
    QTest::newRow("damaged position kept") << "P00.00"
                                           << "x"
                                           << "9"
                                           << "x"
                                           << "";
}

void tst_QModifyFunModel_Servo::displayRowShowsStoredValues()
{
    QFETCH(QString, funIndex);
    QFETCH(QString, oldStored);
    QFETCH(QString, newStored);
    QFETCH(QString, oldShown);
    QFETCH(QString, newShown);

    const QStringList row = QModifyFunModel_Servo::makeDisplayRow(record(funIndex, 0, oldStored, newStored));
    QCOMPARE(row.size(), int(QModifyFunModel_Servo::COL_COUNT));
    QCOMPARE(row.at(QModifyFunModel_Servo::COL_OLD_VAL), oldShown);
    QCOMPARE(row.at(QModifyFunModel_Servo::COL_NEW_VAL), newShown);
}

void tst_QModifyFunModel_Servo::displayRowFillsDescriptionColumns()
{
    const QStringList row = QModifyFunModel_Servo::makeDisplayRow(record("P00.01", 2, "2.80", "3.00"));
    const QStringList expected{
        "2024-05-06 07:08:09", "P00.01", "Rated current", "Z", "3.00", "2.80", "2.80", "0.10", "30.00", ""};
    QCOMPARE(row, expected);

    const QStringList related = QModifyFunModel_Servo::makeDisplayRow(record("P00.00", 1, "0", "1"));
    QCOMPARE(related.at(QModifyFunModel_Servo::COL_AXIS), QStringLiteral("Y"));
    QVERIFY(related.at(QModifyFunModel_Servo::COL_RELATE_PARAM).contains(QStringLiteral("P00.01")));
    QVERIFY(related.at(QModifyFunModel_Servo::COL_RELATE_PARAM).contains(QStringLiteral("P00.02")));
}

void tst_QModifyFunModel_Servo::groupIsMatchedByTextBeforeFirstBlank_data()
{
    QTest::addColumn<QString>("groupName");
    QTest::newRow("name with words") << "P00 Basic";
    QTest::newRow("name is the group code") << "P00";
    QTest::newRow("several blanks") << "P00 Basic  settings";
}

void tst_QModifyFunModel_Servo::groupIsMatchedByTextBeforeFirstBlank()
{
    QFETCH(QString, groupName);
    static int serial = 0;
    const QString modelName = QStringLiteral("TSTG%1").arg(++serial);
    QDriveModelPtr model = modelWithFirstGroup(modelName, groupName);
    QVERIFY(model);
    QProjectCore::self()->getCatalogue()->addModel(model);
    QVERIFY(QTestHost::addDrive(modelName, QStringLiteral("renamed")));
    QTestHost::select(QStringLiteral("renamed"));

    const QStringList row = QModifyFunModel_Servo::makeDisplayRow(record("P00.02", 0, "3000", "2500"));
    QCOMPARE(row.value(QModifyFunModel_Servo::COL_NAME), QStringLiteral("Rated speed"));
    QCOMPARE(row.value(QModifyFunModel_Servo::COL_NEW_VAL), QStringLiteral("2500"));
}

void tst_QModifyFunModel_Servo::unknownCodeGivesEmptyRow_data()
{
    QTest::addColumn<QString>("funIndex");
    QTest::newRow("number the drive never had") << "P00.99";
    QTest::newRow("group the drive does not have") << "P77.01";
    // "P1" is a prefix of the group "P10 Limits" but not its group code.
    QTest::newRow("group code is only a prefix") << "P1.05";
    QTest::newRow("above the present authority") << "P00.09";
    QTest::newRow("empty number") << "";
}

void tst_QModifyFunModel_Servo::unknownCodeGivesEmptyRow()
{
    QFETCH(QString, funIndex);
    QVERIFY(QModifyFunModel_Servo::makeDisplayRow(record(funIndex, 0, "1", "2")).isEmpty());
    // The same number of a known group gives a row, so the empty row is not an accident of the record.
    QVERIFY(!QModifyFunModel_Servo::makeDisplayRow(record("P10.05", 0, "1", "2")).isEmpty());
}

void tst_QModifyFunModel_Servo::noSelectedDriveGivesEmptyRow()
{
    QTestHost::select(QString());
    QVERIFY(QModifyFunModel_Servo::makeDisplayRow(record("P00.01", 0, "1", "2")).isEmpty());
}

void tst_QModifyFunModel_Servo::coloursAndIconsPerColumn()
{
    QModifyFunModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setModelData({QModifyFunModel_Servo::makeDisplayRow(record("P00.01", 0, "2.80", "3.00")),
                        QModifyFunModel_Servo::makeDisplayRow(record("P00.07", 1, "9", "10"))});
    QCOMPARE(model.columnCount(), int(QModifyFunModel_Servo::COL_COUNT));
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), english("STR_DATETIME"));
    QCOMPARE(model.headerData(9, Qt::Horizontal).toString(), english("STR_RELATE_PARAM"));

    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column) {
            const QModelIndex index = model.index(row, column);
            const QVariant foreground = index.data(Qt::ForegroundRole);
            if (column == QModifyFunModel_Servo::COL_NEW_VAL) {
                QCOMPARE(foreground.value<QColor>(), QColor(Qt::red));
            } else if (column == QModifyFunModel_Servo::COL_DEFAULT_VAL) {
                QCOMPARE(foreground.value<QColor>(), QColor(Qt::darkGreen));
            } else {
                QVERIFY2(!foreground.isValid(), qPrintable(QString::number(column)));
            }
            const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
            QCOMPARE(icon.isNull(), column != QModifyFunModel_Servo::COL_NAME);
            QCOMPARE(index.data(Qt::ToolTipRole), index.data(Qt::DisplayRole));
            QCOMPARE(index.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
        }
    }
    QVERIFY(!model.index(0, 0).data(Qt::EditRole).isValid());
}

void tst_QModifyFunModel_Servo::emptyRowHasNoIcon()
{
    QModifyFunModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setModelData({QModifyFunModel_Servo::makeDisplayRow(record("P00.99", 0, "1", "2")),
                        QModifyFunModel_Servo::makeDisplayRow(record("P00.01", 0, "1.00", "2.00"))});
    QCOMPARE(model.rowCount(), 2);
    QVERIFY(model.index(0, QModifyFunModel_Servo::COL_NAME).data(Qt::DecorationRole).value<QIcon>().isNull());
    QCOMPARE(model.index(0, QModifyFunModel_Servo::COL_INDEX).data().toString(), QString());
    QVERIFY(
        !model.index(1, QModifyFunModel_Servo::COL_NAME).data(Qt::DecorationRole).value<QIcon>().isNull());

    // Without a selected drive no code is known, so no row has an icon.
    QTestHost::select(QString());
    QVERIFY(model.index(1, QModifyFunModel_Servo::COL_NAME).data(Qt::DecorationRole).value<QIcon>().isNull());
}

void tst_QModifyFunModel_Servo::newestChangeGoesOnTop()
{
    QModifyFunModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setModelData({QModifyFunModel_Servo::makeDisplayRow(record("P00.01", 0, "1.00", "2.00"))});
    model.insertFrontData(QModifyFunModel_Servo::makeDisplayRow(record("P00.02", 0, "3000", "2000")));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.index(0, QModifyFunModel_Servo::COL_INDEX).data().toString(), QStringLiteral("P00.02"));
    QCOMPARE(model.index(0, QModifyFunModel_Servo::COL_NEW_VAL).data(Qt::ForegroundRole).value<QColor>(),
             QColor(Qt::red));
}

QTEST_MAIN(tst_QModifyFunModel_Servo)
#include "tst_QModifyFunModel_Servo.moc"
