// servo-cli: the workbench's daily jobs from a script, without a screen.
#include "QCliCommand.h"
#include "QCliConsole.h"
#include "QCliExit.h"
#include "QCliFingerprintCommand.h"
#include "QCliHelp.h"
#include "QCliInfoCommand.h"
#include "QCliOptions.h"
#include "QCliReadCommand.h"
#include "QCliSession.h"
#include "QKeyTranslator.h"
#include "QLibLogger.h"
#include "QLibSetting.h"

#include <QCoreApplication>
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
    if (name == QLatin1String("info")) {
        return std::make_unique<QCliInfoCommand>(session);
    }
    if (name == QLatin1String("read")) {
        return std::make_unique<QCliReadCommand>(session);
    }
    if (name == QLatin1String("fingerprint")) {
        return std::make_unique<QCliFingerprintCommand>(session);
    }
    return nullptr;
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
