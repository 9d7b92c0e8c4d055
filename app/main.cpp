#include "QKeyTranslator.h"
#include "QWorkbenchOptions.h"
#include "QWorkbenchStartup.h"

#include <QApplication>
#include <QTextStream>

namespace {
const int kExitBadArguments = 2;
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("servo-workbench"));
    QApplication::setApplicationVersion(QStringLiteral(SERVO_VERSION));
    // The option texts are keys too; English until the user's language is known from the data folder.
    QKeyTranslator::installForApplication(QStringLiteral("en"));

    QWorkbenchOptions options;
    QString error;
    if (!options.parse(QApplication::arguments(), &error)) {
        QTextStream(stderr) << error << '\n' << options.helpText;
        return kExitBadArguments;
    }
    if (options.helpRequested) {
        QTextStream(stdout) << options.helpText;
        return 0;
    }
    QWorkbenchStartup startup(options);
    return startup.run();
}
