#include "QServoValueStates.h"

#include <QtTest>

// The state of one value through what happens to it, and its age from the stored read time.
class tst_QServoValueStates : public QObject
{
    Q_OBJECT

private slots:
    // Events, separated by blanks: r<n> a read answered n, s a read got no answer, f the drive answered a
    // read with an error, w<n> a write of n was sent, g the drive went offline or stopped answering.
    void transitions_data()
    {
        QTest::addColumn<QString>("events");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("known");
        QTest::addColumn<qint64>("lastGood");
        QTest::addColumn<int>("stale");
        QTest::addColumn<bool>("lastChanged"); // whether the last event changed anything to announce
        const int notRead = QServoValue::NOT_READ;
        const int read = QServoValue::READ;
        const int stale = QServoValue::STALE;
        const int written = QServoValue::WRITTEN;
        QTest::newRow("never read") << "" << notRead << false << qint64(0) << 0 << false;
        QTest::newRow("read") << "r5" << read << true << qint64(5) << 0 << true;
        QTest::newRow("the same value again") << "r5 r5" << read << true << qint64(5) << 0 << false;
        QTest::newRow("no answer keeps the last value") << "r5 s" << stale << true << qint64(5) << 1 << true;
        QTest::newRow("no answer before any read") << "s" << notRead << false << qint64(0) << 0 << false;
        QTest::newRow("failed read is unknown") << "r5 f" << stale << false << qint64(5) << 1 << true;
        QTest::newRow("failed first read") << "f" << stale << false << qint64(0) << 1 << true;
        QTest::newRow("drive gone") << "r5 g" << stale << true << qint64(5) << 1 << true;
        QTest::newRow("gone leaves an unread value") << "g" << notRead << false << qint64(0) << 0 << false;
        QTest::newRow("fresh again") << "r5 g r6" << read << true << qint64(6) << 0 << true;
        QTest::newRow("written is not known") << "r5 w7" << written << false << qint64(5) << 0 << true;
        QTest::newRow("read back") << "r5 w7 r7" << read << true << qint64(7) << 0 << true;
        QTest::newRow("silence settles no write") << "r5 w7 s" << written << false << qint64(5) << 0 << false;
        QTest::newRow("gone settles no write") << "r5 w7 g" << written << false << qint64(5) << 0 << false;
    }

    void transitions()
    {
        QFETCH(QString, events);
        QFETCH(int, state);
        QFETCH(bool, known);
        QFETCH(qint64, lastGood);
        QFETCH(int, stale);
        QFETCH(bool, lastChanged);
        QServoValueStates states;
        states.reset(2);
        const QMap<QChar, std::function<bool(qint64)>> apply{
            {'r', [&](qint64 n) { return states.setRead(1, 2, n); }},
            {'s', [&](qint64) { return states.setNoAnswer(1, 2); }},
            {'f', [&](qint64) { return states.setReadFailed(1, 2); }},
            {'w', [&](qint64 n) { return states.setWritten(1, 2, n); }},
            {'g', [&](qint64) { return !states.setAllStale(3).isEmpty(); }}};
        bool changed = false;
        for (const QString& event : events.split(' ', Qt::SkipEmptyParts)) {
            changed = apply.value(event.at(0))(event.mid(1).toLongLong());
        }
        const QServoValue v = states.value(1, 2);
        QCOMPARE(int(v.state), state);
        QCOMPARE(v.isKnown(), known);
        QCOMPARE(v.raw, lastGood);
        QCOMPARE(states.staleCount(), stale);
        QCOMPARE(changed, lastChanged);
        QCOMPARE(int(states.value(0, 2).state), int(QServoValue::NOT_READ)); // the other code is untouched
    }

    void ageComesFromTheReadTime()
    {
        QServoValueStates states;
        states.reset(1);
        qint64 now = 1000000;
        states.setClock([&now] { return now; });
        QCOMPARE(states.value(0, 0).ageMs, qint64(-1));
        states.setRead(0, 0, 5, now - 300); // a queued read sent 300 ms ago
        now += 12000;
        QCOMPARE(states.value(0, 0).ageMs, qint64(12300));
        QVERIFY(states.isReadSince(0, 0, now - 12300));
        QVERIFY(!states.isReadSince(0, 0, now - 12299));
        states.setAllStale(1);
        now += 1000;
        QCOMPARE(states.value(0, 0).ageMs, qint64(13300)); // a stale value keeps aging from its read
        QVERIFY(!states.isReadSince(0, 0, 0));
    }
};

QTEST_MAIN(tst_QServoValueStates)
#include "tst_QServoValueStates.moc"
