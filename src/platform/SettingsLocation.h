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
    /// The folder of the tape journals: beside the program for a portable copy (its
    /// settings file is there), else `userStateFolder`.
    QString journalFolder(const QString& userStateFolder) const;
};

/// The user's folder for what the program keeps between runs that is no setting:
/// $XDG_STATE_HOME/padrix-calculator, by default ~/.local/state/padrix-calculator.
QString userStateFolder();

} // namespace padrix
