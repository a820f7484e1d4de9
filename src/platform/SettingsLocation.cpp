#include "platform/SettingsLocation.h"

#include <QDir>
#include <QFileInfo>

namespace padrix {

namespace {

bool usableFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

} // namespace

SettingsLocation::SettingsLocation(const QString& executablePath, const QString& userConfigFolder) {
    const QFileInfo program(executablePath);
    const QString name = program.completeBaseName() + QStringLiteral(".cfg");
    besideProgram = QDir(program.absolutePath()).filePath(name);
    inUserFolder = QDir(userConfigFolder).filePath(name);
}

QString SettingsLocation::fileToRead() const {
    if (usableFile(besideProgram))
        return besideProgram;
    if (usableFile(inUserFolder))
        return inUserFolder;
    return {};
}

QString SettingsLocation::fileToWrite() const {
    const QFileInfo folder(QFileInfo(besideProgram).absolutePath());
    if (usableFile(besideProgram) && folder.isWritable())
        return besideProgram;
    QDir().mkpath(QFileInfo(inUserFolder).absolutePath());
    return inUserFolder;
}

QString SettingsLocation::journalFolder(const QString& userStateFolder) const {
    if (usableFile(besideProgram))
        return QFileInfo(besideProgram).absolutePath() +
               QStringLiteral("/padrix-calculator-journal");
    return userStateFolder;
}

QString userStateFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/padrix-calculator");
}

} // namespace padrix
