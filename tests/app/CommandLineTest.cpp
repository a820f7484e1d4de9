#include "app/CommandLine.h"
#include "core/SettingsFile.h"
#include "platform/SystemLocale.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

namespace padrix {
namespace {

/// One run of the command line: the arguments after the program's name, what standard input
/// holds, and what the run gives (no status where the window would open instead).
struct Outcome {
    QStringList arguments;
    std::optional<int> status;
    QString out;
    QByteArray input = {};
    QString err = {};
};

Outcome run(const QStringList& arguments, const QByteArray& input = {},
            const NumberLocale& locale = NumberLocale::english()) {
    Outcome r{arguments, {}, {}, input};
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    QByteArray inputBytes = input;
    QBuffer standardInput(&inputBytes);
    standardInput.open(QIODevice::ReadOnly);
    r.status = runCommandLine(QStringList{"padrix-calculator"} + arguments, out, err,
                              {locale, &standardInput});
    out.flush();
    err.flush();
    return r;
}

/// Runs each row and compares the status and both outputs whole.
void expectRuns(const std::vector<Outcome>& rows) {
    for (const Outcome& expected : rows) {
        const Outcome r = run(expected.arguments, expected.input);
        const std::string row =
            expected.arguments.join(' ').toStdString() + " < " + expected.input.toStdString();
        EXPECT_EQ(r.status, expected.status) << row;
        EXPECT_EQ(r.out.toStdString(), expected.out.toStdString()) << row;
        EXPECT_EQ(r.err.toStdString(), expected.err.toStdString()) << row;
    }
}

/// A calculation file of these lines after the header, as standard input brings it.
QByteArray calc(const char* lines) {
    return QByteArray("Padrix Calculator 6\n") + lines;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(CommandLine, EvalPrintsTheValueOrTheErrorText) {
    expectRuns({
        {{"--eval", "(4*3.14159265358979*X^3)/3", "--x", "2"},
         0,
         "33.510321638291093333333333333\n"},
        {{"--eval", "X*2", "--x", "1E+3"}, 0, "2000\n"},
        // As in a formula, "," is a point too; a grouped value is no number there.
        {{"--eval", "X*2", "--x", "1,5"}, 0, "3\n"},
        {{"--eval", "X*2", "--x", "1,234.5"},
         1,
         "",
         {},
         "padrix-calculator: the formula fails: type mismatch\n"},
        // Short and long names, and values attached with "=".
        {{"--eval", "X*T", "-x", "3", "--t=4"}, 0, "12\n"},
        {{"--eval=X-T", "--x", "3", "-t", "4"}, 0, "-1\n"},
        {{"--eval", "5-"}, 1, "Error - Sign\n"},
        {{"--eval", "X+1"}, 1, "Error - Token\n"},               // X never given
        {{"--eval", "x*2+t", "--x", "3", "--t", "1"}, 0, "7\n"}, // stored in upper case
        {{"--eval", "1", "--"}, 0, "1\n"},                       // "--" and nothing after it
        {{"--eval", "()"}, 1, "", {}, "padrix-calculator: the formula fails: type mismatch\n"},
        {{"--eval", "10^30"}, 1, "", {}, "padrix-calculator: the formula fails: overflow\n"},
    });
}

TEST(CommandLine, HelpVersionAndBadUsage) {
    Outcome r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* expected :
         {"--eval <formula>", "-x, --x <value>", "-t, --t <value>", "--total <file>",
          "--decimals <places>", "--mode <mode>", "--settings <file>", "-v, --version",
          "\"--\" ends the options", "Exit status", "a statistic cannot be formed",
          "the formula fails", "the output cannot be written", "no display", "Examples:"})
        EXPECT_TRUE(r.out.simplified().contains(expected)) << expected;
    for (const QString& line : r.out.split('\n'))
        EXPECT_LE(line.size(), 80) << line.toStdString();
    expectRuns({{{"--version"}, 0, "Padrix Calculator " PADRIX_VERSION "\n"}});
    EXPECT_FALSE(run({}).status.has_value());
    EXPECT_FALSE(run({"tape.Clc"}).status.has_value());

    // Every refusal is one line naming the program and what to fix, with status 2.
    const auto refused = [](const QStringList& arguments, const char* message) {
        return Outcome{arguments, 2, "", {}, QString("padrix-calculator: ") + message + "\n"};
    };
    expectRuns({
        refused({"--bogus"}, "unknown option '--bogus'; see --help"),
        refused({"--eval"}, "--eval needs a formula"),
        refused({"--eval", "1", "--total", "x.Clc"}, "--eval and --total exclude each other"),
        refused({"--eval", "1+1", "--eval", "2+2"}, "--eval is given twice"),
        refused({"--eval", "1", "x.Clc"}, "--eval takes no file name ('x.Clc')"),
        refused({"--eval", "1", "--", "x.Clc"}, "--eval takes no file name ('x.Clc')"),
        refused({"--total", "--"}, "--total needs a file"),
        refused({"a.Clc", "b.Clc"}, "the window opens one file ('b.Clc' is one too many)"),
        refused({"--total", "a.Clc", "b.Clc"}, "--total takes one file ('b.Clc' is one too many)"),
        refused({"--x", "2"}, "--x goes with --eval"),
        refused({"--decimals", "2"}, "--decimals goes with --total"),
        refused({"--mode=mean"}, "--mode goes with --total"),
        refused({"--help=yes"}, "--help takes no value"),
        refused({"--total", ""}, "--total needs a file name (- reads standard input)"),
        refused({"--total", "-", "--decimals", "7"},
                "--decimals takes 0 to 6 or variable, not '7'"),
        refused({"--total", "-", "--mode", "middle"},
                "--mode takes numbers, average, mean (or median) or mode, not 'middle'"),
    });
}

TEST(CommandLine, TotalPrintsTheGrandTotalAndItsStatusTellsNumbersFromErrorWords) {
    QTemporaryDir dir;
    const QString shop = dir.filePath("shop.Clc");
    writeFile(shop, "Padrix Calculator 6\r\n+100\r\nx2\r\n-10%\r\n");
    Settings custom;
    custom.buttons[18] = {"Vat", "X*1.19", ""};
    custom.buttons[19] = {"Half", "X/0", ""}; // the evaluator answers "Error - Division"
    const QString settings = dir.filePath("padrix-calculator.cfg");
    ASSERT_TRUE(saveSettingsFile(settings, custom));
    const QStringList input = {"--total", "-"};
    expectRuns({
        {{"--total", shop, "--decimals", "2"}, 0, "180.00\n"},
        {{"--total", shop, "--decimals", "variable", "--mode", "median"}, 0, "Mean : 51\n"},
        {input + QStringList{"--decimals", "2"}, 0, "-.50\n", calc("-0.5\n")},
        {input, 0, "1E+40\n", calc("+10\n^40\n")}, // beyond the decimal range
        {input + QStringList{"--mode", "mean"}, 0, "Mean : 5\n", calc("+4\n+0\n+6\n")},
        {input + QStringList{"--mode", "mode"}, 0, "Mode : 4\n", calc("+4\n+-1\n")},
        {input + QStringList{"--settings", settings}, 0, "119\n", calc("+Vat(100)\n")},
        // Error words.
        {input, 1, "Error\n", calc("+Vat(100)\n")}, // no such button without the settings
        {input, 1, "Error\n", calc("+7\n/0\n")},
        {input, 1, "Error\n", calc("+5\n/0\n+1\n")},
        {input, 1, "Overflow\n", calc("+79228162514264337593543950335\n+1\n")},
        {input, 1, "Asin Error\n", calc("+1\n+Asin(2)\n")},
        {input, 1, "Svol Error\n", calc("+Svol(1.2.3)\n")},
        {input + QStringList{"--settings", settings}, 1, "Half Error\n", calc("+Half(4)\n")},
        // No statistic: an empty line, in every mode.
        {input + QStringList{"--mode", "average"}, 1, "\n", calc("+0\n")},
        {input + QStringList{"--mode", "mean"}, 1, "\n", calc("+-1\n")},
        {input + QStringList{"--mode", "mode"}, 1, "\n", calc("+-1\n")},
        // Settings without any button: said once, and the call is an error word.
        {input + QStringList{"--settings", "/dev/null"}, 1, "Error\n", calc("+Svol(2)\n+Svol(3)\n"),
         "padrix-calculator: the settings file '/dev/null' holds no function buttons; a line "
         "that calls one gives an error word\n"},
    });
}

// A file gives the same total in every locale; the total is shown as the locale shows it.
TEST(CommandLine, TotalReadsAFileTheSameInEveryLocale) {
    const QByteArray files[] = {calc("+1.5\n+2.25\n"), calc("+1,5\n+2,25\n"),
                                calc("+1234567.891\n"), calc("+1.234,5\nx10%\n")};
    const struct {
        const char* locale;
        const char* totals[4]; // with --decimals 2
    } rows[] = {
        {"en_US.UTF-8", {"3.75", "3.75", "1,234,567.89", "123.45"}},
        {"de_DE.UTF-8", {"3,75", "3,75", "1.234.567,89", "123,45"}},
        {"C", {"3.75", "3.75", "1,234,567.89", "123.45"}},
        {"fr_CH.UTF-8", {"3,75", "3,75", "1\u202F234\u202F567,89", "123,45"}},
    };
    for (const auto& r : rows) {
        const NumberLocale locale = detectNumberLocale({r.locale, "", ""});
        for (int f = 0; f < 4; ++f) {
            const Outcome o = run({"--total", "-", "--decimals", "2"}, files[f], locale);
            EXPECT_EQ(o.status, 0) << r.locale << ": " << files[f].toStdString();
            EXPECT_EQ(o.out, QString(r.totals[f]) + "\n")
                << r.locale << ": " << files[f].toStdString();
            EXPECT_EQ(o.err, "");
        }
    }
    // The program takes its locale from the environment.
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "de_DE.UTF-8");
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PADRIX_EXECUTABLE), {"--total", "-"});
    ASSERT_TRUE(process.waitForStarted(30000));
    process.write(files[0]);
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.readAllStandardOutput(), "3,75\n");
}

TEST(CommandLine, TotalNamesWhatItCannotRead) {
    QTemporaryDir dir;
    // A UTF-16 file is named as such, not shown as garbage.
    const QString wide = dir.filePath("wide.Clc");
    const QString text = "Padrix Calculator 6\r\n+1\r\n";
    writeFile(wide, "\xFF\xFE" +
                        QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
    const struct {
        QStringList arguments;
        QByteArray input;
        QString named;
    } unreadable[] = {
        {{"--total", dir.filePath("missing.Clc")}, {}, "missing.Clc"},
        {{"--total", "-"}, calc("+7\n+seven\n"), "line 3"},
        {{"--total", "-", "--settings", dir.filePath("none.cfg")}, calc("+1\n"), "none.cfg"},
        {{"--total", wide},
         {},
         wide + ": it is not a text file (a calculation file is plain text)"},
        {{"--total", "-"}, "+1\n+2\n", "the header line \"Padrix Calculator 6\" is missing"},
        {{"--total", "-"}, calc(""), "standard input: it holds no line after its header"},
        {{"--total", "-", "--mode", "mode"}, calc(""), "no line after its header"},
    };
    for (const auto& u : unreadable) {
        const Outcome r = run(u.arguments, u.input);
        EXPECT_EQ(r.status, 1) << u.named.toStdString();
        EXPECT_EQ(r.out, "") << u.named.toStdString();
        EXPECT_TRUE(r.err.contains(u.named)) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }

    // Lines whose operator is none of the five count for nothing, and are named, at most ten.
    QByteArray tape = calc("+1\n*2\n +3\n\n Int\n");
    for (int i = 0; i < 12; ++i)
        tape += "?4\n";
    const Outcome r = run({"--total", "-"}, tape);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1\n");
    const QStringList warnings = r.err.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(warnings.size(), 10) << r.err.toStdString();
    EXPECT_EQ(warnings[0], "padrix-calculator: standard input: line 3: the operator '*' is none "
                           "of + - x / ^, so the line counts for nothing");
    EXPECT_TRUE(
        warnings[1].startsWith("padrix-calculator: standard input: line 4: the operator ' '"));
    EXPECT_TRUE(warnings[2].contains("line 7:")) << "empty and Int lines are not named";
}

// What the program itself decides before any option is read: "--" before a file whose name
// starts with "-", two files for the window, and a window without a display, each said in one
// line before Qt could say anything.
TEST(CommandLine, TheProgramRoutesItsArgumentsWithoutTraps) {
    QTemporaryDir dir;
    writeFile(dir.filePath("-odd.Clc"), calc("+5\n"));
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        noDisplay.remove(name);
    const struct {
        QStringList arguments;
        int status;
        QByteArray out;
        QByteArray err;
    } rows[] = {
        {{"--total", "--", "-odd.Clc"}, 0, "5\n", ""},
        {{"a.Clc", "b.Clc"},
         2,
         "",
         "padrix-calculator: the window opens one file ('b.Clc' is one too many)\n"},
        {{"-odd.Clc"}, 2, "", "padrix-calculator: unknown option '-odd.Clc'; see --help\n"},
        {{"--", "-odd.Clc"},
         1,
         "",
         "padrix-calculator: cannot open the window: no display; --total and --eval work "
         "without one\n"},
        {{"tape.Clc"},
         1,
         "",
         "padrix-calculator: cannot open the window: no display; --total and --eval work "
         "without one\n"},
    };
    for (const auto& r : rows) {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.setProcessEnvironment(noDisplay);
        process.start(QStringLiteral(PADRIX_EXECUTABLE), r.arguments);
        ASSERT_TRUE(process.waitForFinished(30000)) << r.arguments.join(' ').toStdString();
        const std::string row = r.arguments.join(' ').toStdString();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << row;
        EXPECT_EQ(process.exitCode(), r.status) << row;
        EXPECT_EQ(process.readAllStandardOutput(), r.out) << row;
        EXPECT_EQ(process.readAllStandardError(), r.err) << row;
    }
}

// The messages follow the user's language (German is the one the program brings); the
// results on standard output do not, so that a script reads them in every language.
TEST(CommandLine, MessagesInTheUsersLanguageResultsAsTheyAre) {
    const struct {
        const char* language; // LANGUAGE
        const char* lang;     // LANG
        QStringList arguments;
        QByteArray out;
        QByteArray err;
    } rows[] = {
        {"de", "", {"--x", "1"}, "", "padrix-calculator: --x gehört zu --eval\n"},
        {"", "de_DE.UTF-8", {"--x", "1"}, "", "padrix-calculator: --x gehört zu --eval\n"},
        {"fr:de", "", {"--x", "1"}, "", "padrix-calculator: --x gehört zu --eval\n"},
        {"en:de", "de_DE.UTF-8", {"--x", "1"}, "", "padrix-calculator: --x goes with --eval\n"},
        {"de", "", {"--eval", "1/0"}, "Error - Division\n", ""},
        {"de", "", {"--eval", "2*X", "--x", "3"}, "6\n", ""},
    };
    for (const auto& r : rows) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
            env.remove(name);
        if (*r.language != '\0')
            env.insert("LANGUAGE", r.language);
        if (*r.lang != '\0')
            env.insert("LANG", r.lang);
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(PADRIX_EXECUTABLE), r.arguments);
        const std::string row =
            std::string(r.language) + " " + r.lang + " " + r.arguments.join(' ').toStdString();
        ASSERT_TRUE(process.waitForFinished(30000)) << row;
        EXPECT_EQ(process.readAllStandardOutput(), r.out) << row;
        EXPECT_EQ(process.readAllStandardError(), r.err) << row;
    }
}

// Output that does not arrive is no success: a full disk or a closed standard output fails
// the program with one line on standard error, whatever it was asked.
TEST(CommandLine, AFailedWriteOfTheOutputFailsTheProgram) {
    QTemporaryDir dir;
    const QString file = dir.filePath("ok.Clc");
    writeFile(file, calc("+1\n+2\n"));
    const QStringList requests[] = {
        {"--total", file}, {"--eval", "1+1"}, {"--help"}, {"--version"}};
    for (const QStringList& arguments : requests) {
        for (const QString& redirect : {QStringLiteral(">/dev/full"), QStringLiteral(">&-")}) {
            QProcess process;
            process.start("/bin/sh",
                          QStringList{"-c", "exec \"$0\" \"$@\" " + redirect, PADRIX_EXECUTABLE} +
                              arguments);
            ASSERT_TRUE(process.waitForFinished(30000));
            const QString row = arguments.join(' ') + " " + redirect;
            EXPECT_EQ(process.exitCode(), 1) << row.toStdString();
            const QByteArray err = process.readAllStandardError();
            EXPECT_TRUE(err.startsWith("padrix-calculator: cannot write to standard output: "))
                << row.toStdString() << ": " << err.toStdString();
            EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
        }
    }
}

TEST(Gallery, DrawsEveryControlLookIntoAPicture) {
    QTemporaryDir dir;
    const QString png = dir.filePath("gallery.png");
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PADRIX_GALLERY), {png});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(770, 340));
}

} // namespace
} // namespace padrix
