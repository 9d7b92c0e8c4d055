#include "QCliOptions.h"

#include <QHash>
#include <algorithm>

namespace {
const int kMaxTimeoutMs = 3600000;

// The options each command takes besides the common ones (--data-dir, --timeout, --quiet, --help).
const QHash<QString, QStringList>& commandOptions()
{
    static const QHash<QString, QStringList> options{
        {QStringLiteral("info"), {"--model", "--format"}},
        {QStringLiteral("read"), {"--model", "--format", "--axis"}},
        {QStringLiteral("write"), {"--model", "--axis", "--save"}},
        {QStringLiteral("backup"), {"--model"}},
        {QStringLiteral("restore"),
         {"--model", "--format", "--dry-run", "--only-differing", "--save", "--reset"}},
        {QStringLiteral("compare"), {"--model", "--format", "--all"}},
        {QStringLiteral("download"), {"--model", "--format", "--to", "--save", "--reset", "--jobs"}},
        {QStringLiteral("faults"), {"--model", "--format", "--axis", "--history"}},
        {QStringLiteral("fingerprint"), {"--model", "--format"}},
    };
    return options;
}

const QStringList kCommonOptions{"--data-dir", "--timeout", "--quiet", "--help"};
} // namespace

QStringList QCliOptions::commands()
{
    return {QStringLiteral("info"),     QStringLiteral("read"),    QStringLiteral("write"),
            QStringLiteral("backup"),   QStringLiteral("restore"), QStringLiteral("compare"),
            QStringLiteral("download"), QStringLiteral("faults"),  QStringLiteral("fingerprint")};
}

bool QCliOptions::allows(const QString& option) const
{
    return kCommonOptions.contains(option) || commandOptions().value(command).contains(option);
}

bool QCliOptions::parse(const QStringList& arguments, QString* error)
{
    // "--axis=Y" is "--axis Y".
    QStringList args;
    for (const QString& argument : arguments) {
        const int equals = argument.indexOf(QLatin1Char('='));
        if (argument.startsWith(QLatin1String("--")) && equals > 2) {
            args << argument.left(equals) << argument.mid(equals + 1);
        } else {
            args << argument;
        }
    }
    for (int i = 1; i < args.size(); ++i) {
        const QString& argument = args.at(i);
        if (argument == QLatin1String("-h")) {
            help = true;
        } else if (argument.startsWith(QLatin1String("--"))) {
            if (!takeOption(args, &i, error)) {
                return false;
            }
        } else if (command.isEmpty()) {
            if (!isCommand(argument)) {
                *error = tr("STR_CLI_UNKNOWN_COMMAND").arg(argument, commands().join(QStringLiteral(", ")));
                return false;
            }
            command = argument;
        } else {
            operands.append(argument);
        }
    }
    // Options given before the command are checked against it now.
    for (const QString& option : qAsConst(m_seen)) {
        if (!command.isEmpty() && !allows(option)) {
            *error = tr("STR_CLI_OPTION_NOT_FOR_COMMAND").arg(option, command);
            return false;
        }
    }
    return true;
}

bool QCliOptions::takeValue(const QStringList& arguments, int* i, const QString& name, QString* value,
                            QString* error) const
{
    if (*i + 1 >= arguments.size() || arguments.at(*i + 1).startsWith(QLatin1String("--"))) {
        *error = tr("STR_CLI_OPTION_NEEDS_VALUE").arg(name);
        return false;
    }
    *value = arguments.at(++*i);
    return true;
}

bool QCliOptions::takeNumber(const QStringList& arguments, int* i, const QString& name, int min, int max,
                             int* value, QString* error) const
{
    QString text;
    if (!takeValue(arguments, i, name, &text, error)) {
        return false;
    }
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < min || number > max) {
        *error = tr("STR_CLI_OPTION_NUMBER").arg(name).arg(min).arg(max).arg(text);
        return false;
    }
    *value = number;
    return true;
}

bool QCliOptions::takeOption(const QStringList& args, int* i, QString* error)
{
    const QString name = args.at(*i);
    m_seen.append(name);
    if (name != QLatin1String("--help") && !command.isEmpty() && !allows(name)) {
        const bool known = kCommonOptions.contains(name) ||
                           std::any_of(commandOptions().cbegin(), commandOptions().cend(),
                                       [&name](const QStringList& list) { return list.contains(name); });
        *error = known ? tr("STR_CLI_OPTION_NOT_FOR_COMMAND").arg(name, command)
                       : tr("STR_CLI_UNKNOWN_OPTION").arg(name);
        return false;
    }
    bool ok = true;
    QString value;
    if (name == QLatin1String("--help")) {
        help = true;
    } else if (name == QLatin1String("--quiet")) {
        quiet = true;
    } else if (name == QLatin1String("--save")) {
        save = true;
    } else if (name == QLatin1String("--reset")) {
        reset = true;
    } else if (name == QLatin1String("--dry-run")) {
        dryRun = true;
    } else if (name == QLatin1String("--only-differing")) {
        onlyDiffering = true;
    } else if (name == QLatin1String("--all")) {
        all = true;
    } else if (name == QLatin1String("--history")) {
        history = true;
    } else if (name == QLatin1String("--data-dir")) {
        ok = takeValue(args, i, name, &dataDir, error);
    } else if (name == QLatin1String("--model")) {
        ok = takeValue(args, i, name, &model, error);
    } else if (name == QLatin1String("--timeout")) {
        ok = takeNumber(args, i, name, 1, kMaxTimeoutMs, &timeoutMs, error);
    } else if (name == QLatin1String("--jobs")) {
        ok = takeNumber(args, i, name, 1, kMaxJobs, &jobs, error);
    } else if (name == QLatin1String("--axis")) {
        ok = takeValue(args, i, name, &value, error);
        axisGiven = ok;
        const QStringList names{"x", "y", "z"};
        if (ok && value.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0) {
            axis = kAllAxes;
        } else if (ok && names.contains(value.toLower())) {
            axis = names.indexOf(value.toLower());
        } else if (ok) {
            *error = tr("STR_CLI_BAD_AXIS").arg(value);
            ok = false;
        }
    } else if (name == QLatin1String("--format")) {
        ok = takeValue(args, i, name, &value, error);
        const QStringList names{"text", "csv", "json"};
        if (ok && names.contains(value)) {
            format = static_cast<enFormat>(names.indexOf(value));
        } else if (ok) {
            *error = tr("STR_CLI_BAD_FORMAT").arg(value);
            ok = false;
        }
    } else if (name == QLatin1String("--to")) {
        // Every drive up to the next option.
        while (*i + 1 < args.size() && !args.at(*i + 1).startsWith(QLatin1String("--"))) {
            targets.append(args.at(++*i));
        }
        if (targets.isEmpty()) {
            *error = tr("STR_CLI_OPTION_NEEDS_VALUE").arg(name);
            ok = false;
        }
    } else {
        *error = tr("STR_CLI_UNKNOWN_OPTION").arg(name);
        ok = false;
    }
    return ok;
}
