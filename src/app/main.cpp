#include "app/CommandLine.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("padrix-calculator"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PADRIX_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (const auto status = padrix::runCommandLine(QCoreApplication::arguments(), out, err))
        return *status;
    // The window comes later; until then the program explains its command line.
    return padrix::runCommandLine(
               {QCoreApplication::arguments().value(0), QStringLiteral("--help")}, out, err)
        .value_or(0);
}
