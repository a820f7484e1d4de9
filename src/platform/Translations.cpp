#include "platform/Translations.h"

#include "platform/Environment.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace padrix {

namespace {

/// "de_DE.UTF-8@euro" is "de_DE"; "C" and "POSIX" are English.
QString languageCode(const QString& name) {
    const QString code = name.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    if (code == QLatin1String("C") || code == QLatin1String("POSIX"))
        return QStringLiteral("en");
    return code;
}

bool isEnglish(const QString& code) {
    return code == QLatin1String("en") || code.startsWith(QLatin1String("en_"));
}

/// The program's translation for a language, embedded in the program: "de_AT" falls back to
/// "de".
QString programTranslation(const QString& code) {
    for (const QString& candidate : {code, code.section(QLatin1Char('_'), 0, 0)}) {
        const QString path = QStringLiteral(":/i18n/padrix_%1.qm").arg(candidate);
        if (QFile::exists(path))
            return path;
    }
    return {};
}

} // namespace

MessageEnvironment MessageEnvironment::fromProcess() {
    return {environmentVariable("LANGUAGE"), environmentVariable("LC_ALL"),
            environmentVariable("LC_MESSAGES"), environmentVariable("LANG")};
}

QStringList messageLanguages(const MessageEnvironment& environment) {
    QStringList languages;
    for (const QString& entry :
         QString::fromStdString(environment.language).split(QLatin1Char(':'), Qt::SkipEmptyParts))
        languages << languageCode(entry);
    for (const std::string* name :
         {&environment.lcAll, &environment.lcMessages, &environment.lang}) {
        if (!name->empty()) {
            languages << languageCode(QString::fromStdString(*name));
            break;
        }
    }
    languages.removeAll(QString());
    return languages;
}

QList<QTranslator*> installTranslations(QCoreApplication& application,
                                        const QStringList& languages) {
    QList<QTranslator*> installed;
    for (const QString& code : languages) {
        if (isEnglish(code))
            break; // the texts are English already
        const QString path = programTranslation(code);
        if (path.isEmpty())
            continue; // a language the program has no words for: the next one wanted
        auto* program = new QTranslator(&application);
        if (!program->load(path)) {
            delete program;
            continue;
        }
        // Qt's own words (the print dialog, the buttons of a message box), where installed.
        auto* qt = new QTranslator(&application);
        if (qt->load(QLocale(code), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt);
            installed << qt;
        } else {
            delete qt;
        }
        QCoreApplication::installTranslator(program);
        installed << program;
        break;
    }
    return installed;
}

QList<QTranslator*> installSystemTranslations(QCoreApplication& application) {
    QStringList languages = messageLanguages(MessageEnvironment::fromProcess());
    if (languages.isEmpty()) // no variable set, as on Windows: the system's own choice
        languages = QLocale::system().uiLanguages();
    for (QString& code : languages)
        code.replace(QLatin1Char('-'), QLatin1Char('_'));
    return installTranslations(application, languages);
}

} // namespace padrix
