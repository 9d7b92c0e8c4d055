#include "FileFixtures.h"
#include "QBoundedFileReader.h"
#include "QKeyTranslator.h"

#include <QtTest>
#include <sys/stat.h>

// Only a regular file within the limit is read; nothing else is opened (a pipe would block, a device
// never ends), and the refusal names the file and, for size, the limit.
class tst_QBoundedFileReader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(QKeyTranslator::installForApplication("en")); }

    void readsOnlyARegularFileWithinTheLimit_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        using R = QBoundedFileReader;
        QTest::newRow("pipe") << "pipe" << QByteArray() << int(R::READ_NOT_REGULAR) << "pipe.csv is not a";
        QTest::newRow("link to /dev/zero")
            << "zero" << QByteArray() << int(R::READ_NOT_REGULAR) << "zero.csv";
        QTest::newRow("folder") << "folder" << QByteArray() << int(R::READ_NOT_REGULAR) << "folder.csv";
        QTest::newRow("missing") << "missing" << QByteArray() << int(R::READ_NOT_FOUND) << "missing.csv";
        QTest::newRow("over the limit") << "large" << QByteArray(18, 'x') << int(R::READ_TOO_LARGE)
                                        << "large.csv is larger than 17 bytes";
        QTest::newRow("empty") << "empty" << QByteArray() << int(R::READ_OK) << "";
        QTest::newRow("at the limit") << "good" << QByteArray("exactly the limit") << int(R::READ_OK) << "";
    }

    void readsOnlyARegularFileWithinTheLimit()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, written);
        QFETCH(int, result);
        QFETCH(QString, message);
        const QString path = m_dir.filePath(kind + ".csv");
        if (kind == "pipe") {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == "zero") {
            QVERIFY(QFile::link("/dev/zero", path));
        } else if (kind == "folder") {
            QVERIFY(QDir(m_dir.path()).mkdir(kind + ".csv"));
        } else if (kind != "missing") {
            QVERIFY(FileFixtures::writeBytes(path, written));
        }
        QBoundedFileReader reader(17);
        QCOMPARE(reader.check(path), result);
        QByteArray bytes("left from before");
        QCOMPARE(reader.read(path, &bytes), result);
        QCOMPARE(bytes, result == QBoundedFileReader::READ_OK ? written : QByteArray());
        const QString text = reader.errorText();
        QVERIFY2(message.isEmpty() ? text.isEmpty() : text.startsWith(message), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(tst_QBoundedFileReader)
#include "tst_QBoundedFileReader.moc"
