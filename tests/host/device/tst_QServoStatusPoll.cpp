// A drive is asked whether it is there only once it has been quiet for a whole period, at once again
// after a read it did not answer, and never while replies keep coming, while it is busy or while the poll
// is off.
#include "QServoStatusPoll.h"

#include <QtTest>

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
        QServoStatusPoll* poll = nullptr;
        QServoStatusPoll::Hooks hooks;
        hooks.canSend = [&]() { return drive != "busy"; };
        hooks.send = [&]() {
            ++sent;
            QTimer::singleShot(0, this, [&]() { poll->noteReply(drive != "failing"); });
        };
        QServoStatusPoll owner(hooks, periodMs);
        poll = &owner;
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
};

QTEST_GUILESS_MAIN(tst_QServoStatusPoll)
#include "tst_QServoStatusPoll.moc"
