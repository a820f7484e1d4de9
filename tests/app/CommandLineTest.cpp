#include "app/CommandLine.h"
#include "core/SettingsFile.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

namespace padrix {
namespace {

struct Outcome {
    std::optional<int> status;
    QString out;
    QString err;
};

Outcome run(QStringList arguments, const QByteArray& input = {}) {
    arguments.prepend(QStringLiteral("padrix-calculator"));
    Outcome r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    QByteArray inputBytes = input;
    QBuffer standardInput(&inputBytes);
    standardInput.open(QIODevice::ReadOnly);
    r.status = runCommandLine(arguments, out, err, {NumberLocale::english(), &standardInput});
    out.flush();
    err.flush();
    return r;
}

TEST(CommandLine, EvalPrintsTheFormulasValue) {
    Outcome r = run({"--eval", "(4*3.14159265358979*X^3)/3", "--x", "2"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "33.510321638291093333333333333\n");
    EXPECT_EQ(r.err, "");

    r = run({"--eval", "X^2", "--x", "-3"});
    EXPECT_EQ(r.out, "9\n");
    r = run({"--eval", "T-X^2", "--x", "-3", "--t", "10"});
    EXPECT_EQ(r.out, "1\n");
    r = run({"--eval", "X*2", "--x", "1E+3"});
    EXPECT_EQ(r.out, "2000\n");
    r = run({"--eval=1,5 * 2"});
    EXPECT_EQ(r.out, "3\n");
}

TEST(CommandLine, EvalReportsErrorsAndFailures) {
    Outcome r = run({"--eval", "5-"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Error - Sign\n");

    r = run({"--eval", "X+1"}); // X never given
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Error - Token\n");

    r = run({"--eval", "()"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "padrix-calculator: the formula fails: type mismatch\n");

    r = run({"--eval", "10^30"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "padrix-calculator: the formula fails: overflow\n");
}

TEST(CommandLine, HelpVersionAndBadUsage) {
    Outcome r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* expected : {"--eval <formula>", "-x, --x <value>", "-t, --t <value>",
                                 "--total <file>", "--decimals <places>", "--mode <mode>",
                                 "--settings <file>", "-v, --version", "Exit status", "Examples:"})
        EXPECT_TRUE(r.out.contains(expected)) << expected;

    r = run({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Padrix Calculator " PADRIX_VERSION "\n");

    EXPECT_FALSE(run({}).status.has_value());
    EXPECT_FALSE(run({"tape.Clc"}).status.has_value());

    // Every refusal is one line naming the program and what to fix, with status 2.
    struct Refusal {
        QStringList arguments;
        const char* message;
    };
    const Refusal refusals[] = {
        {{"--bogus"}, "unknown option '--bogus'; see --help"},
        {{"--eval"}, "--eval needs a formula"},
        {{"--eval", "1", "--total", "x.Clc"}, "--eval and --total exclude each other"},
        {{"--eval", "1+1", "--eval", "2+2"}, "--eval is given twice"},
        {{"--eval", "1", "x.Clc"}, "--eval takes no file name ('x.Clc')"},
        {{"--total", "a.Clc", "b.Clc"}, "--total takes one file ('b.Clc' is one too many)"},
        {{"--x", "2"}, "--x goes with --eval"},
        {{"--decimals", "2"}, "--decimals goes with --total"},
        {{"--mode=mean"}, "--mode goes with --total"},
        {{"--help=yes"}, "--help takes no value"},
        {{"--total", ""}, "--total needs a file name (- reads standard input)"},
        {{"--total", "-", "--decimals", "7"}, "--decimals takes 0 to 6 or variable, not '7'"},
        {{"--total", "-", "--mode", "middle"},
         "--mode takes numbers, average, mean (or median) or mode, not 'middle'"},
    };
    for (const Refusal& refusal : refusals) {
        r = run(refusal.arguments);
        EXPECT_EQ(r.status, 2) << refusal.message;
        EXPECT_EQ(r.err, QStringLiteral("padrix-calculator: ") + refusal.message + "\n");
        EXPECT_EQ(r.out, "");
    }
    // Short and long names, and values attached with "=".
    EXPECT_EQ(run({"--eval", "X*T", "-x", "3", "--t=4"}).out, "12\n");
    EXPECT_EQ(run({"--eval=X-T", "--x", "3", "-t", "4"}).out, "-1\n");
}

TEST(CommandLine, TotalOfACalculationFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("shop.Clc");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Padrix Calculator 6\r\n+100\r\nx2\r\n-10%\r\n");
    }
    Outcome r = run({"--total", path, "--decimals", "2"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "180.00\n");
    EXPECT_EQ(run({"--total", path}).out, "180\n");
    EXPECT_EQ(run({"--total", path, "--decimals", "variable", "--mode", "average"}).out,
              "Average : 51\n");
    EXPECT_EQ(run({"--total", path, "--mode", "mean"}).out, "Mean : 51\n");
    EXPECT_EQ(run({"--total", path, "--mode", "mode"}).out, "Mode : 2\n");

    r = run({"--total", dir.filePath("missing.Clc")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.contains("missing.Clc")) << r.err.toStdString();

    r = run({"--total", "-"}, "Padrix Calculator 6\n+7\n+seven\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("line 3")) << r.err.toStdString();

    // The function buttons of a settings file.
    Settings custom;
    custom.buttons[18] = {"Vat", "X*1.19", ""};
    const QString settingsPath = dir.filePath("padrix-calculator.cfg");
    ASSERT_TRUE(saveSettingsFile(settingsPath, custom));
    const QByteArray vatTape = "Padrix Calculator 6\n+Vat(100)\n";
    EXPECT_EQ(run({"--total", "-", "--settings", settingsPath}, vatTape).out, "119\n");
    EXPECT_EQ(run({"--total", "-"}, vatTape).out, "Error\n");
    r = run({"--total", "-", "--settings", dir.filePath("none.cfg")}, vatTape);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("none.cfg"));

    EXPECT_EQ(run({"--total", path, "--mode", "median"}).out, "Mean : 51\n");
}

TEST(CommandLine, TotalWarnsAboutWhatItCannotRead) {
    // Lines whose operator is none of the five count for nothing, and are named, at most ten.
    QByteArray tape = "Padrix Calculator 6\n+1\n*2\n +3\n\n Int\n";
    for (int i = 0; i < 12; ++i)
        tape += "?4\n";
    Outcome r = run({"--total", "-"}, tape);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1\n");
    const QStringList warnings = r.err.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(warnings.size(), 10) << r.err.toStdString();
    EXPECT_EQ(warnings[0], "padrix-calculator: standard input: line 3: the operator '*' is none "
                           "of + - x / ^, so the line counts for nothing");
    EXPECT_TRUE(
        warnings[1].startsWith("padrix-calculator: standard input: line 4: the operator ' '"));
    EXPECT_TRUE(warnings[2].contains("line 7:")) << "empty and Int lines are not named";

    // A UTF-16 file is named as such, not shown as garbage.
    QTemporaryDir dir;
    const QString path = dir.filePath("wide.Clc");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        const QString text = "Padrix Calculator 6\r\n+1\r\n";
        f.write("\xFF\xFE");
        f.write(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }
    r = run({"--total", path});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "padrix-calculator: " + path +
                         ": it is not a text file (a calculation file is plain text)\n");
    r = run({"--total", "-"}, QByteArray("P\0a\0d\0r\0i\0x\0\n\0", 14));
    EXPECT_TRUE(r.err.contains("not a text file")) << r.err.toStdString();
}

TEST(CommandLine, TotalStatusTellsNumbersFromErrorWords) {
    QTemporaryDir dir;
    Settings custom;
    custom.buttons[18] = {"Half", "X/0", ""}; // the evaluator answers "Error - Division"
    const QString settingsPath = dir.filePath("padrix-calculator.cfg");
    ASSERT_TRUE(saveSettingsFile(settingsPath, custom));

    struct Row {
        const char* name;
        const char* lines; // after the header line
        QStringList options;
        const char* out;
        int status;
    };
    const Row rows[] = {
        {"number", "+100\nx2\n-10%\n", {}, "180", 0},
        {"negative with places", "-0.5\n", {"--decimals", "2"}, "-.50", 0},
        {"beyond the decimal range", "+10\n^40\n", {}, "1E+40", 0},
        {"statistic", "+4\n+0\n+6\n", {"--mode", "mean"}, "Mean : 5", 0},
        {"most frequent of nothing", "+-1\n", {"--mode", "mode"}, "Mode : ", 0},
        {"division by zero", "+7\n/0\n", {}, "Error", 1},
        {"failure before a good line", "+5\n/0\n+1\n", {}, "Error", 1},
        {"overflow", "+79228162514264337593543950335\n+1\n", {}, "Overflow", 1},
        {"overflow with places",
         "+79228162514264337593543950335\n+1\n",
         {"--decimals", "2"},
         "Overflow",
         1},
        {"function", "+1\n+Asin(2)\n", {}, "Asin Error", 1},
        {"formula button", "+Svol(1.2.3)\n", {}, "Svol Error", 1},
        {"evaluator error text", "+Half(4)\n", {"--settings", settingsPath}, "Half Error", 1},
        {"statistic that cannot be formed", "+0\n", {"--mode", "average"}, "", 1},
    };
    for (const Row& row : rows) {
        const Outcome r = run(QStringList{"--total", "-"} + row.options,
                              QByteArray("Padrix Calculator 6\n") + row.lines);
        EXPECT_EQ(r.out, QString(row.out) + "\n") << row.name;
        EXPECT_EQ(r.status, row.status) << row.name;
        EXPECT_EQ(r.err, "") << row.name;
    }
}

TEST(CommandLine, ProgramEvaluatesFromTheShell) {
    QProcess process;
    process.start(QStringLiteral(PADRIX_EXECUTABLE),
                  {"--eval", "(4*3.14159265358979*X^3)/3", "--x", "2"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput(), "33.510321638291093333333333333\n");

    process.start(QStringLiteral(PADRIX_EXECUTABLE), {"--eval", "()"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(process.readAllStandardError(),
              "padrix-calculator: the formula fails: type mismatch\n");

    // No warning of Qt's comes before the program's own message.
    process.start(QStringLiteral(PADRIX_EXECUTABLE), {"--total", ""});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_EQ(process.readAllStandardError(),
              "padrix-calculator: --total needs a file name (- reads standard input)\n");

    // An error word as the grand total is printed and fails the program.
    process.start(QStringLiteral(PADRIX_EXECUTABLE), {"--total", "-"});
    ASSERT_TRUE(process.waitForStarted(30000));
    process.write("Padrix Calculator 6\n+1\n+Asin(2)\n");
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(process.readAllStandardOutput(), "Asin Error\n");
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
