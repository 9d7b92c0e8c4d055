#include "QAssistantManager.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QProjectCore.h"

#include <QDir>
#include <QFile>
#include <QTextBrowser>

QAssistantManager::QAssistantManager(QObject* parent) : QObject(parent)
{
    m_helpDir = QDir(QDriveCatalogue::defaultDirectory()).absoluteFilePath(QStringLiteral("../help"));
}

QAssistantManager::~QAssistantManager()
{
    delete m_browser;
}

QWidget* QAssistantManager::helpWindow() const
{
    return m_browser;
}

bool QAssistantManager::openPage(const QString& devName, const QString& group, const QString& funIndex)
{
    QString html;
    QFile shipped(QDir(m_helpDir).filePath(QStringLiteral("%1/%2.html").arg(devName, group)));
    if (shipped.open(QIODevice::ReadOnly)) {
        html = QString::fromUtf8(shipped.readAll());
    } else {
        html = composeGroupPage(devName, group);
    }
    if (html.isEmpty()) {
        return false;
    }
    if (!m_browser) {
        m_browser = new QTextBrowser;
        m_browser->setWindowFlag(Qt::Tool);
        m_browser->setOpenExternalLinks(false);
        m_browser->resize(720, 560);
    }
    m_lastHtml = html;
    m_lastAnchor = funIndex;
    m_browser->setWindowTitle(tr("STR_HELP_TITLE").arg(devName, group));
    m_browser->setHtml(html);
    m_browser->scrollToAnchor(funIndex);
    m_browser->show();
    return true;
}

void QAssistantManager::highlightWin()
{
    if (!m_browser) {
        return;
    }
    m_browser->raise();
    m_browser->activateWindow();
}

QString QAssistantManager::composeGroupPage(const QString& devName, const QString& group) const
{
    QDeviceServo* device = QProjectCore::self()->getDevMgr()->getSelectServo();
    if (!device || device->getDevName() != devName) {
        return QString();
    }
    QString body;
    QString title;
    const auto& groups = device->getNormalFuncodeGroupMap();
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        if (it.key().section(QLatin1Char(' '), 0, 0) != group) {
            continue;
        }
        title = it.key().toHtmlEscaped();
        for (const tagSubFuncode_Servo* fun : it.value()) {
            body += QStringLiteral("<h3><a name=\"%1\"></a>%1 %2</h3>")
                        .arg(fun->funIndex.toHtmlEscaped(), fun->funName.toHtmlEscaped());
            body += QStringLiteral("<p>%1: %2 &hellip; %3 %4; %5: %6 %4</p>")
                        .arg(tr("STR_RANGE"),
                             device->getScaledValueString(fun->showType, fun->precision, fun->minVal)
                                 .toHtmlEscaped(),
                             device->getScaledValueString(fun->showType, fun->precision, fun->maxVal)
                                 .toHtmlEscaped(),
                             fun->unit.toHtmlEscaped(), tr("STR_DEFAULT_VAL"),
                             device->getScaledValueString(fun->showType, fun->precision, fun->defaultVal)
                                 .toHtmlEscaped());
            if (fun->showType == 2) {
                body += QStringLiteral("<ul><li>%1</li></ul>")
                            .arg(fun->enumText.toHtmlEscaped().replace(QLatin1Char('\n'),
                                                                       QLatin1String("</li><li>")));
            }
            if (!fun->remark.isEmpty()) {
                body += QStringLiteral("<p><i>%1</i></p>").arg(fun->remark.toHtmlEscaped());
            }
        }
    }
    if (body.isEmpty()) {
        return QString();
    }
    return QStringLiteral("<html><body><h2>%1 &mdash; %2</h2>%3</body></html>")
        .arg(devName.toHtmlEscaped(), title, body);
}
