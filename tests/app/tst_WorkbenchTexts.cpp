// Every translation key used by the plug-in shell, the workspace and the application has an English text,
// and the keys this area brings (translations/plugin_en.ts, app_en.ts) are defined only once.

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

class tst_WorkbenchTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyUsedKeyHasEnglishText();
    void ownKeysAreDefinedOnce_data();
    void ownKeysAreDefinedOnce();

private:
    QSet<QString> usedKeys() const;
    // Key -> English text, from one .ts file.
    static QHash<QString, QString> readTexts(const QString& path, QString* error);
    QStringList englishFiles() const;

    QString m_root;
};

void tst_WorkbenchTexts::initTestCase()
{
    m_root = QStringLiteral(SERVO_SOURCE_ROOT);
    QVERIFY(QFile::exists(m_root + "/translations/plugin_en.ts"));
    QVERIFY(QFile::exists(m_root + "/translations/app_en.ts"));
}

QStringList tst_WorkbenchTexts::englishFiles() const
{
    QStringList files;
    QDirIterator it(m_root + "/translations", {"*_en.ts"}, QDir::Files);
    while (it.hasNext()) {
        files << it.next();
    }
    return files;
}

QSet<QString> tst_WorkbenchTexts::usedKeys() const
{
    static const QRegularExpression key(QStringLiteral("(?:tr|QT_TR_NOOP)\\(\"(STR_[A-Za-z0-9_ ]+)\""));
    QSet<QString> keys;
    for (const QString& folder :
         {QStringLiteral("/plugin"), QStringLiteral("/workspace"), QStringLiteral("/app")}) {
        QDirIterator it(m_root + folder, {"*.cpp", "*.h"}, QDir::Files);
        while (it.hasNext()) {
            QFile file(it.next());
            if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
                continue;
            }
            QRegularExpressionMatchIterator matches = key.globalMatch(QString::fromUtf8(file.readAll()));
            while (matches.hasNext()) {
                keys.insert(matches.next().captured(1));
            }
        }
    }
    return keys;
}

QHash<QString, QString> tst_WorkbenchTexts::readTexts(const QString& path, QString* error)
{
    QHash<QString, QString> texts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
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
        *error = QStringLiteral("%1: %2").arg(path, xml.errorString());
    }
    return texts;
}

void tst_WorkbenchTexts::everyUsedKeyHasEnglishText()
{
    QHash<QString, QString> english;
    for (const QString& path : englishFiles()) {
        QString error;
        const QHash<QString, QString> texts = readTexts(path, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        english.insert(texts);
    }
    const QSet<QString> keys = usedKeys();
    QVERIFY(keys.size() > 50);
    QStringList missing;
    for (const QString& key : keys) {
        if (english.value(key).trimmed().isEmpty()) {
            missing << key;
        }
    }
    missing.sort();
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
}

void tst_WorkbenchTexts::ownKeysAreDefinedOnce_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("plug-in") << "plugin_en.ts";
    QTest::newRow("application") << "app_en.ts";
}

void tst_WorkbenchTexts::ownKeysAreDefinedOnce()
{
    QFETCH(QString, file);
    QString error;
    const QString own = m_root + "/translations/" + file;
    const QHash<QString, QString> ownTexts = readTexts(own, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!ownTexts.isEmpty());
    QStringList twice;
    for (const QString& path : englishFiles()) {
        if (QFileInfo(path).fileName() == file) {
            continue;
        }
        const QHash<QString, QString> other = readTexts(path, &error);
        for (auto it = ownTexts.cbegin(); it != ownTexts.cend(); ++it) {
            if (other.contains(it.key())) {
                twice << QStringLiteral("%1 (also in %2)").arg(it.key(), QFileInfo(path).fileName());
            }
        }
    }
    QVERIFY2(twice.isEmpty(), qPrintable(twice.join(QLatin1String(", "))));
}

QTEST_MAIN(tst_WorkbenchTexts)
#include "tst_WorkbenchTexts.moc"
