#include "mainwindow/WindowContext.h"

#include "platform/SystemLocale.h"

#include <QCoreApplication>
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

} // namespace padrix
