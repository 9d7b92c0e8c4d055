#include "QDatabaseManager.h"
#include "QModifyFunModel_Servo.h"
#include "QRecordDB_Servo.h"
#include "QTestHost.h"

#include <QtTest>

using M = QModifyFunModel_Servo;

// The rows of the modification-records page: stored values shown through the drive's description.
class tst_QModifyFunModel_Servo : public QObject
{
    Q_OBJECT

    static QStringList row(const QString& funIndex, int axis, const QString& oldVal, const QString& newVal)
    {
        return M::makeDisplayRow({"2024-05-06 07:08:09", funIndex, axis, oldVal, newVal, {}});
    }

    static QRecordDB_Servo* records() { return QDatabaseManager::self()->getRecordDatabase_Servo(); }

    // Stores `count` changes of the device, oldest first, in four runs with a change of another drive
    // after each, so that the device's ids have gaps.
    static void storeHistory(const QString& alias, int count)
    {
        const QStringList codes{"P00.01", "P00.02", "P00.07", "P2.00", "P00.00"};
        const int run = qMax(1, (count + 3) / 4);
        QList<tagModifyFuncode_Servo> own;
        for (int i = 0; i < count; ++i) {
            own.append({QDateTime::fromSecsSinceEpoch(1714557600 + i).toString("yyyy-MM-dd hh:mm:ss"),
                        codes.at(i % codes.size()),
                        i % 3,
                        QString::number(i % 4),
                        QString::number(i % 4 + 1),
                        {}});
            if (own.size() == run || i == count - 1) {
                QVERIFY(records()->insertModifyFunCodes(alias, own));
                QVERIFY(records()->insertModifyFunCode("other drive", own.last()));
                own.clear();
            }
        }
    }

    // What loading every record at once shows.
    static QList<QStringList> fullLoad(const QString& alias)
    {
        QList<QStringList> rows;
        for (const tagModifyFuncode_Servo& record : records()->getModifyFunCodes(alias)) {
            rows.append(M::makeDisplayRow(record));
        }
        return rows;
    }

    static QList<QStringList> shownRows(const QAbstractItemModel& model)
    {
        QList<QStringList> rows;
        for (int row = 0; row < model.rowCount(); ++row) {
            QStringList texts;
            for (int column = 0; column < model.columnCount(); ++column) {
                texts.append(model.index(row, column).data().toString());
            }
            rows.append(texts);
        }
        return rows;
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init() { QVERIFY(QTestHost::addSelectedDrive("TST3", "drive")); }

    void cleanup()
    {
        QTestHost::clearProject();
        QVERIFY(records()->clearModifyFunCodes("drive"));
        QVERIFY(records()->clearModifyFunCodes("other drive"));
    }

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

    void unknownCodeGivesEmptyRow_data()
    {
        QTest::addColumn<QString>("funIndex");
        QTest::addColumn<bool>("selected");
        // Which number names which code: the device's (tst_QDeviceServo::descriptionsFollowAuthority).
        QTest::newRow("above the present authority") << "P00.09" << true;
        QTest::newRow("a state code") << "U00.01" << true;
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

    void pagesByPositionEqualAFullLoad_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("pageSize");
        QTest::newRow("no history") << 0 << 10;
        QTest::newRow("less than a page") << 7 << 10;
        QTest::newRow("exactly three pages") << 30 << 10;
        QTest::newRow("several pages and a part") << 47 << 10;
        QTest::newRow("pages of one row") << 5 << 1;
    }

    // Every stored record is a row at once; the oldest is read by its position alone, in one query.
    void pagesByPositionEqualAFullLoad()
    {
        QFETCH(int, records);
        QFETCH(int, pageSize);
        storeHistory("drive", records);
        const QList<QStringList> expected = fullLoad("drive");
        M model;
        model.pager().setPageSize(pageSize);
        model.loadRecords("drive");
        QCOMPARE(model.rowCount(), records);
        QCOMPARE(model.index(records - 1, M::COL_TIME).data().toString(),
                 expected.value(records - 1).value(M::COL_TIME));
        QCOMPARE(model.pager().pagesRead(), qMin(records, 1));
        QTestHost::checkModel(&model);
        QCOMPARE(shownRows(model), expected);
    }

    void droppedPagesAreReadAgain()
    {
        storeHistory("drive", 50);
        M model;
        model.pager().setPageSize(10);
        model.pager().setMaxCachedPages(2);
        model.loadRecords("drive");
        const QList<QStringList> expected = fullLoad("drive");
        QCOMPARE(shownRows(model), expected);
        QCOMPARE(model.pager().cachedPages(), 2);
        const int read = model.pager().pagesRead();
        QCOMPARE(model.index(3, M::COL_INDEX).data().toString(), expected.at(3).at(M::COL_INDEX));
        QCOMPARE(model.pager().pagesRead(), read + 1); // the first page again
        QCOMPARE(model.index(5, M::COL_TIME).data().toString(), expected.at(5).at(M::COL_TIME));
        QCOMPARE(model.pager().pagesRead(), read + 1); // now cached
        QCOMPARE(model.pager().cachedPages(), 2);
    }

    void changesAfterLoadingComeFirstOnce()
    {
        storeHistory("drive", 25);
        M model;
        QTestHost::checkModel(&model);
        model.pager().setPageSize(10);
        model.loadRecords("drive");
        // What the workspace does with a new change: store it, and put its row first.
        const tagModifyFuncode_Servo change{"2030-01-01 00:00:00", "P00.07", 0, "1", "2", {}};
        QVERIFY(records()->insertModifyFunCode("drive", change));
        model.insertFrontData(M::makeDisplayRow(change));
        QCOMPARE(model.rowCount(), 26);
        QCOMPARE(shownRows(model), fullLoad("drive"));
        // Loading again reads it from the database like the others.
        model.loadRecords("drive");
        QCOMPARE(model.index(0, M::COL_TIME).data().toString(), change.strTime);
        // The name cell shows the code's right; without a drive nothing is looked up.
        QVERIFY(!model.index(0, M::COL_NAME).data(Qt::DecorationRole).value<QIcon>().isNull());
        QTestHost::select(QString());
        QVERIFY(model.index(0, M::COL_NAME).data(Qt::DecorationRole).value<QIcon>().isNull());
        model.clearRecords();
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_MAIN(tst_QModifyFunModel_Servo)
#include "tst_QModifyFunModel_Servo.moc"
