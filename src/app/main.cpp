#include "app/CommandLine.h"
#include "platform/SystemLocale.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("padrix-calculator"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PADRIX_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    QFile standardInput;
    standardInput.open(stdin, QIODevice::ReadOnly);
    const padrix::CommandLineContext context{
        padrix::detectNumberLocale(padrix::LocaleEnvironment::fromProcess()), &standardInput};
    const QStringList arguments = QCoreApplication::arguments();
    if (const auto status = padrix::runCommandLine(arguments, out, err, context))
        return *status;
    // The window comes later; until then the program explains its command line.
    return padrix::runCommandLine({arguments.value(0), QStringLiteral("--help")}, out, err)
        .value_or(0);
}
