// Every translation key used by the modification pages and the find dialog has an English text, and
// translations/records_en.ts agrees with the other areas' files on the keys they share.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

class tst_RecordsTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyKeyHasEnglishText();
    void sharedKeysHaveSameText();
    void everyOwnKeyIsUsed();

private:
    QSet<QString> usedKeys() const;
    QHash<QString, QString> englishTexts(const QString& path, QString* error) const;
    QStringList otherFiles() const;

    QString m_root;
    QHash<QString, QString> m_own;
};

void tst_RecordsTexts::initTestCase()
{
    m_root = QStringLiteral(SERVO_SOURCE_ROOT);
    QString error;
    m_own = englishTexts(m_root + "/translations/records_en.ts", &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!m_own.isEmpty());
}

QSet<QString> tst_RecordsTexts::usedKeys() const
{
    QStringList files;
    QDirIterator it(m_root + "/records", {"*.cpp", "*.h"}, QDir::Files);
    while (it.hasNext()) {
        files << it.next();
    }
    const QDir tables(m_root + "/tables");
    const QStringList find = tables.entryList({"QFindFuncode*.cpp", "QFindFuncode*.h"}, QDir::Files);
    for (const QString& name : find) {
        files << tables.filePath(name);
    }
    static const QRegularExpression key(QStringLiteral("(?:tr|QT_TR_NOOP)\\(\"(STR_[A-Za-z0-9_ ]+)\""));
    QSet<QString> keys;
    for (const QString& path : qAsConst(files)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            continue;
        }
        QRegularExpressionMatchIterator matches = key.globalMatch(QString::fromUtf8(file.readAll()));
        while (matches.hasNext()) {
            keys.insert(matches.next().captured(1));
        }
    }
    return keys;
}

QHash<QString, QString> tst_RecordsTexts::englishTexts(const QString& path, QString* error) const
{
    QHash<QString, QString> texts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + ": " + file.errorString();
        return texts;
    }
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            texts.insert(source, xml.readElementText());
        }
    }
    if (xml.hasError()) {
        *error = path + ": " + xml.errorString();
    }
    return texts;
}

QStringList tst_RecordsTexts::otherFiles() const
{
    const QDir dir(m_root + "/translations");
    QStringList files;
    const QStringList names = dir.entryList({"*_en.ts"}, QDir::Files);
    for (const QString& name : names) {
        if (name != QLatin1String("records_en.ts")) {
            files << dir.filePath(name);
        }
    }
    return files;
}

void tst_RecordsTexts::everyKeyHasEnglishText()
{
    QHash<QString, QString> all = m_own;
    const QStringList others = otherFiles();
    for (const QString& path : others) {
        QString error;
        const QHash<QString, QString> texts = englishTexts(path, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
            all.insert(it.key(), it.value());
        }
    }
    const QSet<QString> keys = usedKeys();
    QVERIFY(keys.size() > 30);
    QStringList missing;
    for (const QString& key : keys) {
        if (all.value(key).trimmed().isEmpty()) {
            missing << key;
        }
    }
    missing.sort();
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
}

void tst_RecordsTexts::sharedKeysHaveSameText()
{
    QStringList differing;
    const QStringList others = otherFiles();
    for (const QString& path : others) {
        QString error;
        const QHash<QString, QString> texts = englishTexts(path, &error);
        for (auto it = m_own.cbegin(); it != m_own.cend(); ++it) {
            if (texts.contains(it.key()) && texts.value(it.key()) != it.value()) {
                differing << QStringLiteral("%1 (%2)").arg(it.key(), QFileInfo(path).fileName());
            }
        }
    }
    differing.sort();
    QVERIFY2(differing.isEmpty(), qPrintable(differing.join(", ")));
}

void tst_RecordsTexts::everyOwnKeyIsUsed()
{
    const QSet<QString> keys = usedKeys();
    QStringList unused;
    for (auto it = m_own.cbegin(); it != m_own.cend(); ++it) {
        if (!keys.contains(it.key())) {
            unused << it.key();
        }
    }
    unused.sort();
    QVERIFY2(unused.isEmpty(), qPrintable(unused.join(", ")));
}

QTEST_GUILESS_MAIN(tst_RecordsTexts)
#include "tst_RecordsTexts.moc"
