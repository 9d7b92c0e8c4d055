#include "QDriveSimOptions.h"

namespace {
const int kMaxMs = 600000;
const int kMaxCount = 1000000;
const int kMaxIdleS = 86400;
} // namespace

QString QDriveSimOptions::helpText()
{
    return QStringLiteral(
        "Usage: servo-drive-sim [options]\n"
        "Serves simulated servo drives on Modbus TCP (or RTU on a serial port).\n"
        "\n"
        "  --model NAME          serve a drive of this model (repeat for more drives; default SD330)\n"
        "  --unit N              unit id of axis X of the drive named before (Y and Z: N+1, N+2);\n"
        "                        default: 1, or the first unit after the drive before\n"
        "  --raise-fault CODE    raise this fault on the drive named before at start (repeat for more);\n"
        "                        a fault kept in history also gets a history record\n"
        "  --drives DIR          drive model descriptions (default: the shipped ones)\n"
        "  --port N              TCP port (default 1502; 0 takes a free port)\n"
        "  --bind ADDRESS        address to listen on (default 127.0.0.1)\n"
        "  --serial DEVICE       serve Modbus RTU on this serial port instead of TCP\n"
        "  --baud N              RTU baud rate (default 115200)\n"
        "  --parity none|even|odd  RTU parity (default even)\n"
        "  --reply-delay MS      every reply waits this long\n"
        "  --idle-timeout S      close a TCP connection that holds part of a frame this long\n"
        "                        (default 60)\n"
        "  --drop-every N        lose the reply of every n-th request\n"
        "  --late-every N        answer every n-th request late\n"
        "  --late-by MS          how late a late answer is (default 3000)\n"
        "  --refuse-writes TEXT  refuse every write, giving TEXT as the reason\n"
        "  --fail-code CODE      reads and writes of this code fail\n"
        "  --offline-after N     stop answering after n requests\n"
        "  --verbose             log one line per request\n"
        "  --log FILE            write the log to FILE as well\n"
        "  --watch-stdin         quit when standard input closes (for a parent process)\n"
        "  --list-models         list the models and quit\n"
        "  --help                this text\n");
}

bool QDriveSimOptions::takeValue(const QStringList& arguments, int* i, QString* value, QString* error) const
{
    if (*i + 1 >= arguments.size()) {
        *error = QStringLiteral("%1 needs a value").arg(arguments.at(*i));
        return false;
    }
    *value = arguments.at(++*i);
    return true;
}

bool QDriveSimOptions::takeNumber(const QStringList& arguments, int* i, int min, int max, int* value,
                                  QString* error) const
{
    QString text;
    if (!takeValue(arguments, i, &text, error)) {
        return false;
    }
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < min || number > max) {
        *error = QStringLiteral("%1 takes a number from %2 to %3, not \"%4\"")
                     .arg(arguments.at(*i - 1))
                     .arg(min)
                     .arg(max)
                     .arg(text);
        return false;
    }
    *value = number;
    return true;
}

bool QDriveSimOptions::parse(const QStringList& arguments, QString* error)
{
    for (int i = 1; i < arguments.size(); ++i) {
        if (!parseOption(arguments, &i, error)) {
            return false;
        }
    }
    if (drives.isEmpty()) {
        drives.append(Drive{QStringLiteral("SD330"), 0, {}});
    }
    return true;
}

bool QDriveSimOptions::parseOption(const QStringList& arguments, int* i, QString* error)
{
    const QString option = arguments.at(*i);
    QString text;
    if (option == QLatin1String("--model")) {
        if (!takeValue(arguments, i, &text, error)) {
            return false;
        }
        drives.append(Drive{text, 0, {}});
        return true;
    }
    if (option == QLatin1String("--unit")) {
        if (drives.isEmpty()) {
            drives.append(Drive{QStringLiteral("SD330"), 0, {}});
        }
        return takeNumber(arguments, i, 1, 247, &drives.last().unit, error);
    }
    if (option == QLatin1String("--raise-fault")) {
        if (drives.isEmpty()) {
            drives.append(Drive{QStringLiteral("SD330"), 0, {}});
        }
        if (!takeValue(arguments, i, &text, error)) {
            return false;
        }
        drives.last().faults.append(text);
        return true;
    }
    if (option == QLatin1String("--bind")) {
        if (!takeValue(arguments, i, &text, error)) {
            return false;
        }
        if (!bind.setAddress(text)) {
            *error = QStringLiteral("--bind takes an IP address, not \"%1\"").arg(text);
            return false;
        }
        return true;
    }
    if (option == QLatin1String("--parity")) {
        if (!takeValue(arguments, i, &parity, error)) {
            return false;
        }
        if (!QStringList{"none", "even", "odd"}.contains(parity)) {
            *error = QStringLiteral("--parity takes none, even or odd, not \"%1\"").arg(parity);
            return false;
        }
        return true;
    }
    const QList<QPair<QString, QString*>> texts = {{QStringLiteral("--drives"), &drivesDir},
                                                   {QStringLiteral("--serial"), &serialPort},
                                                   {QStringLiteral("--log"), &logFile},
                                                   {QStringLiteral("--fail-code"), &switches.failCode}};
    for (const auto& t : texts) {
        if (option == t.first) {
            return takeValue(arguments, i, t.second, error);
        }
    }
    const QList<QPair<QString, bool*>> flags = {{QStringLiteral("--verbose"), &verbose},
                                                {QStringLiteral("--watch-stdin"), &watchStdin},
                                                {QStringLiteral("--list-models"), &listModels},
                                                {QStringLiteral("--help"), &help},
                                                {QStringLiteral("-h"), &help}};
    for (const auto& f : flags) {
        if (option == f.first) {
            *f.second = true;
            return true;
        }
    }
    bool known = false;
    if (!parseSwitch(arguments, i, &known, error)) {
        return false;
    }
    if (!known) {
        *error = QStringLiteral("unknown option \"%1\"").arg(option);
    }
    return known;
}

bool QDriveSimOptions::parseSwitch(const QStringList& arguments, int* i, bool* known, QString* error)
{
    const QString option = arguments.at(*i);
    *known = true;
    if (option == QLatin1String("--refuse-writes")) {
        switches.refuseWrites = true;
        return takeValue(arguments, i, &switches.refuseReason, error);
    }
    struct Number
    {
        const char* name;
        int min;
        int max;
        int* value;
    };
    const Number numbers[] = {{"--port", 0, 65535, &port},
                              {"--baud", 300, 4000000, &baudRate},
                              {"--reply-delay", 0, kMaxMs, &replyDelayMs},
                              {"--idle-timeout", 1, kMaxIdleS, &idleTimeoutS},
                              {"--drop-every", 0, kMaxCount, &switches.dropEvery},
                              {"--late-every", 0, kMaxCount, &switches.lateEvery},
                              {"--late-by", 0, kMaxMs, &switches.lateByMs},
                              {"--offline-after", 0, kMaxCount, &switches.offlineAfter}};
    for (const Number& n : numbers) {
        if (option == QLatin1String(n.name)) {
            return takeNumber(arguments, i, n.min, n.max, n.value, error);
        }
    }
    *known = false;
    return true;
}
