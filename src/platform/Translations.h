#pragma once

#include <QList>
#include <QStringList>

#include <string>

class QCoreApplication;
class QTranslator;

namespace padrix {

/// The environment variables that choose the language of messages on Unix, as gettext reads
/// them: LANGUAGE (a list such as "de:fr") first, then the first set of LC_ALL, LC_MESSAGES
/// and LANG.
struct MessageEnvironment {
    std::string language;   // LANGUAGE
    std::string lcAll;      // LC_ALL
    std::string lcMessages; // LC_MESSAGES
    std::string lang;       // LANG

    /// The variables of this process.
    static MessageEnvironment fromProcess();
};

/// The languages the user reads, most wanted first, as bare codes ("de", "pt_BR"); "C" and
/// "POSIX" read as "en". Empty where nothing is set (on Windows: see installTranslations).
QStringList messageLanguages(const MessageEnvironment& environment);

/// Gives the application the program's translation for the first of the languages that has
/// one, with Qt's own translation of its dialogs and buttons where that is installed. English
/// is the program's own language: when it comes first nothing is loaded, so an English start
/// costs nothing. Returns the translators installed (children of the application), none when
/// the texts stay English.
QList<QTranslator*> installTranslations(QCoreApplication& application,
                                        const QStringList& languages);

/// installTranslations for this process's environment; where no variable is set, the system's
/// languages for its user interface.
QList<QTranslator*> installSystemTranslations(QCoreApplication& application);

} // namespace padrix
