// The texts behind the "STR_..." keys: every key the code uses has an English text, every text is used,
// and the installed translator finds a text whatever class context asks for it.

#include "QKeyTranslator.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyUsedKeyHasEnglishText();
    void everyEnglishTextIsUsed();
    void translatorAnswersAnyContext_data();
    void translatorAnswersAnyContext();

private:
    QSet<QString> m_used;
    QHash<QString, QString> m_english;
};

namespace {
const QStringList kSourceFolders{"host",   "plugin", "workspace", "tables", "records",
                                 "import", "export", "faults",    "app"};

QSet<QString> keysUsedInSources(const QString& root)
{
    // tr("STR_X"), QT_TR_NOOP("STR_X"), translate("Context", "STR_X") and keys listed in Designer forms.
    static const QRegularExpression key(QStringLiteral("\"(STR_[A-Za-z0-9_ ]*[A-Za-z0-9_])\""));
    static const QRegularExpression uiKey(QStringLiteral("<string>(STR_[A-Za-z0-9_]+)</string>"));
    QSet<QString> keys;
    for (const QString& folder : kSourceFolders) {
        QDirIterator it(root + QLatin1Char('/') + folder, {"*.cpp", "*.h", "*.ui"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
                continue;
            }
            const QString text = QString::fromUtf8(file.readAll());
            for (const QRegularExpression* re : {&key, &uiKey}) {
                QRegularExpressionMatchIterator matches = re->globalMatch(text);
                while (matches.hasNext()) {
                    keys.insert(matches.next().captured(1));
                }
            }
        }
    }
    return keys;
}

QHash<QString, QString> englishTexts(const QString& path, QString* error)
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
        if (xml.isStartElement() && xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("translation")) {
            if (texts.contains(source)) {
                *error = QStringLiteral("%1 is defined twice").arg(source);
            }
            texts.insert(source, xml.readElementText());
        }
    }
    if (xml.hasError()) {
        *error = QStringLiteral("%1: %2").arg(path, xml.errorString());
    }
    return texts;
}
} // namespace

void tst_Translations::initTestCase()
{
    const QString root = QStringLiteral(SERVO_SOURCE_ROOT);
    m_used = keysUsedInSources(root);
    QVERIFY(m_used.size() > 200);
    QString error;
    // One file per area ("<area>_en.ts"); a key may be defined in one of them only.
    const QDir folder(root + "/translations");
    const QStringList files = folder.entryList({QStringLiteral("*_en.ts")}, QDir::Files, QDir::Name);
    QVERIFY(files.contains(QStringLiteral("servo_en.ts")));
    for (const QString& name : files) {
        const QHash<QString, QString> texts = englishTexts(folder.filePath(name), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
            QVERIFY2(!m_english.contains(it.key()),
                     qPrintable(QStringLiteral("%1 is defined again in %2").arg(it.key(), name)));
            m_english.insert(it.key(), it.value());
        }
    }
}

void tst_Translations::everyUsedKeyHasEnglishText()
{
    QStringList missing;
    for (const QString& key : qAsConst(m_used)) {
        if (m_english.value(key).trimmed().isEmpty()) {
            missing << key;
        }
    }
    missing.sort();
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
}

void tst_Translations::everyEnglishTextIsUsed()
{
    QStringList unused;
    for (auto it = m_english.cbegin(); it != m_english.cend(); ++it) {
        if (it.key().startsWith(QLatin1String("STR_")) && !m_used.contains(it.key())) {
            unused << it.key();
        }
    }
    unused.sort();
    QVERIFY2(unused.isEmpty(), qPrintable(unused.join(QLatin1Char(' '))));
}

void tst_Translations::translatorAnswersAnyContext_data()
{
    QTest::addColumn<QString>("context");
    QTest::newRow("plug-in class") << "QFuncodeView_Servo";
    QTest::newRow("host class") << "QDeviceServo";
    QTest::newRow("unknown class") << "NoSuchClass";
}

void tst_Translations::translatorAnswersAnyContext()
{
    QFETCH(QString, context);
    QKeyTranslator::installForApplication(QStringLiteral("en"));
    const QByteArray ctx = context.toLatin1();
    QCOMPARE(QCoreApplication::translate(ctx.constData(), "STR_FUNCODE"), m_english.value("STR_FUNCODE"));
    QCOMPARE(QCoreApplication::translate(ctx.constData(), "not a key"), QStringLiteral("not a key"));
}

QTEST_GUILESS_MAIN(tst_Translations)
#include "tst_Translations.moc"
