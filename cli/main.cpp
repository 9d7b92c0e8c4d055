// servo-cli: the workbench's daily jobs from a script, without a screen.
#include "QCliBackupCommand.h"
#include "QCliCommand.h"
#include "QCliCompareCommand.h"
#include "QCliConsole.h"
#include "QCliDownloadCommand.h"
#include "QCliExit.h"
#include "QCliFaultsCommand.h"
#include "QCliFingerprintCommand.h"
#include "QCliHelp.h"
#include "QCliInfoCommand.h"
#include "QCliOptions.h"
#include "QCliReadCommand.h"
#include "QCliRestoreCommand.h"
#include "QCliSession.h"
#include "QCliWriteCommand.h"
#include "QKeyTranslator.h"
#include "QLibLogger.h"
#include "QLibSetting.h"

#include <QCoreApplication>
#include <QMap>
#include <functional>
#include <memory>

namespace {
// Messages take the language of the locale a shell sets (LC_ALL, LC_MESSAGES, LANG, in that order).
QString languageOfLocale()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty()) {
            return value.startsWith(QLatin1String("zh")) ? QStringLiteral("zh_CN") : QStringLiteral("en");
        }
    }
    return QStringLiteral("en");
}

// Qt's own diagnostics go to the log, not to the user's terminal.
void logOnly(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtDebugMsg) {
        return;
    }
    if (type == QtInfoMsg) {
        QLibLogger::self()->info(text);
    } else {
        QLibLogger::self()->warn(text);
    }
}

std::unique_ptr<QCliCommand> makeCommand(const QString& name, QCliSession& session)
{
    static const QMap<QString, std::function<std::unique_ptr<QCliCommand>(QCliSession&)>> makers{
        {QStringLiteral("info"), [](QCliSession& s) { return std::make_unique<QCliInfoCommand>(s); }},
        {QStringLiteral("read"), [](QCliSession& s) { return std::make_unique<QCliReadCommand>(s); }},
        {QStringLiteral("write"), [](QCliSession& s) { return std::make_unique<QCliWriteCommand>(s); }},
        {QStringLiteral("backup"), [](QCliSession& s) { return std::make_unique<QCliBackupCommand>(s); }},
        {QStringLiteral("restore"), [](QCliSession& s) { return std::make_unique<QCliRestoreCommand>(s); }},
        {QStringLiteral("compare"), [](QCliSession& s) { return std::make_unique<QCliCompareCommand>(s); }},
        {QStringLiteral("download"), [](QCliSession& s) { return std::make_unique<QCliDownloadCommand>(s); }},
        {QStringLiteral("faults"), [](QCliSession& s) { return std::make_unique<QCliFaultsCommand>(s); }},
        {QStringLiteral("fingerprint"),
         [](QCliSession& s) { return std::make_unique<QCliFingerprintCommand>(s); }},
    };
    const auto maker = makers.find(name);
    return maker == makers.end() ? nullptr : maker.value()(session);
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // The workbench's data folder is the default one: the settings take it from the application's name
    // when they are first used.
    QCoreApplication::setApplicationName(QStringLiteral("servo-workbench"));
    QLibSetting::self();
    QCoreApplication::setApplicationName(QStringLiteral("servo-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SERVO_VERSION));
    qInstallMessageHandler(logOnly);
    QKeyTranslator::installForApplication(languageOfLocale());

    QCliOptions options;
    QString error;
    const bool parsed = options.parse(QCoreApplication::arguments(), &error);
    QCliConsole console(options.quiet);
    if (!parsed) {
        console.error(error);
        console.error(QCoreApplication::translate("QCliCommand", "STR_CLI_SEE_HELP")
                          .arg(options.command.isEmpty() ? QStringLiteral("COMMAND") : options.command));
        return QCliExit::USAGE;
    }
    if (options.help) {
        console.out(QCliHelp::command(options.command));
        return QCliExit::OK;
    }
    QCliSession session(options, console);
    if (options.command.isEmpty()) {
        console.error(QCliHelp::general());
        return QCliExit::USAGE;
    }
    if (!session.start(&error)) {
        console.error(error);
        return QCliExit::USAGE;
    }
    const std::unique_ptr<QCliCommand> command = makeCommand(options.command, session);
    if (!command) {
        console.error(QCliHelp::command(options.command));
        return QCliExit::USAGE;
    }
    return command->run();
}
