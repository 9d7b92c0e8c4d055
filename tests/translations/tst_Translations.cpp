// The texts behind the "STR_..." keys: every key the code uses has an English and a Chinese text, every
// text is used, no key is defined twice, and the installed translator finds a text whatever class context
// asks for it.

#include "QKeyTranslator.h"

#include <QtTest>

namespace {
const QStringList kSourceFolders{"host",   "plugin", "workspace", "edit",  "tables", "records", "codetree",
                                 "import", "export", "compare",   "batch", "faults", "app",     "cli"};

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

// Adds the texts of one .ts file to texts; a key defined twice (in this file or an earlier one) is an error.
void readTexts(const QString& path, QHash<QString, QString>* texts, QStringList* errors)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        errors->append(QStringLiteral("%1: %2").arg(path, file.errorString()));
        return;
    }

    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("translation")) {
            if (texts->contains(source)) {
                errors->append(QStringLiteral("%1 is defined twice (%2)").arg(source, path));
            }
            texts->insert(source, xml.readElementText());
        }
    }

    if (xml.hasError()) {
        errors->append(QStringLiteral("%1: %2").arg(path, xml.errorString()));
    }
}

const QStringList kLanguages{QStringLiteral("en"), QStringLiteral("zh_CN")};
} // namespace

class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString root = QStringLiteral(SERVO_SOURCE_ROOT);
        m_used = keysUsedInSources(root);
        QVERIFY(m_used.size() > 200);
        QStringList errors;
        const QDir folder(root + QStringLiteral("/translations"));
        for (const QString& language : kLanguages) {
            const QStringList files =
                folder.entryList({QStringLiteral("*_%1.ts").arg(language)}, QDir::Files);
            QVERIFY2(!files.isEmpty(), qPrintable(language));
            for (const QString& file : files) {
                readTexts(folder.filePath(file), &m_texts[language], &errors);
            }
        }
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
    }

    void everyUsedKeyHasTextAndEveryTextIsUsed_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString& language : kLanguages) {
            QTest::newRow(qPrintable(language)) << language;
        }
    }

    // Also the texts that are not keys (shortcuts, column letters): each has a text in every language.
    void everyUsedKeyHasTextAndEveryTextIsUsed()
    {
        QFETCH(QString, language);
        const QHash<QString, QString>& texts = m_texts[language];
        QStringList missing;
        for (const QString& key : qAsConst(m_used)) {
            if (texts.value(key).trimmed().isEmpty()) {
                missing << key;
            }
        }
        QStringList unused;
        for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
            if (it.key().startsWith(QLatin1String("STR_")) && !m_used.contains(it.key())) {
                unused << it.key();
            }
        }
        missing.sort();
        unused.sort();
        QVERIFY2(missing.isEmpty(), qPrintable("no text: " + missing.join(QLatin1Char(' '))));
        QVERIFY2(unused.isEmpty(), qPrintable("unused: " + unused.join(QLatin1Char(' '))));
        QStringList keys = texts.keys();
        QStringList englishKeys = m_texts.value(QStringLiteral("en")).keys();
        keys.sort();
        englishKeys.sort();
        QCOMPARE(keys, englishKeys);
    }

    void translatorAnswersAnyContext_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("context");
        for (const QString& language : kLanguages) {
            QTest::newRow(qPrintable(language + " plug-in class")) << language << "QFuncodeView_Servo";
            QTest::newRow(qPrintable(language + " unknown class")) << language << "NoSuchClass";
        }
    }

    void translatorAnswersAnyContext()
    {
        QFETCH(QString, language);
        QFETCH(QString, context);
        QKeyTranslator::installForApplication(language);
        const QByteArray ctx = context.toLatin1();
        const QString expected = m_texts[language].value("STR_FUNCODE"); // a used key: never empty
        QCOMPARE(QCoreApplication::translate(ctx.constData(), "STR_FUNCODE"), expected);
        QCOMPARE(QCoreApplication::translate(ctx.constData(), "not a key"), QStringLiteral("not a key"));
    }

private:
    QSet<QString> m_used;
    // language ("en", "zh_CN") -> key -> text, from every translations/<area>_<language>.ts
    QHash<QString, QHash<QString, QString>> m_texts;
};

QTEST_GUILESS_MAIN(tst_Translations)
#include "tst_Translations.moc"
