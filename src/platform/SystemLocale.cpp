#include "platform/SystemLocale.h"

#include "platform/Environment.h"

#include <QLocale>
#include <QString>

namespace padrix {

LocaleEnvironment LocaleEnvironment::fromProcess() {
    return {environmentVariable("LC_ALL"), environmentVariable("LC_NUMERIC"),
            environmentVariable("LANG")};
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
