#include "QModifyFunModel_Servo.h"
#include "QProjectCore.h"
#include "QTestHost.h"
#include "drive/QDriveCatalogue.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QIcon>
#include <QtTest>

using M = QModifyFunModel_Servo;

// The rows of the modification-records page: stored values shown through the drive's description.
class tst_QModifyFunModel_Servo : public QObject
{
    Q_OBJECT

    static QStringList row(const QString& funIndex, int axis, const QString& oldVal, const QString& newVal)
    {
        tagModifyFuncode_Servo r;
        r.strTime = QStringLiteral("2024-05-06 07:08:09");
        r.funIndex = funIndex;
        r.axisIndex = axis;
        r.oldVal = oldVal;
        r.newVal = newVal;
        return M::makeDisplayRow(r);
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init() { QVERIFY(QTestHost::addSelectedDrive("TST3", "drive")); }

    void cleanup() { QTestHost::clearProject(); }

    void storedValuesAreShown_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<QStringList>("values"); // old and new as stored, then as shown
        // Positions 1 and 3 of the list 0, 1, 3, 5: the values 1 and 5, not 1 and 3.
        QTest::newRow("enumerated second to fourth")
            << "P00.00" << QStringList{"1", "3", "1:Motor B 400W", "5:Motor D 1kW"};
        QTest::newRow("hexadecimal stays decimal") << "P00.04" << QStringList{"255", "256", "255", "256"};
        QTest::newRow("decimal as stored") << "P00.01" << QStringList{"2.80", "3.15", "2.80", "3.15"};
        QTest::newRow("damaged position kept") << "P00.00" << QStringList{"x", "9", "x", ""};
    }

    void storedValuesAreShown()
    {
        QFETCH(QString, funIndex);
        QFETCH(QStringList, values);
        const QStringList shown = row(funIndex, 0, values.at(0), values.at(1));
        QCOMPARE(shown.size(), int(M::COL_COUNT));
        QCOMPARE(shown.at(M::COL_OLD_VAL), values.at(2));
        QCOMPARE(shown.at(M::COL_NEW_VAL), values.at(3));
    }

    void groupIsMatchedByTextBeforeFirstBlank_data()
    {
        QTest::addColumn<QString>("groupName");
        QTest::newRow("name is the group code") << "P00";
        QTest::newRow("several blanks") << "P00 Basic  settings";
    }

    void groupIsMatchedByTextBeforeFirstBlank()
    {
        QFETCH(QString, groupName);
        const QString modelName = "TSTG" + QString::number(qHash(groupName));
        auto model = qSharedPointerConstCast<QDriveModel>(QTestHost::testModel(3, modelName));
        QCOMPARE(model->groups.value(0).name, QStringLiteral("P00 Basic"));
        model->groups[0].name = groupName;
        QProjectCore::self()->getCatalogue()->addModel(model);
        QVERIFY(QTestHost::addSelectedDrive(modelName, "renamed"));
        QCOMPARE(row("P00.02", 0, "3000", "2500").value(M::COL_NAME), QStringLiteral("Rated speed"));
    }

    void unknownCodeGivesEmptyRow_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<bool>("selected");
        QTest::newRow("number the drive never had") << "P00.99" << true;
        // "P1" is a prefix of the group "P10 Limits" but not its group code.
        QTest::newRow("group code is only a prefix") << "P1.05" << true;
        QTest::newRow("above the present authority") << "P00.09" << true;
        QTest::newRow("empty number") << "" << true;
        QTest::newRow("no selected drive") << "P00.01" << false;
    }

    void unknownCodeGivesEmptyRow()
    {
        QFETCH(QString, funIndex);
        QFETCH(bool, selected);
        // A known code of the same group gives a row, so the empty row is not an accident of the record.
        QVERIFY(!row("P10.05", 0, "1", "2").isEmpty());
        if (!selected) {
            QTestHost::select(QString());
        }
        QVERIFY(row(funIndex, 0, "1", "2").isEmpty());
    }

    void coloursAndIcons()
    {
        M model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setModelData({row("P00.07", 1, "9", "10"), row("P00.99", 0, "1", "2")});
        model.insertFrontData(row("P00.01", 0, "2.80", "3.00"));
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(0, M::COL_INDEX).data().toString(), QStringLiteral("P00.01"));
        for (int column = 0; column < model.columnCount(); ++column) {
            const QModelIndex index = model.index(0, column);
            const QColor colour = column == M::COL_NEW_VAL       ? QColor(Qt::red)
                                  : column == M::COL_DEFAULT_VAL ? QColor(Qt::darkGreen)
                                                                 : QColor();
            QVERIFY2(index.data(Qt::ForegroundRole).value<QColor>() == colour,
                     qPrintable(QString::number(column)));
            QCOMPARE(index.data(Qt::DecorationRole).value<QIcon>().isNull(), column != M::COL_NAME);
            QCOMPARE(index.data(Qt::ToolTipRole), index.data(Qt::DisplayRole));
        }
        // The record of a code the drive no longer has is an empty row without an icon.
        QCOMPARE(model.index(2, M::COL_INDEX).data().toString(), QString());
        QVERIFY(model.index(2, M::COL_NAME).data(Qt::DecorationRole).value<QIcon>().isNull());
        QTestHost::select(QString());
        QVERIFY(model.index(0, M::COL_NAME).data(Qt::DecorationRole).value<QIcon>().isNull());
    }
};

QTEST_MAIN(tst_QModifyFunModel_Servo)
#include "tst_QModifyFunModel_Servo.moc"
