#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QTextBrowser;

// Help pages. A page for a group of a drive model is taken from the shipped help folder
// (help/<model>/<group>.html) when there is one, and otherwise composed from the drive's description;
// it opens in the help window scrolled to the function code.
class QAssistantManager : public QObject
{
    Q_OBJECT
public:
    explicit QAssistantManager(QObject* parent = nullptr);
    ~QAssistantManager() override;

    // Opens the page of a code; false when the selected drive is not of that model and no page exists.
    bool openPage(const QString& devName, const QString& group, const QString& funIndex);
    // Raises the help window.
    void highlightWin();
    QString lastPageHtml() const { return m_lastHtml; }
    QString lastAnchor() const { return m_lastAnchor; }
    // Folder holding shipped pages.
    void setHelpDirectory(const QString& dir) { m_helpDir = dir; }
    QWidget* helpWindow() const;

private:
    QString composeGroupPage(const QString& devName, const QString& group) const;

    QPointer<QTextBrowser> m_browser;
    QString m_helpDir;
    QString m_lastHtml;
    QString m_lastAnchor;
};
