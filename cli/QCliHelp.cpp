#include "QCliHelp.h"

#include <QHash>

QString QCliHelp::general()
{
    return tr("STR_CLI_HELP") + QLatin1Char('\n') + tr("STR_CLI_HELP_DRIVES") + QLatin1Char('\n') +
           tr("STR_CLI_HELP_COMMON") + QLatin1Char('\n') + tr("STR_CLI_HELP_EXIT");
}

QString QCliHelp::command(const QString& name)
{
    // tr() needs the keys as literals, so that the translation check finds them.
    static const QHash<QString, const char*> keys{
        {QStringLiteral("info"), QT_TR_NOOP("STR_CLI_HELP_INFO")},
        {QStringLiteral("read"), QT_TR_NOOP("STR_CLI_HELP_READ")},
        {QStringLiteral("write"), QT_TR_NOOP("STR_CLI_HELP_WRITE")},
        {QStringLiteral("backup"), QT_TR_NOOP("STR_CLI_HELP_BACKUP")},
        {QStringLiteral("restore"), QT_TR_NOOP("STR_CLI_HELP_RESTORE")},
        {QStringLiteral("compare"), QT_TR_NOOP("STR_CLI_HELP_COMPARE")},
        {QStringLiteral("download"), QT_TR_NOOP("STR_CLI_HELP_DOWNLOAD")},
        {QStringLiteral("faults"), QT_TR_NOOP("STR_CLI_HELP_FAULTS")},
        {QStringLiteral("fingerprint"), QT_TR_NOOP("STR_CLI_HELP_FINGERPRINT")},
    };
    const char* key = keys.value(name);
    if (!key) {
        return general();
    }
    return tr(key) + QLatin1Char('\n') + tr("STR_CLI_HELP_DRIVES") + QLatin1Char('\n') +
           tr("STR_CLI_HELP_COMMON") + QLatin1Char('\n') + tr("STR_CLI_HELP_EXIT");
}
