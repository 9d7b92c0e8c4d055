#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QSortedModifyFunModel_Servo.h"
#include "QStatistics.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QFont>
#include <QSignalSpy>
#include <QtTest>

namespace {
// The text a key is shown with (the host installs the English texts).
QString english(const char* key)
{
    return QCoreApplication::translate("Strings", key);
}

const char kAlias[] = "drive";

QStatistics* statistics()
{
    return QDatabaseManager::self()->getStatisticsDatabase();
}

// count events of the code, one second apart, the newest last.
void addEvents(const QString& funIndex, int count, double base = 1.0)
{
    QList<QPair<QString, tagFuncodeModifyData>> events;
    for (int i = 0; i < count; ++i) {
        tagFuncodeModifyData event;
        event.timeStamp = 1700000000 + i;
        event.oldValue = base + i;
        event.newValue = base + i + 1;
        event.axisIndex = i % 3;
        events.append(qMakePair(funIndex, event));
    }
    QVERIFY(statistics()->addFuncodeModifyEvents(QString::fromLatin1(kAlias), events));
}

QStringList numbersOf(const QSortedModifyFunModel_Servo& model)
{
    QStringList numbers;
    for (int row = 0; row < model.rowCount(); ++row) {
        numbers << model.index(row, QSortedModifyFunModel_Servo::COL_INDEX).data().toString();
    }
    return numbers;
}

int rowOf(const QSortedModifyFunModel_Servo& model, const QString& funIndex)
{
    return model.getAllFunIndexes().indexOf(funIndex);
}
} // namespace

class tst_QSortedModifyFunModel_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void driveWithoutModificationsIsEmpty();
    void rowsFollowCountAndAuthority_data();
    void rowsFollowCountAndAuthority();
    void cellsShowCodeAndCount();
    void presentationRoles();
    void flagsFollowRight_data();
    void flagsFollowRight();
    void writingChangedValueIsReported();
    void writingSameValueRecordsNothing();
    void refusedWriteIsNotReported();
    void checkBoxEditsMonitoredList();
    void changedValuesAreAnnounced();

private:
    QDeviceServo* m_device = nullptr;
};

void tst_QSortedModifyFunModel_Servo::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QSortedModifyFunModel_Servo::init()
{
    QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
    QVERIFY(statistics()->clearDevice(QString::fromLatin1(kAlias)));
    m_device = QTestHost::addDrive(QStringLiteral("TST3"), QString::fromLatin1(kAlias));
    QVERIFY(m_device);
    QTestHost::link(QString::fromLatin1(kAlias))->setFrozen(true);
    QTestHost::select(QString::fromLatin1(kAlias));
}

void tst_QSortedModifyFunModel_Servo::cleanup()
{
    QTestHost::clearProject();
    m_device = nullptr;
}

void tst_QSortedModifyFunModel_Servo::driveWithoutModificationsIsEmpty()
{
    QSortedModifyFunModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.refresh(true);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), int(QSortedModifyFunModel_Servo::COL_COUNT));
}

void tst_QSortedModifyFunModel_Servo::rowsFollowCountAndAuthority_data()
{
    QTest::addColumn<int>("authority");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QStringList>("numbers");

    QTest::newRow("engineer, most first")
        << int(AUTHORITY_ENGINEER) << true << QStringList{"P00.01", "P2.00", "P00.02"};
    QTest::newRow("engineer, fewest first")
        << int(AUTHORITY_ENGINEER) << false << QStringList{"P00.02", "P2.00", "P00.01"};
    QTest::newRow("manufacturer sees the hidden code")
        << int(AUTHORITY_MANUFACTURER) << true << QStringList{"P00.09", "P00.01", "P2.00", "P00.02"};
    QTest::newRow("user sees it neither")
        << int(AUTHORITY_USER) << false << QStringList{"P00.02", "P2.00", "P00.01"};
}

void tst_QSortedModifyFunModel_Servo::rowsFollowCountAndAuthority()
{
    QFETCH(int, authority);
    QFETCH(bool, descending);
    QFETCH(QStringList, numbers);

    addEvents("P00.01", 3);
    addEvents("P00.02", 1);
    addEvents("P2.00", 2);
    addEvents("P00.09", 5); // seen from the manufacturer's authority on
    addEvents("P88.01", 4); // a code the drive does not have
    addEvents("U00.01", 6); // a state code is not a setting
    QLibSetting::self()->getSystemSetting()->setAuthority(authority);

    QSortedModifyFunModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.refresh(descending);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.isDescending(), descending);
    QCOMPARE(numbersOf(model), numbers);
    QCOMPARE(model.getAllFunIndexes(), numbers);
    QCOMPARE(model.getFunIndexes(1, 1), numbers.mid(1, 1));
    QCOMPARE(model.getFunIndexes(-5, 100), numbers);
}

void tst_QSortedModifyFunModel_Servo::cellsShowCodeAndCount()
{
    addEvents("P00.01", 3, 2.0);
    QVERIFY(QTestHost::readAll(m_device));
    QSortedModifyFunModel_Servo model;
    model.refresh(true);
    QCOMPARE(model.rowCount(), 1);

    auto text = [&model](int column) { return model.index(0, column).data().toString(); };
    QCOMPARE(text(QSortedModifyFunModel_Servo::COL_NAME), QStringLiteral("Rated current"));
    QCOMPARE(text(QSortedModifyFunModel_Servo::COL_AXIS_X), m_device->getScaledCurValueStr("P00.01", 0));
    QCOMPARE(text(QSortedModifyFunModel_Servo::COL_AXIS_Z), m_device->getScaledCurValueStr("P00.01", 2));
    QCOMPARE(text(QSortedModifyFunModel_Servo::COL_MIN_VAL), QStringLiteral("0.10"));
    QCOMPARE(text(QSortedModifyFunModel_Servo::COL_MAX_VAL), QStringLiteral("30.00"));
    QCOMPARE(text(QSortedModifyFunModel_Servo::COL_DEFAULT_VAL), QStringLiteral("2.80"));
    QCOMPARE(text(QSortedModifyFunModel_Servo::COL_UNIT), QStringLiteral("A"));
    QCOMPARE(text(QSortedModifyFunModel_Servo::COL_MODIFY_COUNT), QStringLiteral("3"));
    QCOMPARE(model.getModifyData(0).size(), 3);
    QVERIFY(model.getModifyData(1).isEmpty());
    QCOMPARE(model.getFunIndex(7), QString());
}

void tst_QSortedModifyFunModel_Servo::presentationRoles()
{
    addEvents("P00.01", 2);
    addEvents("P00.07", 1); // read only
    QVERIFY(QTestHost::readAll(m_device));
    QVERIFY(m_device->modifyFuncodeValueWithRecord("P00.01", 5.0, 1)); // axis Y differs from its default
    QSortedModifyFunModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.refresh(true);
    const int writable = rowOf(model, "P00.01");
    const int readOnly = rowOf(model, "P00.07");
    QVERIFY(writable >= 0 && readOnly >= 0);

    const QModelIndex count = model.index(writable, QSortedModifyFunModel_Servo::COL_MODIFY_COUNT);
    QCOMPARE(count.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    QVERIFY(count.data(Qt::FontRole).value<QFont>().underline());
    QCOMPARE(count.data(Qt::ToolTipRole).toString(), english("STR_DOUBLE_CLICK_SHOW_DETAIL"));
    QCOMPARE(count.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
    const QModelIndex name = model.index(writable, QSortedModifyFunModel_Servo::COL_NAME);
    QCOMPARE(name.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
    QVERIFY(!name.data(Qt::FontRole).isValid());
    QVERIFY(!name.data(Qt::ForegroundRole).isValid());
    QVERIFY(!name.data(Qt::DecorationRole).value<QIcon>().isNull());
    QCOMPARE(model.index(writable, QSortedModifyFunModel_Servo::COL_AXIS_X)
                 .data(Qt::ForegroundRole)
                 .value<QColor>(),
             QColor(Qt::red));
    QCOMPARE(model.index(writable, QSortedModifyFunModel_Servo::COL_DEFAULT_VAL)
                 .data(Qt::ForegroundRole)
                 .value<QColor>(),
             QColor(Qt::darkGreen));
    QCOMPARE(
        model.index(writable, QSortedModifyFunModel_Servo::COL_COMMONLY).data(Qt::ToolTipRole).toString(),
        english("STR_NOT_COMMONLY"));
    QCOMPARE(
        model.index(writable, QSortedModifyFunModel_Servo::COL_STORE_TYPE).data(Qt::ToolTipRole).toString(),
        english("STR_STORE"));

    // The changed axis is yellow, the others (still at their default) have no background.
    const QVariant changed =
        model.index(writable, QSortedModifyFunModel_Servo::COL_AXIS_Y).data(Qt::BackgroundRole);
    QCOMPARE(changed.value<QBrush>().color(), QColor(Qt::yellow));
    QCOMPARE(changed.value<QBrush>().style(), Qt::SolidPattern);
    QVERIFY(
        !model.index(writable, QSortedModifyFunModel_Servo::COL_AXIS_X).data(Qt::BackgroundRole).isValid());
    QVERIFY(model.index(writable, QSortedModifyFunModel_Servo::COL_SAVE_STATE)
                .data(Qt::BackgroundRole)
                .isValid());

    // A code that may not be modified is grey, except for the coloured columns.
    QCOMPARE(
        model.index(readOnly, QSortedModifyFunModel_Servo::COL_NAME).data(Qt::ForegroundRole).value<QColor>(),
        QColor(Qt::gray));
    QCOMPARE(model.index(readOnly, QSortedModifyFunModel_Servo::COL_AXIS_X)
                 .data(Qt::ForegroundRole)
                 .value<QColor>(),
             QColor(Qt::red));
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    QCOMPARE(model.headerData(13, Qt::Horizontal).toString(), english("STR_MODIFY_COUNT"));
}

void tst_QSortedModifyFunModel_Servo::flagsFollowRight_data()
{
    QTest::addColumn<QString>("funIndex");
    QTest::addColumn<bool>("editable");
    QTest::newRow("read/write") << "P00.01" << true;
    QTest::newRow("write only") << "P00.08" << true;
    QTest::newRow("read only") << "P00.07" << false;
    QTest::newRow("factory") << "P00.06" << false;
}

void tst_QSortedModifyFunModel_Servo::flagsFollowRight()
{
    QFETCH(QString, funIndex);
    QFETCH(bool, editable);
    addEvents(funIndex, 1);
    QSortedModifyFunModel_Servo model;
    model.refresh(true);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.isFuncodeModifiable(0), editable);
    for (int column = QSortedModifyFunModel_Servo::COL_AXIS_X;
         column <= QSortedModifyFunModel_Servo::COL_AXIS_Z; ++column) {
        QCOMPARE(bool(model.flags(model.index(0, column)) & Qt::ItemIsEditable), editable);
    }
    QVERIFY(!(model.flags(model.index(0, QSortedModifyFunModel_Servo::COL_NAME)) & Qt::ItemIsEditable));
    QVERIFY(model.flags(model.index(0, QSortedModifyFunModel_Servo::COL_INDEX)) & Qt::ItemIsUserCheckable);
}

void tst_QSortedModifyFunModel_Servo::writingChangedValueIsReported()
{
    addEvents("P00.02", 2);
    addEvents("P00.01", 1);
    QVERIFY(QTestHost::readAll(m_device));
    QSortedModifyFunModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.refresh(true);
    QSignalSpy changed(&model, &QSortedModifyFunModel_Servo::sigDataChanged);
    const int before = statistics()->eventCount(QString::fromLatin1(kAlias), "P00.01");

    // Axis Y of the code with one modification (the last row).
    QVERIFY(model.setData(model.index(rowOf(model, "P00.01"), QSortedModifyFunModel_Servo::COL_AXIS_Y), 3.25,
                          Qt::EditRole));
    QCOMPARE(changed.count(), 1);
    const QList<QVariant> args = changed.takeFirst();
    QCOMPARE(args.at(0).toString(), QStringLiteral("2.80"));
    QCOMPARE(args.at(1).toString(), QStringLiteral("3.25"));
    QCOMPARE(args.at(2).value<tagSubFuncodePtr_Servo>()->funIndex, QStringLiteral("P00.01"));
    QCOMPARE(args.at(3).toInt(), 1);
    QCOMPARE(statistics()->eventCount(QString::fromLatin1(kAlias), "P00.01"), before + 1);
    QVERIFY(m_device->isParamUnsaved("P00.01", 1));
    // The rows were reloaded: two modifications each now, numbers in ascending order for equal counts.
    QCOMPARE(
        model.index(rowOf(model, "P00.01"), QSortedModifyFunModel_Servo::COL_MODIFY_COUNT).data().toString(),
        QStringLiteral("2"));
    QCOMPARE(model.index(rowOf(model, "P00.01"), QSortedModifyFunModel_Servo::COL_AXIS_Y).data().toString(),
             QStringLiteral("3.25"));
}

void tst_QSortedModifyFunModel_Servo::writingSameValueRecordsNothing()
{
    addEvents("P00.02", 1);
    QVERIFY(QTestHost::readAll(m_device));
    QSortedModifyFunModel_Servo model;
    model.refresh(true);
    QSignalSpy changed(&model, &QSortedModifyFunModel_Servo::sigDataChanged);
    const QString current = m_device->getScaledCurValueStr("P00.02", 0);
    const int before = statistics()->eventCount(QString::fromLatin1(kAlias), "P00.02");

    model.setData(model.index(0, QSortedModifyFunModel_Servo::COL_AXIS_X), current.toDouble(), Qt::EditRole);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(statistics()->eventCount(QString::fromLatin1(kAlias), "P00.02"), before);
    QCOMPARE(model.index(0, QSortedModifyFunModel_Servo::COL_MODIFY_COUNT).data().toString(),
             QStringLiteral("1"));
}

void tst_QSortedModifyFunModel_Servo::refusedWriteIsNotReported()
{
    addEvents("P00.02", 1);
    QVERIFY(QTestHost::readAll(m_device));
    QSortedModifyFunModel_Servo model;
    model.refresh(true);
    QSignalSpy changed(&model, &QSortedModifyFunModel_Servo::sigDataChanged);
    // Beyond the maximum of 6000.
    QVERIFY(!model.setData(model.index(0, QSortedModifyFunModel_Servo::COL_AXIS_X), 99999.0, Qt::EditRole));
    QCOMPARE(changed.count(), 0);
    QVERIFY(!m_device->isParamUnsaved("P00.02", 0));
    // Other columns and roles are not written.
    QVERIFY(!model.setData(model.index(0, QSortedModifyFunModel_Servo::COL_NAME), 1.0, Qt::EditRole));
    QVERIFY(!model.setData(model.index(0, QSortedModifyFunModel_Servo::COL_AXIS_X), 1.0, Qt::DisplayRole));
}

void tst_QSortedModifyFunModel_Servo::checkBoxEditsMonitoredList()
{
    addEvents("P00.02", 1);
    QSortedModifyFunModel_Servo model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.refresh(true);
    QSignalSpy selection(&model, &QSortedModifyFunModel_Servo::sigSelectionChanged);
    const QModelIndex box = model.index(0, QSortedModifyFunModel_Servo::COL_INDEX);
    QCOMPARE(box.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));

    QVERIFY(model.setData(box, Qt::Checked, Qt::CheckStateRole));
    QVERIFY(m_device->isSubFuncodeSelected("P00.02"));
    QCOMPARE(box.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(selection.count(), 1);

    QVERIFY(model.setData(box, Qt::Unchecked, Qt::CheckStateRole));
    QVERIFY(!m_device->isSubFuncodeSelected("P00.02"));
    QCOMPARE(selection.count(), 2);

    QTestHost::select(QString());
    QVERIFY(!model.setData(box, Qt::Checked, Qt::CheckStateRole));
    QVERIFY(!m_device->isSubFuncodeSelected("P00.02"));
}

void tst_QSortedModifyFunModel_Servo::changedValuesAreAnnounced()
{
    addEvents("P00.01", 3);
    addEvents("P00.02", 2);
    addEvents("P2.00", 1);
    QSortedModifyFunModel_Servo model;
    model.refresh(true);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalManager* hub = QSoftCore::getCore()->getSignalManager();

    emit hub->SigFuncodeChanged_Servo(QStringLiteral("another drive"), QStringList{"P00.02"});
    QCOMPARE(changed.count(), 0);
    emit hub->SigFuncodeChanged_Servo(QString::fromLatin1(kAlias), QStringList{"P00.02", "P10.00"});
    QCOMPARE(changed.count(), 1);
    const QModelIndex topLeft = changed.at(0).at(0).value<QModelIndex>();
    const QModelIndex bottomRight = changed.at(0).at(1).value<QModelIndex>();
    QCOMPARE(topLeft.row(), rowOf(model, "P00.02"));
    QCOMPARE(bottomRight.row(), rowOf(model, "P00.02"));
    QCOMPARE(topLeft.column(), int(QSortedModifyFunModel_Servo::COL_AXIS_X));
    QCOMPARE(bottomRight.column(), int(QSortedModifyFunModel_Servo::COL_AXIS_Z));
}

QTEST_MAIN(tst_QSortedModifyFunModel_Servo)
#include "tst_QSortedModifyFunModel_Servo.moc"
