#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeModel_Servo.h"
#include "QKeyTranslator.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "drive/QDriveCatalogue.h"
#include "drive/QSimulatedDriveLink.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QIcon>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// The cells, flags, writes and change notices that every function-code table shares, exercised through the
// group model on the small three-axis test drive.
class tst_QFuncodeModelBase_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void editability_data();
    void editability();
    void oscilloscope_data();
    void oscilloscope();
    void colours();
    void checkStateFollowsMonitoredList();
    void checkingChangesMonitoredListInOrder();
    void selectAllAndNone();
    void editWritesToDrive();
    void refusedEditChangesNothing_data();
    void refusedEditChangesNothing();
    void axisRoleWritesThatAxis();
    void withoutDevice();
    void changeNotices_data();
    void changeNotices();
    void headersHaveEnglishTexts();

private:
    QDeviceServo* addSelected(const QString& model = QStringLiteral("TST3"), bool read = true);
    std::unique_ptr<QFuncodeModel_Servo> groupModel(const QString& group);
    int rowOf(const QFuncodeModel_Servo& model, const QString& number) const;

    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

void tst_QFuncodeModelBase_Servo::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
    // The test drive whose oscilloscope code is read-only: the oscilloscope alone decides.
    QJsonObject root = QJsonDocument::fromJson(QTestHost::testModelJson(3, QStringLiteral("TSTO"))).object();
    QJsonArray groups = root.value("groups").toArray();
    for (int i = 0; i < groups.size(); ++i) {
        QJsonObject group = groups.at(i).toObject();
        if (group.value("name").toString() != QLatin1String("P2 Gains")) {
            continue;
        }
        QJsonArray codes = group.value("codes").toArray();
        QJsonObject first = codes.at(2).toObject();
        first.insert("rw", 0);
        codes.replace(2, first);
        group.insert("codes", codes);
        groups.replace(i, group);
    }
    root.insert("groups", groups);
    QString why;
    QDriveModelPtr model = QDriveModel::fromJson(QJsonDocument(root).toJson(), &why);
    QVERIFY2(model, qPrintable(why));
    QProjectCore::self()->getCatalogue()->addModel(model);
}

void tst_QFuncodeModelBase_Servo::init()
{
    QTestHost::clearProject();
    QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(0);
}

void tst_QFuncodeModelBase_Servo::cleanup()
{
    m_tester.reset();
    QTestHost::clearProject();
}

QDeviceServo* tst_QFuncodeModelBase_Servo::addSelected(const QString& model, bool read)
{
    QDeviceServo* device = QTestHost::addDrive(model, QStringLiteral("A"));
    QTestHost::select(QStringLiteral("A"));
    if (device && read) {
        QTestHost::readAll(device);
    }
    return device;
}

std::unique_ptr<QFuncodeModel_Servo> tst_QFuncodeModelBase_Servo::groupModel(const QString& group)
{
    auto model = std::make_unique<QFuncodeModel_Servo>();
    m_tester = std::make_unique<QAbstractItemModelTester>(
        model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    if (QDeviceServo* device = QProjectCore::self()->getDevMgr()->getSelectServo()) {
        model->setGroupMap(device->getNormalFuncodeGroupMap());
    }
    model->setGroup(group);
    return model;
}

int tst_QFuncodeModelBase_Servo::rowOf(const QFuncodeModel_Servo& model, const QString& number) const
{
    return model.rowOfFuncode(number, QStringLiteral("A"));
}

void tst_QFuncodeModelBase_Servo::editability_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("editable");
    QTest::newRow("rw 1 decimal") << "P00.01" << true;
    QTest::newRow("rw 2 decimal") << "P00.08" << true;
    QTest::newRow("rw 0 decimal") << "P00.07" << false;
    QTest::newRow("rw 3 decimal") << "P00.06" << false;
    QTest::newRow("rw 1 hexadecimal") << "P00.04" << true;
    QTest::newRow("rw 1 enumerated") << "P00.00" << true;
    QTest::newRow("rw 1 menu") << "P00.05" << true;
    QTest::newRow("rw 1 bits") << "P00.10" << true;
    QTest::newRow("rw 0 text") << "P00.14" << false;
    QTest::newRow("rw 0 version") << "P00.16" << false;
}

void tst_QFuncodeModelBase_Servo::editability()
{
    QFETCH(QString, number);
    QFETCH(bool, editable);
    QVERIFY(addSelected());
    auto model = groupModel(QStringLiteral("P00 Basic"));
    const int row = rowOf(*model, number);
    QVERIFY(row >= 0);

    QCOMPARE(model->isEditable(row), editable);
    for (int column = QFuncodeModelBase_Servo::COL_AXIS_X; column <= QFuncodeModelBase_Servo::COL_AXIS_Z;
         ++column) {
        QCOMPARE(bool(model->flags(model->index(row, column)) & Qt::ItemIsEditable), editable);
        QCOMPARE(model->index(row, column).data(Qt::ForegroundRole).value<QBrush>().color(),
                 QColor(Qt::black));
    }
    const Qt::ItemFlags numberFlags = model->flags(model->index(row, QFuncodeModelBase_Servo::COL_NUMBER));
    QVERIFY(numberFlags & Qt::ItemIsUserCheckable);
    QVERIFY(!(numberFlags & Qt::ItemIsEditable));
    QVERIFY(!(model->flags(model->index(row, QFuncodeModelBase_Servo::COL_NAME)) & Qt::ItemIsEditable));
    const QVariant nameColour = model->index(row, QFuncodeModelBase_Servo::COL_NAME).data(Qt::ForegroundRole);
    QCOMPARE(nameColour.isValid(), !editable);
    if (!editable) {
        QCOMPARE(nameColour.value<QBrush>().color(), QColor(Qt::gray));
    }
}

void tst_QFuncodeModelBase_Servo::oscilloscope_data()
{
    QTest::addColumn<QString>("drive");
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("running");
    QTest::addColumn<bool>("editable");
    QTest::newRow("first code, stopped") << "TST3"
                                         << "P2.02" << false << true;
    QTest::newRow("first code, running") << "TST3"
                                         << "P2.02" << true << false;
    QTest::newRow("read-only first code, stopped") << "TSTO"
                                                   << "P2.02" << false << true;
    QTest::newRow("read-only first code, running") << "TSTO"
                                                   << "P2.02" << true << false;
    QTest::newRow("no-edit code, stopped") << "TST3"
                                           << "P2.03" << false << false;
    QTest::newRow("no-edit code, running") << "TST3"
                                           << "P2.03" << true << false;
    QTest::newRow("other code, running") << "TST3"
                                         << "P2.01" << true << true;
}

void tst_QFuncodeModelBase_Servo::oscilloscope()
{
    QFETCH(QString, drive);
    QFETCH(QString, number);
    QFETCH(bool, running);
    QFETCH(bool, editable);
    QDeviceServo* device = addSelected(drive, false);
    QVERIFY(device);
    device->setOsciRunning(running);
    auto model = groupModel(QStringLiteral("P2 Gains"));
    const int row = rowOf(*model, number);
    QCOMPARE(model->isEditable(row), editable);
    QCOMPARE(bool(model->flags(model->index(row, QFuncodeModelBase_Servo::COL_AXIS_X)) & Qt::ItemIsEditable),
             editable);
}

void tst_QFuncodeModelBase_Servo::colours()
{
    QDeviceServo* device = addSelected(QStringLiteral("TST3"), false);
    auto model = groupModel(QStringLiteral("P00 Basic"));
    const int row = rowOf(*model, QStringLiteral("P00.02"));
    auto background = [&](int column) {
        return model->index(row, column).data(Qt::BackgroundRole).value<QBrush>().color();
    };
    QCOMPARE(model->index(row, QFuncodeModelBase_Servo::COL_DEFAULT)
                 .data(Qt::ForegroundRole)
                 .value<QBrush>()
                 .color(),
             QColor(Qt::darkGreen));

    // Not read yet: the empty value says nothing about the default.
    QCOMPARE(model->index(row, QFuncodeModelBase_Servo::COL_AXIS_X).data().toString(), QString());
    QCOMPARE(background(QFuncodeModelBase_Servo::COL_AXIS_X), QColor(Qt::white));

    QVERIFY(QTestHost::readAll(device));
    QCOMPARE(model->index(row, QFuncodeModelBase_Servo::COL_AXIS_X).data().toString(),
             QStringLiteral("3000"));
    QCOMPARE(background(QFuncodeModelBase_Servo::COL_AXIS_X), QColor(Qt::white));

    QTestHost::link("A")->setRawValue(QStringLiteral("P00.02"), 0, 2500);
    QVERIFY(QTestHost::readAll(device));
    QCOMPARE(model->index(row, QFuncodeModelBase_Servo::COL_AXIS_X).data().toString(),
             QStringLiteral("2500"));
    QCOMPARE(background(QFuncodeModelBase_Servo::COL_AXIS_X), QColor(Qt::yellow));
    QCOMPARE(background(QFuncodeModelBase_Servo::COL_AXIS_Y), QColor(Qt::white));
    QCOMPARE(background(QFuncodeModelBase_Servo::COL_SAVE_STATE),
             device->getSaveColor(QStringLiteral("P00.02")));
    QVERIFY(!model->index(row, QFuncodeModelBase_Servo::COL_NAME).data(Qt::BackgroundRole).isValid());
}

void tst_QFuncodeModelBase_Servo::checkStateFollowsMonitoredList()
{
    QDeviceServo* device = addSelected(QStringLiteral("TST3"), false);
    auto model = groupModel(QStringLiteral("P00 Basic"));
    device->appendSelSubFuncode(QStringLiteral("P00.03"));
    const QModelIndex monitored = model->index(rowOf(*model, QStringLiteral("P00.03")), 0);
    const QModelIndex other = model->index(rowOf(*model, QStringLiteral("P00.02")), 0);
    QCOMPARE(monitored.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(other.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QVERIFY(!model->index(other.row(), QFuncodeModelBase_Servo::COL_NAME).data(Qt::CheckStateRole).isValid());
}

void tst_QFuncodeModelBase_Servo::checkingChangesMonitoredListInOrder()
{
    QDeviceServo* device = addSelected(QStringLiteral("TST3"), false);
    auto model = groupModel(QStringLiteral("P2 Gains"));
    QStringList order;
    connect(model.get(), &QFuncodeModelBase_Servo::SigBeginSelChanged, this,
            [&order]() { order << "begin"; });
    connect(model.get(), &QFuncodeModelBase_Servo::SigSelChanged, this, [&order, device]() {
        order << (device->isSubFuncodeSelected(QStringLiteral("P2.01")) ? "changed:in" : "changed:out");
    });
    const QModelIndex cell = model->index(rowOf(*model, QStringLiteral("P2.01")), 0);

    QVERIFY(model->setData(cell, Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(order, QStringList({"begin", "changed:in"}));
    QCOMPARE(device->getSelSubFuncodeList(), QStringList{QStringLiteral("P2.01")});

    QVERIFY(model->setData(cell, Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(order, QStringList({"begin", "changed:in", "begin", "changed:out"}));
    QVERIFY(device->getSelSubFuncodeList().isEmpty());
}

void tst_QFuncodeModelBase_Servo::selectAllAndNone()
{
    QDeviceServo* device = addSelected(QStringLiteral("TST3"), false);
    device->appendSelSubFuncode(QStringLiteral("P00.01"));
    auto model = groupModel(QStringLiteral("P2 Gains"));
    QSignalSpy begin(model.get(), &QFuncodeModelBase_Servo::SigBeginSelChanged);
    QSignalSpy changed(model.get(), &QFuncodeModelBase_Servo::SigSelChanged);

    model->onSelectAll();
    QCOMPARE(device->getSelSubFuncodeList(), QStringList({"P00.01", "P2.00", "P2.01", "P2.02", "P2.03"}));
    model->onDeselectAll();
    QCOMPARE(device->getSelSubFuncodeList(), QStringList{"P00.01"});
    QCOMPARE(begin.count(), 2);
    QCOMPARE(changed.count(), 2);
}

void tst_QFuncodeModelBase_Servo::editWritesToDrive()
{
    QDeviceServo* device = addSelected();
    auto model = groupModel(QStringLiteral("P00 Basic"));
    QSignalSpy spy(model.get(), &QFuncodeModelBase_Servo::SigDataChanged);
    QSignalSpy cells(model.get(), &QAbstractItemModel::dataChanged);
    const int row = rowOf(*model, QStringLiteral("P00.02"));
    const QModelIndex cell = model->index(row, QFuncodeModelBase_Servo::COL_AXIS_X);
    QVERIFY(!device->isParamUnsaved(QStringLiteral("P00.02"), 0));

    QVERIFY(model->setData(cell, 2500.0, Qt::EditRole));
    QCOMPARE(QTestHost::link("A")->rawValue(QStringLiteral("P00.02"), 0), 2500);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("3000"));
    QCOMPARE(spy.at(0).at(1).toString(), QStringLiteral("2500"));
    QCOMPARE(spy.at(0).at(2).value<tagSubFuncodePtr_Servo>(), model->getSubFuncode(row));
    QCOMPARE(spy.at(0).at(3).toInt(), 0);
    QVERIFY(device->isParamUnsaved(QStringLiteral("P00.02"), 0));
    QVERIFY(!device->isParamUnsaved(QStringLiteral("P00.02"), 1));
    QVERIFY(cells.count() >= 1);
    QCOMPARE(cell.data().toString(), QStringLiteral("2500"));

    // The same value again changes nothing that is recorded.
    QVERIFY(model->setData(cell, 2500.0, Qt::EditRole));
    QCOMPARE(spy.count(), 1);
}

void tst_QFuncodeModelBase_Servo::refusedEditChangesNothing_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<double>("value");
    QTest::newRow("out of range") << "P00.02" << 7000.0;
    QTest::newRow("read only") << "P00.07" << 50.0;
    QTest::newRow("factory") << "P00.06" << 50.0;
}

void tst_QFuncodeModelBase_Servo::refusedEditChangesNothing()
{
    QFETCH(QString, number);
    QFETCH(double, value);
    QDeviceServo* device = addSelected();
    auto model = groupModel(QStringLiteral("P00 Basic"));
    QSignalSpy spy(model.get(), &QFuncodeModelBase_Servo::SigDataChanged);
    const QModelIndex cell = model->index(rowOf(*model, number), QFuncodeModelBase_Servo::COL_AXIS_X);
    const QString before = cell.data().toString();
    QTestHost::link("A")->resetCounters();

    model->setData(cell, value, Qt::EditRole);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(cell.data().toString(), before);
    QVERIFY(!device->isParamUnsaved(number, 0));
    QCOMPARE(QTestHost::link("A")->writeRequestCount(), 0);
}

void tst_QFuncodeModelBase_Servo::axisRoleWritesThatAxis()
{
    QDeviceServo* device = addSelected();
    auto model = groupModel(QStringLiteral("P00 Basic"));
    QSignalSpy spy(model.get(), &QFuncodeModelBase_Servo::SigDataChanged);
    const int row = rowOf(*model, QStringLiteral("P00.02"));

    QVERIFY(model->setData(model->index(row, QFuncodeModelBase_Servo::COL_NUMBER), 2400,
                           QFuncodeModelBase_Servo::AXIS_ROLE_BASE + 1));
    QCOMPARE(device->getScaledCurValueStr(QStringLiteral("P00.02"), 1), QStringLiteral("2400"));
    QCOMPARE(device->getScaledCurValueStr(QStringLiteral("P00.02"), 0), QStringLiteral("3000"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("3000"));
    QCOMPARE(spy.at(0).at(3).toInt(), 1);
    QVERIFY(device->isParamUnsaved(QStringLiteral("P00.02"), 1));
}

void tst_QFuncodeModelBase_Servo::withoutDevice()
{
    QDeviceServo* device = addSelected();
    auto model = groupModel(QStringLiteral("P00 Basic"));
    QTestHost::select(QString());
    const int row = rowOf(*model, QStringLiteral("P00.02"));
    QSignalSpy spy(model.get(), &QFuncodeModelBase_Servo::SigDataChanged);

    QCOMPARE(model->index(row, QFuncodeModelBase_Servo::COL_NUMBER).data().toString(),
             QStringLiteral("P00.02"));
    QCOMPARE(model->index(row, QFuncodeModelBase_Servo::COL_AXIS_X).data().toString(), QString());
    QCOMPARE(model->index(row, QFuncodeModelBase_Servo::COL_DEFAULT).data().toString(), QString());
    QVERIFY(model->index(row, QFuncodeModelBase_Servo::COL_COMMON)
                .data(Qt::DecorationRole)
                .value<QIcon>()
                .isNull());
    QVERIFY(model->setData(model->index(row, QFuncodeModelBase_Servo::COL_AXIS_X), 2500.0, Qt::EditRole));
    QVERIFY(!model->setData(model->index(row, 0), Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(device->getScaledCurValueStr(QStringLiteral("P00.02"), 0), QStringLiteral("3000"));
    QVERIFY(device->getSelSubFuncodeList().isEmpty());
}

void tst_QFuncodeModelBase_Servo::changeNotices_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("edited");
    QTest::addColumn<QList<int>>("announced"); // pairs of first and last row

    const QStringList one{"P10.05"};
    const QStringList span{"P10.03", "P10.06", "P10.08"};
    QTest::newRow("one visible code") << "A" << one << 0 << 20 << -1 << QList<int>{5, 5};
    QTest::newRow("the edited code") << "A" << one << 0 << 20 << 5 << QList<int>{};
    QTest::newRow("edited below") << "A" << span << 0 << 20 << 1 << QList<int>{3, 8};
    QTest::newRow("edited at lo") << "A" << span << 0 << 20 << 3 << QList<int>{4, 8};
    QTest::newRow("edited at hi") << "A" << span << 0 << 20 << 8 << QList<int>{3, 7};
    QTest::newRow("edited between") << "A" << span << 0 << 20 << 5 << QList<int>{3, 4, 6, 8};
    QTest::newRow("edited outside") << "A" << span << 0 << 20 << 15 << QList<int>{3, 8};
    QTest::newRow("clipped by window")
        << "A" << QStringList{"P10.03", "P10.40"} << 10 << 20 << -1 << QList<int>{10, 29};
    QTest::newRow("below the window") << "A" << QStringList{"P10.50"} << 0 << 20 << -1 << QList<int>{};
    QTest::newRow("another alias") << "B" << one << 0 << 20 << -1 << QList<int>{};
    QTest::newRow("unknown code") << "A" << QStringList{"P99.01"} << 0 << 20 << -1 << QList<int>{};
    QTest::newRow("empty notice") << "A" << QStringList{} << 0 << 20 << -1 << QList<int>{};
}

void tst_QFuncodeModelBase_Servo::changeNotices()
{
    QFETCH(QString, alias);
    QFETCH(QStringList, numbers);
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(int, edited);
    QFETCH(QList<int>, announced);
    QVERIFY(addSelected(QStringLiteral("TST3"), false));
    auto model = groupModel(QStringLiteral("P10 Limits"));
    model->OnEditting(edited, edited >= 0);
    QSignalSpy spy(model.get(), &QAbstractItemModel::dataChanged);

    model->onFuncodeChanged(alias, numbers, first, count);
    QList<int> rows;
    for (const QList<QVariant>& args : qAsConst(spy)) {
        const QModelIndex topLeft = args.at(0).toModelIndex();
        QCOMPARE(topLeft.column(), int(QFuncodeModelBase_Servo::COL_AXIS_X));
        rows << topLeft.row() << args.at(1).toModelIndex().row();
    }
    QCOMPARE(rows, announced);
}

void tst_QFuncodeModelBase_Servo::headersHaveEnglishTexts()
{
    QKeyTranslator* translator = QKeyTranslator::installForApplication(QStringLiteral("en"));
    QVERIFY(translator);
    QDeviceServo* device = addSelected(QStringLiteral("TST3"), false);
    QVERIFY(device);
    auto model = groupModel(QStringLiteral("P00 Basic"));
    const QStringList heads = model->getHeadList();
    QCOMPARE(heads.size(), int(QFuncodeModelBase_Servo::COLUMN_COUNT));
    for (const QString& head : heads) {
        QVERIFY2(!head.startsWith(QLatin1String("STR_")), qPrintable(head));
    }
    QCOMPARE(heads.at(QFuncodeModelBase_Servo::COL_RELATE_F), QStringLiteral("F"));
    for (int column = 0; column < heads.size(); ++column) {
        const QString tip = model->index(0, column).data(Qt::ToolTipRole).toString();
        QVERIFY2(!tip.startsWith(QLatin1String("STR_")), qPrintable(tip));
    }
    QCoreApplication::removeTranslator(translator);
}

QTEST_MAIN(tst_QFuncodeModelBase_Servo)
#include "tst_QFuncodeModelBase_Servo.moc"
