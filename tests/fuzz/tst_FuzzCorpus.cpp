#include "FuzzRegistry.h"

#include <QtTest>

// Every corpus file of every fuzz target, and a few damaged copies of it, through the target's entry.
class tst_FuzzCorpus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!FuzzRegistry::targets().isEmpty(), "no fuzz target is linked into the suite");
    }

    void everyFolderIsATarget_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& folder : targetFolders()) {
            QTest::newRow(qPrintable(folder)) << folder;
        }
    }

    // A target folder whose entry is not linked in would silently never be replayed; one without corpus or
    // dictionary gives the fuzzer nothing to start from.
    void everyFolderIsATarget()
    {
        QFETCH(QString, name);
        QVERIFY2(FuzzRegistry::find(name), qPrintable(name + " registers no entry under its folder's name"));
        const QDir folder(fuzzDir().filePath(name));
        QVERIFY2(!QDir(folder.filePath("corpus")).entryList(QDir::Files).isEmpty(),
                 qPrintable(name + "/corpus holds no seed"));
        QVERIFY2(QFile::exists(folder.filePath(name + ".dict")),
                 qPrintable(name + " has no " + name + ".dict"));
    }

    void replay_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("input");
        for (const FuzzRegistry::Target& target : FuzzRegistry::targets()) {
            const QDir corpus(fuzzDir().filePath(target.name + "/corpus"));
            for (const QString& name : corpus.entryList(QDir::Files, QDir::Name)) {
                QFile file(corpus.filePath(name));
                QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
                const QByteArray bytes = file.readAll();
                const QString row = target.name + "/" + name;
                QTest::newRow(qPrintable(row)) << target.name << bytes;
                // Cut short, and with one byte changed in the middle: what a broken copy of the file looks
                // like.
                QTest::newRow(qPrintable(row + " half")) << target.name << bytes.left(bytes.size() / 2);
                QTest::newRow(qPrintable(row + " less one")) << target.name << bytes.left(bytes.size() - 1);
                QByteArray flipped = bytes;
                if (flipped.size() > 1) {
                    flipped[flipped.size() / 2] = char(flipped.at(flipped.size() / 2) ^ 0x5a);
                }
                QTest::newRow(qPrintable(row + " flipped")) << target.name << flipped;
            }
        }
    }

    void replay()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, input);
        const FuzzRegistry::Entry entry = FuzzRegistry::find(target);
        QVERIFY(entry);
        QVERIFY2(entry(input), "the reader broke a promise on this input");
    }

private:
    static QDir fuzzDir() { return QDir(QStringLiteral(SERVO_FUZZ_DIR)); }
    static QStringList targetFolders()
    {
        QStringList folders;
        const QStringList children = fuzzDir().entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& child : children) {
            if (child != QLatin1String("support") &&
                QFile::exists(fuzzDir().filePath(child + "/CMakeLists.txt"))) {
                folders.append(child);
            }
        }
        return folders;
    }
};

QTEST_MAIN(tst_FuzzCorpus)
#include "tst_FuzzCorpus.moc"
