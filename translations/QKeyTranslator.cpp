#include "QKeyTranslator.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>

namespace {
const char* const kContext = "Strings";
}

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
    const QDir dir(QStringLiteral(":/translations"));
    const QStringList files =
        dir.entryList({QStringLiteral("*_%1.qm").arg(language)}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        auto* part = new QTranslator;
        if (part->load(dir.filePath(file))) {
            m_parts.append(part);
        } else {
            delete part;
        }
    }
    return !m_parts.isEmpty();
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
    installed = new QKeyTranslator(QCoreApplication::instance());
    installed->loadLanguage(language);
    QCoreApplication::installTranslator(installed);
    return installed;
}
