#include "FileFixtures.h"
#include "ModalAnswer.h"
#include "QDatabaseManager.h"
#include "QStartupDatabases.h"
#include "QTestHost.h"
#include "QTestReadOnlyFile.h"

#include <QMessageBox>
#include <QtTest>

// What the start-up says about the databases, and what it does with a damaged one.
class tst_QStartupDatabases : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void problemsAreReported_data()
    {
        QTest::addColumn<QString>("state");  // of records.db before the start
        QTest::addColumn<QString>("answer"); // to the recovery question; empty: no question may come
        QTest::addColumn<bool>("askToRecover");
        QTest::addColumn<QStringList>("reported"); // a part of each problem, in order
        QTest::newRow("all well") << "good" << QString() << true << QStringList();
        QTest::newRow("damaged, moved aside")
            << "damaged" << QString("yes") << true << QStringList{"records-damaged-"};
        QTest::newRow("damaged, kept") << "damaged" << QString("no") << true << QStringList{"records.db: "};
        QTest::newRow("damaged, screenshot run")
            << "damaged" << QString() << false << QStringList{"records.db: "};
        QTest::newRow("read-only") << "read-only" << QString() << true << QStringList{"records.db: "};
    }

    void problemsAreReported()
    {
        QFETCH(QString, state);
        QFETCH(QString, answer);
        QFETCH(bool, askToRecover);
        QFETCH(QStringList, reported);
        const QString dir = m_dir.filePath(QString::fromUtf8(QTest::currentDataTag()).replace(' ', '-'));
        const QString records = QDir(dir).filePath("records.db");
        QVERIFY(QDatabaseManager::self()->open(dir));
        QDatabaseManager::self()->close();
        if (state == "damaged") {
            QVERIFY(FileFixtures::writeBytes(records, QByteArray(4096, 'x')));
        }
        const QByteArray before = FileFixtures::readBytes(records);

        QString question;
        if (!answer.isEmpty()) {
            answerMessageBox(answer == "yes" ? QMessageBox::Yes : QMessageBox::No, &question);
        }
        QStringList problems;
        {
            std::unique_ptr<QTestReadOnlyFile> readOnly;
            if (state == "read-only") {
                readOnly = std::make_unique<QTestReadOnlyFile>(records);
                QVERIFY(readOnly->isValid());
            }
            problems = QStartupDatabases::open(dir, askToRecover);
            QDatabaseManager::self()->close();
        }
        QCOMPARE(question.isEmpty(), answer.isEmpty());
        QCOMPARE(problems.size(), reported.size());
        for (int i = 0; i < reported.size(); ++i) {
            QVERIFY2(problems.at(i).contains(reported.at(i)), qPrintable(problems.at(i)));
        }
        // Only the user's yes moves a damaged file; nothing else changes it.
        QCOMPARE(FileFixtures::readBytes(records) == before, answer != "yes");
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(tst_QStartupDatabases)
#include "tst_QStartupDatabases.moc"
