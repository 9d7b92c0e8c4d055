// Every translation key used by the host's view libraries and by the button and printer managers has
// an English text in translations/host_view_en.ts.

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

class tst_HostViewTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyKeyHasEnglishText();

private:
    QSet<QString> usedKeys() const;
    QHash<QString, QString> englishTexts(QString* error) const;
    QString m_root;
};

void tst_HostViewTexts::initTestCase()
{
    m_root = QStringLiteral(SERVO_SOURCE_ROOT);
    QVERIFY(QFile::exists(m_root + "/translations/host_view_en.ts"));
}

QSet<QString> tst_HostViewTexts::usedKeys() const
{
    QStringList files;
    for (const QString& folder : {QStringLiteral("/host/viewbase"), QStringLiteral("/host/viewcomposite")}) {
        QDirIterator it(m_root + folder, {"*.cpp", "*.h"}, QDir::Files);
        while (it.hasNext()) {
            files << it.next();
        }
    }
    files << m_root + "/host/manager/QButtonManager.cpp" << m_root + "/host/manager/QPrinterManager.cpp";
    static const QRegularExpression key(QStringLiteral("(?:tr|QT_TR_NOOP)\\(\"(STR_[A-Za-z0-9_ ]+)\""));
    QSet<QString> keys;
    for (const QString& path : qAsConst(files)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            continue;
        }
        const QString text = QString::fromUtf8(file.readAll());
        QRegularExpressionMatchIterator matches = key.globalMatch(text);
        while (matches.hasNext()) {
            keys.insert(matches.next().captured(1));
        }
    }
    return keys;
}

QHash<QString, QString> tst_HostViewTexts::englishTexts(QString* error) const
{
    QHash<QString, QString> texts;
    QFile file(m_root + "/translations/host_view_en.ts");
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
        *error = xml.errorString();
    }
    return texts;
}

void tst_HostViewTexts::everyKeyHasEnglishText()
{
    QString error;
    const QHash<QString, QString> texts = englishTexts(&error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QSet<QString> keys = usedKeys();
    QVERIFY(keys.size() > 20);
    QStringList missing;
    for (const QString& key : keys) {
        if (texts.value(key).trimmed().isEmpty()) {
            missing << key;
        }
    }
    missing.sort();
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
}

QTEST_GUILESS_MAIN(tst_HostViewTexts)
#include "tst_HostViewTexts.moc"
