#pragma once

#include <QList>
#include <QTranslator>

// Translates the "STR_..." keys whatever class context the tr() call came from: the .ts files keep every
// key once, in the context "Strings". A text that no file has is left to the next translator.
class QKeyTranslator : public QTranslator
{
    Q_OBJECT
public:
    explicit QKeyTranslator(QObject* parent = nullptr);
    ~QKeyTranslator() override;

    // Loads every ":/translations/*_<language>.qm" ("en", "zh_CN"), and for another language than English
    // the English files behind them, so that a key not translated yet shows its English text rather than
    // the key. False when no file of the language was found.
    bool loadLanguage(const QString& language);
    QString language() const { return m_language; }
    bool isEmpty() const override;

    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;

    // Installs one translator for the application, replacing an earlier one, together with Qt's own texts
    // of the language (standard buttons, file dialogs) when the system has them. Returns it.
    static QKeyTranslator* installForApplication(const QString& language);

private:
    int loadParts(const QString& language);
    static void installQtTexts(const QString& language);

    QList<QTranslator*> m_parts;
    QString m_language;
};
