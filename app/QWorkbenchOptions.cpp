#include "QWorkbenchOptions.h"

#include "QProjectTreeWidget.h"
#include "tagTreeDataSet.h"

#include <QCommandLineParser>

namespace {
bool isKnownNodeKind(int kind)
{
    return kind == TREE_NODE_DRIVE || kind == TREE_NODE_ALL_CUR_FAULTS ||
           QProjectTreeWidget::pageKinds().contains(kind);
}
} // namespace

bool QWorkbenchOptions::parse(const QStringList& arguments, QString* error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(tr("STR_APP_DESCRIPTION"));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption project(QStringLiteral("project"), tr("STR_OPT_PROJECT"), tr("STR_OPT_FILE"));
    const QCommandLineOption data(QStringLiteral("data-dir"), tr("STR_OPT_DATA_DIR"), tr("STR_OPT_DIR"));
    const QCommandLineOption drives(QStringLiteral("drives"), tr("STR_OPT_DRIVES"), tr("STR_OPT_DIR"));
    const QCommandLineOption plugins(QStringLiteral("plugin-dir"), tr("STR_OPT_PLUGIN_DIR"),
                                     tr("STR_OPT_DIR"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"), tr("STR_OPT_SCREENSHOT"),
                                        tr("STR_OPT_FILE"));
    const QCommandLineOption select(QStringLiteral("select"), tr("STR_OPT_SELECT"), tr("STR_OPT_ALIAS"));
    const QCommandLineOption node(QStringLiteral("node"), tr("STR_OPT_NODE"), tr("STR_OPT_KIND"));
    parser.addOptions({project, data, drives, plugins, screenshot, select, node});
    helpText = parser.helpText();
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = tr("STR_OPT_UNEXPECTED").arg(parser.positionalArguments().join(QLatin1Char(' ')));
        return false;
    }
    helpRequested = parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"));
    projectFile = parser.value(project);
    dataDir = parser.value(data);
    drivesDir = parser.value(drives);
    pluginDir = parser.value(plugins);
    screenshotFile = parser.value(screenshot);
    selectAlias = parser.value(select);
    if (!parser.isSet(node)) {
        return true;
    }
    bool ok = false;
    nodeKind = parser.value(node).toInt(&ok);
    if (!ok || !isKnownNodeKind(nodeKind)) {
        *error = tr("STR_OPT_BAD_NODE").arg(parser.value(node));
        return false;
    }
    return true;
}
