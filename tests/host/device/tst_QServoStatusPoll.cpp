// A drive is asked whether it is there only once it has been quiet for a while, at once again after a
// read it did not answer, and never while replies keep coming, while it is busy or while the poll is off;
// drives that came online together are not asked together.
#include "QServoStatusPoll.h"

#include <QtTest>
#include <algorithm>
#include <memory>

class tst_QServoStatusPoll : public QObject
{
    Q_OBJECT

private slots:
    void asksOnlyAQuietDrive_data()
    {
        QTest::addColumn<QString>("drive"); // what the drive does
        QTest::addColumn<int>("periodMs");
        QTest::addColumn<int>("reads"); // reads the poll comes to send; 0: none in three periods
        QTest::newRow("quiet: a read a period") << "quiet" << 50 << 3;
        // Within one long period only the reads after unanswered ones can come.
        QTest::newRow("not answering: read after read") << "failing" << 60000 << 5;
        QTest::newRow("answering a shown table") << "answering" << 300 << 0;
        QTest::newRow("busy") << "busy" << 50 << 0;
        QTest::newRow("poll off") << "off" << 50 << 0;
    }

    void asksOnlyAQuietDrive()
    {
        QFETCH(QString, drive);
        QFETCH(int, periodMs);
        QFETCH(int, reads);
        int sent = 0;
        std::unique_ptr<QServoStatusPoll> poll;
        const auto send = [&]() {
            ++sent;
            QTimer::singleShot(0, this, [&]() { poll->noteReply(drive != "failing"); });
        };
        poll = std::make_unique<QServoStatusPoll>(
            QServoStatusPoll::Hooks{[&]() { return drive != "busy"; }, send}, periodMs);
        QTimer table;
        connect(&table, &QTimer::timeout, this, [&]() { poll->noteReply(true); });
        if (drive == "answering") {
            table.start(10);
        }
        poll->setActive(drive != "off");
        if (drive == "failing") {
            poll->noteReply(false);
        }
        if (reads > 0) {
            QTRY_VERIFY(sent >= reads);
            return;
        }
        QTest::qWait(3 * periodMs);
        QCOMPARE(sent, 0);
    }

    // Quiet drives that came online together are asked at phases spread over the period (400 ms).
    void spreadsDrivesThatCameOnlineTogether()
    {
        QElapsedTimer clock;
        clock.start();
        QVector<qint64> firstRead(16, -1);
        QObject polls;
        for (qint64& read : firstRead) {
            const auto send = [&clock, at = &read]() { *at = *at < 0 ? clock.elapsed() : *at; };
            (new QServoStatusPoll({[]() { return true; }, send}, 400, &polls))->setActive(true);
        }
        QTRY_VERIFY(!firstRead.contains(-1));
        const auto [first, last] = std::minmax_element(firstRead.cbegin(), firstRead.cend());
        QVERIFY2(*last - *first >= 200, qPrintable(QString::number(*last - *first)));
    }
};

QTEST_GUILESS_MAIN(tst_QServoStatusPoll)
#include "tst_QServoStatusPoll.moc"
