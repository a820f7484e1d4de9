#pragma once

#include <QString>

namespace padrix {

/// Where the settings file may live: beside the program, named after it with ".cfg" (a
/// portable copy, kept where someone put it), or under the same name in the user's
/// configuration folder (everyone else: an installed program, or one run from its build
/// folder, which a clean build empties).
struct SettingsLocation {
    QString besideProgram;
    QString inUserFolder;

    SettingsLocation(const QString& executablePath, const QString& userConfigFolder);

    /// The file to read at start-up: the one beside the program when it exists and is not
    /// hidden, else the user's; empty when neither exists.
    QString fileToRead() const;
    /// The file to write at shutdown: the one beside the program when it exists and can be
    /// written, else the user's (its folder is created).
    QString fileToWrite() const;
};

} // namespace padrix
