#include "QKeyTranslator.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QPointer>

namespace {
const char* const kContext = "Strings";
const char* const kEnglish = "en";
} // namespace

QKeyTranslator::QKeyTranslator(QObject* parent) : QTranslator(parent) {}

QKeyTranslator::~QKeyTranslator()
{
    qDeleteAll(m_parts);
}

bool QKeyTranslator::loadLanguage(const QString& language)
{
    qDeleteAll(m_parts);
    m_parts.clear();
    m_language = language;
    if (loadParts(language) == 0) {
        return false;
    }
    if (language != QLatin1String(kEnglish)) {
        loadParts(QString::fromLatin1(kEnglish));
    }
    return true;
}

// Appends the files of one language; returns how many were loaded.
int QKeyTranslator::loadParts(const QString& language)
{
    const QDir dir(QStringLiteral(":/translations"));
    const QStringList files =
        dir.entryList({QStringLiteral("*_%1.qm").arg(language)}, QDir::Files, QDir::Name);
    int loaded = 0;
    for (const QString& file : files) {
        auto* part = new QTranslator;
        if (part->load(dir.filePath(file))) {
            m_parts.append(part);
            ++loaded;
        } else {
            delete part;
        }
    }
    return loaded;
}

bool QKeyTranslator::isEmpty() const
{
    return m_parts.isEmpty();
}

QString QKeyTranslator::translate(const char* context, const char* sourceText, const char* disambiguation,
                                  int n) const
{
    Q_UNUSED(context)
    for (const QTranslator* part : m_parts) {
        const QString text = part->translate(kContext, sourceText, disambiguation, n);
        if (!text.isEmpty()) {
            return text;
        }
    }
    return QString();
}

QKeyTranslator* QKeyTranslator::installForApplication(const QString& language)
{
    static QPointer<QKeyTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    installQtTexts(language);
    installed = new QKeyTranslator(QCoreApplication::instance());
    installed->loadLanguage(language);
    QCoreApplication::installTranslator(installed);
    return installed;
}

void QKeyTranslator::installQtTexts(const QString& language)
{
    static QPointer<QTranslator> qtTexts;
    if (qtTexts) {
        QCoreApplication::removeTranslator(qtTexts);
        delete qtTexts;
    }
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QString folder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    if (language == QLatin1String(kEnglish) ||
        !translator->load(QStringLiteral("qtbase_%1").arg(language), folder)) {
        delete translator;
        return;
    }
    qtTexts = translator;
    QCoreApplication::installTranslator(translator);
}
