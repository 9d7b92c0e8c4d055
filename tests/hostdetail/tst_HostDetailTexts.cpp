#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

// Every key that the detail windows and the editor factory show has its English text, and the text file
// keeps no key that they no longer use.
class tst_HostDetailTexts : public QObject
{
    Q_OBJECT

private slots:
    void everyKeyHasEnglishText();

private:
    static QSet<QString> keysInSources();
    static QSet<QString> keysInTranslation(QString* error);
};

QSet<QString> tst_HostDetailTexts::keysInSources()
{
    const QDir root(QStringLiteral(SERVO_SOURCE_DIR));
    const QStringList files{"host/viewcomposite/QFuncodeEditorFactory.cpp",
                            "host/customvalcontrol/QFunCodeAxisValueModel.cpp",
                            "host/customvalcontrol/QFunCodeRelateParamModel.cpp",
                            "host/customvalcontrol/QFunCodeDetailDelegate.cpp",
                            "host/customvalcontrol/QFunCodeDetailTable.cpp",
                            "host/invertor/QFuncodeDetailInfoWidget.cpp"};
    const QRegularExpression key(QStringLiteral("\"(STR_[A-Z0-9_]+)\""));
    QSet<QString> keys;
    for (const QString& name : files) {
        QFile file(root.filePath(name));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            keys.insert(QStringLiteral("<cannot read %1>").arg(name));
            continue;
        }
        const QString source = QString::fromUtf8(file.readAll());
        for (auto it = key.globalMatch(source); it.hasNext();) {
            keys.insert(it.next().captured(1));
        }
    }
    return keys;
}

QSet<QString> tst_HostDetailTexts::keysInTranslation(QString* error)
{
    QFile file(
        QDir(QStringLiteral(SERVO_SOURCE_DIR)).filePath(QStringLiteral("translations/host_detail_en.ts")));
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    QSet<QString> keys;
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("translation")) {
            if (!xml.readElementText().trimmed().isEmpty()) {
                keys.insert(source);
            }
        }
    }
    if (xml.hasError()) {
        *error = xml.errorString();
    }
    return keys;
}

void tst_HostDetailTexts::everyKeyHasEnglishText()
{
    QString error;
    const QSet<QString> translated = keysInTranslation(&error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QSet<QString> used = keysInSources();
    QVERIFY(!used.isEmpty());
    QStringList missing = (used - translated).values();
    missing.sort();
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    QStringList unused = (translated - used).values();
    unused.sort();
    QVERIFY2(unused.isEmpty(), qPrintable(unused.join(QStringLiteral(", "))));
}

QTEST_MAIN(tst_HostDetailTexts)
#include "tst_HostDetailTexts.moc"
