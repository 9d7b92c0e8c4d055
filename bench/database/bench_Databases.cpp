#include "QRecordDB_Servo.h"
#include "QStatistics.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
// A million records and a million statistics events, each list stored by one call.
const int kCount = 1000000;
const int kCodes = 500;

QList<tagModifyFuncode_Servo> makeRecords()
{
    QList<tagModifyFuncode_Servo> records;
    records.reserve(kCount);
    for (int i = 0; i < kCount; ++i) {
        tagModifyFuncode_Servo record;
        record.strTime = QStringLiteral("2024-05-01 10:%1:%2").arg(i / 60 % 60).arg(i % 60);
        record.funIndex = QStringLiteral("P%1.%2").arg(i % 20, 2, 10, QChar('0')).arg(i % kCodes);
        record.axisIndex = i % 3;
        record.oldVal = QString::number(i);
        record.newVal = QString::number(i + 1);
        // Batch downloads store records without related parameters; one change in a hundred, made in the
        // workspace, has two.
        if (i % 100 == 0) {
            record.relateParamMap.insert(QStringLiteral("P99.01"),
                                         qMakePair(QString::number(i), QStringLiteral("1")));
            record.relateParamMap.insert(QStringLiteral("P99.02"),
                                         qMakePair(QStringLiteral("0"), QStringLiteral("2")));
        }
        records.append(record);
    }
    return records;
}

QList<QPair<QString, tagFuncodeModifyData>> makeEvents()
{
    QList<QPair<QString, tagFuncodeModifyData>> events;
    events.reserve(kCount);
    for (int i = 0; i < kCount; ++i) {
        tagFuncodeModifyData event;
        event.timeStamp = 1714557600 + i;
        event.oldValue = i;
        event.newValue = i + 0.5;
        event.axisIndex = i % 3;
        // Skewed counts, so that the order by count matters.
        events.append(qMakePair(QStringLiteral("P%1").arg((i * i) % kCodes), event));
    }
    return events;
}
} // namespace

class bench_Databases : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void insertRecords();
    void loadRecords();
    void insertEvents();
    void sortedStatistics();

private:
    QTemporaryDir m_dir;
    QRecordDB_Servo m_records;
    QStatistics m_statistics;
};

void bench_Databases::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(m_records.open(m_dir.filePath("records.db")));
    QVERIFY(m_statistics.open(m_dir.filePath("statistics.db")));
}

void bench_Databases::insertRecords()
{
    const QList<tagModifyFuncode_Servo> records = makeRecords();
    // Qt Test may run a benchmark function more than once: start from an empty device each time.
    QVERIFY(m_records.clearModifyFunCodes("drive"));
    QBENCHMARK_ONCE
    {
        QVERIFY(m_records.insertModifyFunCodes("drive", records));
    }
    QCOMPARE(m_records.recordCount("drive"), kCount);
}

void bench_Databases::loadRecords()
{
    QList<tagModifyFuncode_Servo> loaded;
    QBENCHMARK
    {
        loaded = m_records.getModifyFunCodes("drive");
    }
    QCOMPARE(loaded.size(), kCount);
    QCOMPARE(loaded.first().oldVal, QString::number(kCount - 1));
}

void bench_Databases::insertEvents()
{
    const QList<QPair<QString, tagFuncodeModifyData>> events = makeEvents();
    QVERIFY(m_statistics.clearDevice("drive"));
    QBENCHMARK_ONCE
    {
        QVERIFY(m_statistics.addFuncodeModifyEvents("drive", events));
    }
}

void bench_Databases::sortedStatistics()
{
    QSortedModifyDataList sorted;
    QBENCHMARK
    {
        sorted = m_statistics.getSortedFuncodeModifyData("drive", true);
    }
    int total = 0;
    for (const auto& entry : sorted) {
        total += entry.second.size();
    }
    QCOMPARE(total, kCount);
}

QTEST_GUILESS_MAIN(bench_Databases)
#include "bench_Databases.moc"
