#include "app/CommandLine.h"

#include <QProcess>
#include <QTextStream>

#include <gtest/gtest.h>

namespace padrix {
namespace {

struct Outcome {
    std::optional<int> status;
    QString out;
    QString err;
};

Outcome run(QStringList arguments) {
    arguments.prepend(QStringLiteral("padrix-calculator"));
    Outcome r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.status = runCommandLine(arguments, out, err);
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
}

} // namespace
} // namespace padrix
