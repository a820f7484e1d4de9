#include "platform/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace padrix {
namespace {

TEST(Translations, LanguagesAreReadAsGettextReadsThem) {
    struct Row {
        const char* what;
        MessageEnvironment environment;
        QStringList languages;
    };
    const Row rows[] = {
        {"nothing set", {}, {}},
        {"LANG alone", {"", "", "", "de_DE.UTF-8"}, {"de_DE"}},
        {"LC_MESSAGES before LANG", {"", "", "C", "de_DE.UTF-8"}, {"en"}},
        {"LC_ALL before LC_MESSAGES", {"", "fr_FR@euro", "de_DE", "en_US"}, {"fr_FR"}},
        {"LANGUAGE first, as a list", {"de:fr", "", "", "en_US.UTF-8"}, {"de", "fr", "en_US"}},
        {"POSIX is English", {"", "POSIX", "", ""}, {"en"}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(messageLanguages(row.environment), row.languages) << row.what;
}

TEST(Translations, GermanIsLoadedOnlyWhereItIsWantedBeforeEnglish) {
    struct Row {
        QStringList languages;
        const char* menu;      // the program's own word
        const char* qtsCancel; // Qt's own word, where Qt's translations are installed
    };
    const Row rows[] = {
        {{}, "Options", "Cancel"},
        {{"en_US", "de"}, "Options", "Cancel"},
        {{"de_DE"}, "Optionen", "Abbrechen"},
        {{"de_AT"}, "Optionen", "Abbrechen"},
        {{"xx", "de"}, "Optionen", "Abbrechen"},
    };
    auto& application = *QCoreApplication::instance();
    for (const Row& row : rows) {
        const QString what = row.languages.join(QLatin1Char(':'));
        const QList<QTranslator*> installed = installTranslations(application, row.languages);
        EXPECT_EQ(installed.isEmpty(), QLatin1String(row.menu) == QLatin1String("Options"))
            << what.toStdString();
        EXPECT_EQ(QCoreApplication::translate("padrix::Menus", "Options"), row.menu)
            << what.toStdString();
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), row.qtsCancel)
            << what.toStdString();
        for (QTranslator* translator : installed) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
}

/// The %1, %2 ... of a text, sorted: a translation must keep every one of them.
QStringList placeholders(const QString& text) {
    QStringList found;
    for (const auto& match : QRegularExpression(QStringLiteral("%\\d")).globalMatch(text))
        found << match.captured();
    found.sort();
    return found;
}

// lupdate reads the sources as they are now into a copy of the German .ts: a text that the
// program shows without a translation, or whose translation is unfinished, left over or
// loses a placeholder, fails here by name.
TEST(Translations, EveryTextOfTheProgramHasAFinishedGermanTranslation) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString copy = dir.filePath(QStringLiteral("padrix_de.ts"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(PADRIX_SOURCE_DIR "/translations/padrix_de.ts"), copy));
    QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(PADRIX_LUPDATE),
                  {QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral(PADRIX_SOURCE_DIR "/src"), QStringLiteral("-ts"), copy});
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAll().toStdString();

    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    int messages = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString translation = xml.readElementText();
            const std::string where = (context + QStringLiteral(": ") + source).toStdString();
            ++messages;
            EXPECT_TRUE(type.isEmpty())
                << where << ": the German translation is " << type.toStdString()
                << (type == QLatin1String("vanished") ? " (no longer in the program)" : "");
            EXPECT_FALSE(translation.isEmpty()) << where << ": no German translation";
            EXPECT_EQ(placeholders(translation), placeholders(source)) << where;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(messages, 100) << "lupdate found the program's texts";
}

} // namespace
} // namespace padrix
