#include "platform/SystemLocale.h"

#include <QLocale>
#include <QString>

#include <cstdlib>

namespace padrix {

namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

} // namespace

LocaleEnvironment LocaleEnvironment::fromProcess() {
    return {variable("LC_ALL"), variable("LC_NUMERIC"), variable("LANG")};
}

NumberLocale numberLocaleFor(const QLocale& locale) {
    return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

NumberLocale detectNumberLocale(const LocaleEnvironment& environment) {
    for (const std::string* name :
         {&environment.lcAll, &environment.lcNumeric, &environment.lang}) {
        if (name->empty())
            continue;
        // "de_DE.UTF-8@euro" names the locale de_DE; "C" and "POSIX" are the plain C locale.
        const QString code = QString::fromStdString(*name)
                                 .section(QLatin1Char('.'), 0, 0)
                                 .section(QLatin1Char('@'), 0, 0);
        if (code == QLatin1String("C") || code == QLatin1String("POSIX") || code.isEmpty())
            return numberLocaleFor(QLocale::c());
        return numberLocaleFor(QLocale(code));
    }
    return numberLocaleFor(QLocale::system());
}

} // namespace padrix
