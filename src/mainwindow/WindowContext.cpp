#include "mainwindow/WindowContext.h"

#include "platform/SystemLocale.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace padrix {

WindowContext WindowContext::fromApplication() {
    WindowContext context;
    context.locale = detectNumberLocale(LocaleEnvironment::fromProcess());
    context.executablePath = QCoreApplication::applicationFilePath();
    context.userConfigFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    context.arguments = QCoreApplication::arguments().mid(1);
    return context;
}

QString fileArgument(const QStringList& arguments) {
    // A file manager passes "tape.clc" as readily as "tape.Clc".
    for (QString argument : arguments) {
        if (!argument.contains(QStringLiteral(".Clc"), Qt::CaseInsensitive))
            continue;
        argument.remove(QLatin1Char('"'));
        // Absolute now: browsing in the open/save dialog changes the current folder.
        return QFileInfo(argument.trimmed()).absoluteFilePath();
    }
    return {};
}

} // namespace padrix
