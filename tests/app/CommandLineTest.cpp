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
    EXPECT_EQ(r.err, "Error: type mismatch\n");

    r = run({"--eval", "10^30"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Error: overflow\n");
}

TEST(CommandLine, HelpVersionAndBadUsage) {
    Outcome r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains("--eval <formula>")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("-x <value>"));

    r = run({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.startsWith("padrix-calculator ")) << r.out.toStdString();

    r = run({"--bogus"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("bogus"));

    r = run({"--x", "2"});
    EXPECT_EQ(r.status, 2);

    r = run({});
    EXPECT_FALSE(r.status.has_value());
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

    EXPECT_EQ(run({"--total", path, "--decimals", "7"}).status, 2);
    EXPECT_EQ(run({"--total", path, "--mode", "median"}).status, 2);
    EXPECT_EQ(run({"--decimals", "2"}).status, 2);
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
    EXPECT_EQ(process.readAllStandardError(), "Error: type mismatch\n");

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
